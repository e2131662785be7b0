#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "DefaultsStore.h"
#include "Generator.h"
#include "Haptics.h"
#include "MinesweeperSolver.h"
#include "RandomSource.h"
#include "SavedGame.h"
#include "Scheduler.h"
#include "Types.h"

namespace velmora {

// Every observable property of the model, named as the views know them.
enum class Property {
    tiles,
    boardDifficulty,
    phase,
    elapsedSeconds,
    flaggedCount,
    newBestTime,
    hintedTile,
    usedHint,
    isShowingScreen,
    isViewVisible,
    isFlagMode,
    menuBarIcon,
    hasSeenWelcome,
    boardSize,
    questionMarksEnabled,
    tileTheme,
    difficulty,
    gamesPlayed,
    gamesWon,
    currentStreak,
    bestStreak,
    bestTimes,
};
inline constexpr int kPropertyCount = static_cast<int>(Property::bestTimes) + 1;
std::string_view propertyName(Property p);

using BestTimes = std::map<Difficulty, std::int64_t>;

namespace keys {
inline constexpr const char* difficulty = "Velmora_Difficulty";
inline constexpr const char* boardSize = "Velmora_BoardSize";
inline constexpr const char* questionMarks = "Velmora_QuestionMarks";
inline constexpr const char* tileTheme = "Velmora_TileTheme";
inline constexpr const char* menuBarIcon = "Velmora_MenuBarIcon";
inline constexpr const char* hasSeenWelcome = "Velmora_HasSeenWelcome";
inline constexpr const char* gamesPlayed = "Velmora_GamesPlayed";
inline constexpr const char* gamesWon = "Velmora_GamesWon";
inline constexpr const char* currentStreak = "Velmora_CurrentStreak";
inline constexpr const char* bestStreak = "Velmora_BestStreak";
inline constexpr const char* bestTimes = "Velmora_BestTimes";
inline constexpr const char* savedGame = "Velmora_SavedGame";
}  // namespace keys

inline constexpr std::int64_t kClockCap = 5999;

// The one model object: board, rules, clock, settings, statistics and the saved game.
// Single-threaded; the scheduler's tasks run between user actions on the same thread.
class MinesweeperGame {
public:
    MinesweeperGame(DefaultsStore& defaults, bool verifyBoards, Scheduler& scheduler, RandomSource& random,
                    Haptics& haptics);
    ~MinesweeperGame();
    MinesweeperGame(const MinesweeperGame&) = delete;
    MinesweeperGame& operator=(const MinesweeperGame&) = delete;

    // Observation: called after an observable property took a different value.
    using Listener = std::function<void(Property)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // --- operations ---
    void newGame();
    void reveal(std::int64_t index);
    void chord(std::int64_t index);
    void toggleFlag(std::int64_t index);
    void primaryAction(std::int64_t index);
    void showHint();
    void updateClock();
    void scheduleSave();
    void saveGame();
    // Runs a deferred save now if one is pending; the app calls it before it exits, since
    // a queued save would otherwise never run.
    void runPendingSave();

    // --- derived ---
    std::int64_t safeTilesRemaining() const;
    bool clockShouldRun() const;
    bool clockRunning() const { return timerTask_ != nullptr; }
    std::optional<std::int64_t> bestTime(Difficulty d) const;
    std::optional<SavedGame> savedGameSnapshot() const;
    bool saveIsScheduled() const { return saveIsScheduled_; }
    std::int64_t rows() const { return velmora::rows(boardDifficulty_); }
    std::int64_t columns() const { return velmora::columns(boardDifficulty_); }
    const MinesweeperSolver& geometry() const { return *geometry_; }

    // --- observable state ---
    const std::vector<Tile>& tiles() const { return tiles_; }
    Difficulty boardDifficulty() const { return boardDifficulty_; }
    GamePhase phase() const { return phase_; }
    std::int64_t elapsedSeconds() const { return elapsedSeconds_; }
    std::int64_t flaggedCount() const { return flaggedCount_; }
    bool newBestTime() const { return newBestTime_; }
    std::optional<std::int64_t> hintedTile() const { return hintedTile_; }
    bool usedHint() const { return usedHint_; }

    bool isShowingScreen() const { return isShowingScreen_; }
    void setIsShowingScreen(bool value);
    bool isViewVisible() const { return isViewVisible_; }
    void setIsViewVisible(bool value);
    bool isFlagMode() const { return isFlagMode_; }
    void setIsFlagMode(bool value);

    // Settings: every assignment writes the key (difficulty only when it changes).
    Difficulty difficulty() const { return difficulty_; }
    void setDifficulty(Difficulty value);
    BoardSize boardSize() const { return boardSize_; }
    void setBoardSize(BoardSize value);
    bool questionMarksEnabled() const { return questionMarksEnabled_; }
    void setQuestionMarksEnabled(bool value);
    TileTheme tileTheme() const { return tileTheme_; }
    void setTileTheme(TileTheme value);
    MenuBarIconOption menuBarIcon() const { return menuBarIcon_; }
    void setMenuBarIcon(MenuBarIconOption value);
    bool hasSeenWelcome() const { return hasSeenWelcome_; }
    void setHasSeenWelcome(bool value);

    // Statistics: every assignment writes the key.
    std::int64_t gamesPlayed() const { return gamesPlayed_; }
    void setGamesPlayed(std::int64_t value);
    std::int64_t gamesWon() const { return gamesWon_; }
    void setGamesWon(std::int64_t value);
    std::int64_t currentStreak() const { return currentStreak_; }
    void setCurrentStreak(std::int64_t value);
    std::int64_t bestStreak() const { return bestStreak_; }
    void setBestStreak(std::int64_t value);
    const BestTimes& bestTimes() const { return bestTimes_; }
    void setBestTimes(const BestTimes& value);
    // The Statistics screen's confirmed reset.
    void resetStatistics();

    bool verifyBoards() const { return verifyBoards_; }

    // Replays and tests: the next first uncover deals exactly this layout (one entry per
    // tile of the current board) instead of drawing one.
    void setNextLayout(MineLayout layout) { nextLayout_ = std::move(layout); }
    // Tests: judge layouts with this instead of the solver.
    void setLayoutVerifier(LayoutVerifier verifier) { verifier_ = std::move(verifier); }
    const GenerationReport& lastGeneration() const { return lastGeneration_; }

private:
    class Operation;
    friend class Operation;

    void loadSettingsAndStatistics();
    bool restoreSavedGame();
    void revealRegion(std::int64_t origin);
    void win();
    void lose(const std::vector<std::int64_t>& exploded);
    void generateBoard(std::int64_t index);
    void applyMines(const MineLayout& layout);
    void clearQuestionMarks();
    void recordWin();
    bool onBoard(std::int64_t index) const { return index >= 0 && index < static_cast<std::int64_t>(tiles_.size()); }
    Tile& tileAt(std::int64_t index) {
        tilesChanged_ = true;
        return tiles_[static_cast<std::size_t>(index)];
    }
    void notify(Property p);
    template <typename T>
    bool assign(T& field, const T& value, Property p) {
        if (field == value) return false;
        field = value;
        notify(p);
        return true;
    }
    void setBoardDifficulty(Difficulty d);
    void setPhase(GamePhase p) { assign(phase_, p, Property::phase); }
    void setElapsedSeconds(std::int64_t v) { assign(elapsedSeconds_, v, Property::elapsedSeconds); }
    void setFlaggedCount(std::int64_t v) { assign(flaggedCount_, v, Property::flaggedCount); }
    void setNewBestTime(bool v) { assign(newBestTime_, v, Property::newBestTime); }
    void setHintedTile(std::optional<std::int64_t> v) { assign(hintedTile_, v, Property::hintedTile); }
    void setUsedHint(bool v) { assign(usedHint_, v, Property::usedHint); }
    void clockTick();

    DefaultsStore& defaults_;
    Scheduler& scheduler_;
    RandomSource& random_;
    Haptics& haptics_;
    const bool verifyBoards_;

    std::vector<Tile> tiles_;
    Difficulty boardDifficulty_ = Difficulty::beginner;
    GamePhase phase_ = GamePhase::ready;
    std::int64_t elapsedSeconds_ = 0;
    std::int64_t flaggedCount_ = 0;
    bool newBestTime_ = false;
    std::optional<std::int64_t> hintedTile_;
    bool usedHint_ = false;
    bool isShowingScreen_ = false;
    bool isViewVisible_ = false;
    bool isFlagMode_ = false;
    std::unique_ptr<TaskHandle> timerTask_;

    MenuBarIconOption menuBarIcon_ = MenuBarIconOption::flag;
    bool hasSeenWelcome_ = false;
    BoardSize boardSize_ = BoardSize::standard;
    bool questionMarksEnabled_ = true;
    TileTheme tileTheme_ = TileTheme::onyx;
    Difficulty difficulty_ = Difficulty::beginner;

    std::int64_t gamesPlayed_ = 0;
    std::int64_t gamesWon_ = 0;
    std::int64_t currentStreak_ = 0;
    std::int64_t bestStreak_ = 0;
    BestTimes bestTimes_;

    bool saveIsScheduled_ = false;
    bool isRestoring_ = false;

    std::unique_ptr<MinesweeperSolver> geometry_;
    std::optional<MineLayout> nextLayout_;
    LayoutVerifier verifier_;
    GenerationReport lastGeneration_;

    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
    bool tilesChanged_ = false;
    int operationDepth_ = 0;
    // Tasks hold this weakly: a task that outlives the game sees it expired and does nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velmora
