#include "MinesweeperGame.h"

#include <algorithm>
#include <array>
#include <limits>

namespace velmora {

std::string_view propertyName(Property p) {
    static constexpr std::array<std::string_view, kPropertyCount> names{
        "tiles",         "boardDifficulty", "phase",      "elapsedSeconds",       "flaggedCount",
        "newBestTime",   "hintedTile",      "usedHint",   "isShowingScreen",      "isViewVisible",
        "isFlagMode",    "menuBarIcon",     "hasSeenWelcome", "boardSize",        "questionMarksEnabled",
        "tileTheme",     "difficulty",      "gamesPlayed", "gamesWon",            "currentStreak",
        "bestStreak",    "bestTimes",
    };
    return names[static_cast<std::size_t>(p)];
}

// Groups the tile edits of one public operation into a single `tiles` notification.
class MinesweeperGame::Operation {
public:
    explicit Operation(MinesweeperGame& g) : g_(g) { ++g_.operationDepth_; }
    ~Operation() {
        if (--g_.operationDepth_ == 0 && g_.tilesChanged_) {
            g_.tilesChanged_ = false;
            g_.notify(Property::tiles);
        }
    }

private:
    MinesweeperGame& g_;
};

MinesweeperGame::MinesweeperGame(DefaultsStore& defaults, bool verifyBoards, Scheduler& scheduler,
                                 RandomSource& random, Haptics& haptics)
    : defaults_(defaults), scheduler_(scheduler), random_(random), haptics_(haptics), verifyBoards_(verifyBoards) {
    Operation op(*this);
    geometry_ = std::make_unique<MinesweeperSolver>(columns(), rows());
    loadSettingsAndStatistics();
    if (!restoreSavedGame()) newGame();
}

MinesweeperGame::~MinesweeperGame() {
    timerTask_.reset();
    alive_.reset();
}

int MinesweeperGame::addListener(Listener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void MinesweeperGame::removeListener(int id) { listeners_.erase(id); }

void MinesweeperGame::notify(Property p) {
    // A listener may remove itself (or others) while being told.
    const auto snapshot = listeners_;
    for (const auto& [id, listener] : snapshot) {
        if (listeners_.count(id)) listener(p);
    }
}

// ---------------------------------------------------------------------------
// Settings and statistics

void MinesweeperGame::loadSettingsAndStatistics() {
    gamesPlayed_ = defaults_.integer(keys::gamesPlayed);
    gamesWon_ = defaults_.integer(keys::gamesWon);
    currentStreak_ = defaults_.integer(keys::currentStreak);
    bestStreak_ = defaults_.integer(keys::bestStreak);
    bestTimes_.clear();
    if (auto stored = defaults_.object(keys::bestTimes); stored && stored->is_object()) {
        const bool allIntegers = std::all_of(stored->begin(), stored->end(), [](const nlohmann::json& v) {
            return v.is_number_integer() &&
                   !(v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX));
        });
        if (allIntegers) {
            for (auto it = stored->begin(); it != stored->end(); ++it) {
                if (auto d = difficultyFromRaw(it.key())) bestTimes_[*d] = it.value().get<std::int64_t>();
            }
        }
    }
    const auto themeRaw = defaults_.string(keys::tileTheme);
    tileTheme_ = themeRaw ? tileThemeFromRaw(*themeRaw).value_or(TileTheme::onyx) : TileTheme::onyx;
    boardSize_ = defaults_.string(keys::boardSize) == std::optional<std::string>("Large") ? BoardSize::large
                                                                                          : BoardSize::standard;
    hasSeenWelcome_ = defaults_.boolean(keys::hasSeenWelcome);
    const auto qm = defaults_.object(keys::questionMarks);
    questionMarksEnabled_ = (qm && qm->is_boolean()) ? qm->get<bool>() : true;
    const auto icon = defaults_.string(keys::menuBarIcon).value_or("");
    menuBarIcon_ = icon == "Grid" ? MenuBarIconOption::grid
                 : icon == "Burst" ? MenuBarIconOption::burst
                                   : MenuBarIconOption::flag;
    const auto diff = defaults_.string(keys::difficulty).value_or("");
    difficulty_ = diff == "Expert" ? Difficulty::expert
                : diff == "Intermediate" ? Difficulty::intermediate
                                         : Difficulty::beginner;
}

void MinesweeperGame::setDifficulty(Difficulty value) {
    if (value == difficulty_) return;
    Operation op(*this);
    difficulty_ = value;
    notify(Property::difficulty);
    defaults_.setString(keys::difficulty, std::string(rawValue(value)));
    if (!isRestoring_) newGame();
}

void MinesweeperGame::setBoardSize(BoardSize value) {
    assign(boardSize_, value, Property::boardSize);
    defaults_.setString(keys::boardSize, std::string(rawValue(value)));
}

void MinesweeperGame::setQuestionMarksEnabled(bool value) {
    Operation op(*this);
    assign(questionMarksEnabled_, value, Property::questionMarksEnabled);
    defaults_.setBoolean(keys::questionMarks, value);
    if (!value) clearQuestionMarks();
}

void MinesweeperGame::setTileTheme(TileTheme value) {
    assign(tileTheme_, value, Property::tileTheme);
    defaults_.setString(keys::tileTheme, std::string(rawValue(value)));
}

void MinesweeperGame::setMenuBarIcon(MenuBarIconOption value) {
    assign(menuBarIcon_, value, Property::menuBarIcon);
    defaults_.setString(keys::menuBarIcon, std::string(rawValue(value)));
}

void MinesweeperGame::setHasSeenWelcome(bool value) {
    assign(hasSeenWelcome_, value, Property::hasSeenWelcome);
    defaults_.setBoolean(keys::hasSeenWelcome, value);
}

void MinesweeperGame::setGamesPlayed(std::int64_t value) {
    assign(gamesPlayed_, value, Property::gamesPlayed);
    defaults_.setInteger(keys::gamesPlayed, value);
}

void MinesweeperGame::setGamesWon(std::int64_t value) {
    assign(gamesWon_, value, Property::gamesWon);
    defaults_.setInteger(keys::gamesWon, value);
}

void MinesweeperGame::setCurrentStreak(std::int64_t value) {
    assign(currentStreak_, value, Property::currentStreak);
    defaults_.setInteger(keys::currentStreak, value);
}

void MinesweeperGame::setBestStreak(std::int64_t value) {
    assign(bestStreak_, value, Property::bestStreak);
    defaults_.setInteger(keys::bestStreak, value);
}

void MinesweeperGame::setBestTimes(const BestTimes& value) {
    assign(bestTimes_, value, Property::bestTimes);
    nlohmann::json dict = nlohmann::json::object();
    for (const auto& [d, seconds] : value) dict[std::string(rawValue(d))] = seconds;
    defaults_.setDictionary(keys::bestTimes, dict);
}

void MinesweeperGame::resetStatistics() {
    setGamesPlayed(0);
    setGamesWon(0);
    setCurrentStreak(0);
    setBestStreak(0);
    setBestTimes({});
}

std::optional<std::int64_t> MinesweeperGame::bestTime(Difficulty d) const {
    auto it = bestTimes_.find(d);
    if (it == bestTimes_.end()) return std::nullopt;
    return it->second;
}

void MinesweeperGame::clearQuestionMarks() {
    bool changed = false;
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (!tiles_[i].isQuestioned) continue;
        tileAt(static_cast<std::int64_t>(i)).isQuestioned = false;
        changed = true;
    }
    if (changed) scheduleSave();
}

// ---------------------------------------------------------------------------
// View-facing flags and the clock

void MinesweeperGame::setIsShowingScreen(bool value) {
    assign(isShowingScreen_, value, Property::isShowingScreen);
    updateClock();
}

void MinesweeperGame::setIsViewVisible(bool value) {
    assign(isViewVisible_, value, Property::isViewVisible);
    updateClock();
    if (!value) scheduleSave();
}

void MinesweeperGame::setIsFlagMode(bool value) { assign(isFlagMode_, value, Property::isFlagMode); }

bool MinesweeperGame::clockShouldRun() const {
    return phase_ == GamePhase::playing && isViewVisible_ && !isShowingScreen_;
}

void MinesweeperGame::updateClock() {
    if (!clockShouldRun()) {
        timerTask_.reset();
        return;
    }
    if (timerTask_) return;
    std::weak_ptr<bool> alive = alive_;
    timerTask_ = scheduler_.everySecond([this, alive] {
        if (alive.expired()) return;
        clockTick();
    });
}

void MinesweeperGame::clockTick() {
    if (phase_ != GamePhase::playing) return;
    if (elapsedSeconds_ < kClockCap) setElapsedSeconds(elapsedSeconds_ + 1);
}

// ---------------------------------------------------------------------------
// Rules

namespace {
// The counters come from a file the user can edit: one already at the largest value stays
// there instead of wrapping round to a negative count.
std::int64_t incremented(std::int64_t value) {
    return value == std::numeric_limits<std::int64_t>::max() ? value : value + 1;
}
}  // namespace

void MinesweeperGame::setBoardDifficulty(Difficulty d) {
    if (assign(boardDifficulty_, d, Property::boardDifficulty) || geometry_->columns() != columns()) {
        geometry_ = std::make_unique<MinesweeperSolver>(columns(), rows());
    }
}

void MinesweeperGame::newGame() {
    Operation op(*this);
    if (phase_ == GamePhase::playing) setCurrentStreak(0);
    setBoardDifficulty(difficulty_);
    setPhase(GamePhase::ready);
    setElapsedSeconds(0);
    setFlaggedCount(0);
    setNewBestTime(false);
    setUsedHint(false);
    setHintedTile(std::nullopt);
    setIsFlagMode(false);
    std::vector<Tile> blank(static_cast<std::size_t>(tileCount(boardDifficulty_)));
    if (blank != tiles_) {
        tiles_ = std::move(blank);
        tilesChanged_ = true;
    }
    // A layout queued for the next first uncover (replays queue it before starting the game)
    // still applies to a new board of the same size.
    if (nextLayout_ && nextLayout_->size() != tiles_.size()) nextLayout_.reset();
    updateClock();
    scheduleSave();
}

std::int64_t MinesweeperGame::safeTilesRemaining() const {
    return std::count_if(tiles_.begin(), tiles_.end(), [](const Tile& t) { return !t.hasMine && !t.isRevealed; });
}

void MinesweeperGame::reveal(std::int64_t index) {
    if (phase_ != GamePhase::ready && phase_ != GamePhase::playing) return;
    if (!onBoard(index)) return;
    const Tile& tile = tiles_[static_cast<std::size_t>(index)];
    if (tile.isRevealed || tile.isFlagged) return;
    Operation op(*this);
    if (phase_ == GamePhase::ready) {
        generateBoard(index);
        setPhase(GamePhase::playing);
        setGamesPlayed(incremented(gamesPlayed_));
        updateClock();
    }
    if (tiles_[static_cast<std::size_t>(index)].hasMine) {
        lose({index});
        return;
    }
    revealRegion(index);
    if (safeTilesRemaining() == 0)
        win();
    else
        scheduleSave();
}

void MinesweeperGame::revealRegion(std::int64_t origin) {
    std::vector<std::int64_t> stack{origin};
    const auto cols = columns();
    while (!stack.empty()) {
        const auto t = stack.back();
        stack.pop_back();
        const Tile& current = tiles_[static_cast<std::size_t>(t)];
        if (current.isRevealed || current.isFlagged) continue;
        Tile& tile = tileAt(t);
        tile.isRevealed = true;
        tile.isQuestioned = false;
        tile.revealDistance = tileDistance(origin, t, cols);
        if (hintedTile_ == t) setHintedTile(std::nullopt);
        if (tile.adjacentMines != 0) continue;
        for (auto nb : geometry_->neighbors(t)) {
            if (!tiles_[static_cast<std::size_t>(nb)].isRevealed) stack.push_back(nb);
        }
    }
}

void MinesweeperGame::chord(std::int64_t index) {
    if (phase_ != GamePhase::playing || !onBoard(index)) return;
    const Tile& tile = tiles_[static_cast<std::size_t>(index)];
    if (!tile.isRevealed || tile.adjacentMines <= 0) return;
    const auto neighbors = geometry_->neighbors(index);
    const auto flags = std::count_if(neighbors.begin(), neighbors.end(),
                                     [&](std::int64_t nb) { return tiles_[static_cast<std::size_t>(nb)].isFlagged; });
    if (flags != tile.adjacentMines) return;
    Operation op(*this);
    std::vector<std::int64_t> covered;
    std::vector<std::int64_t> mines;
    for (auto nb : neighbors) {
        const Tile& t = tiles_[static_cast<std::size_t>(nb)];
        if (t.isRevealed || t.isFlagged) continue;
        covered.push_back(nb);
        if (t.hasMine) mines.push_back(nb);
    }
    if (!mines.empty()) {
        lose(mines);
        return;
    }
    for (auto nb : covered) revealRegion(nb);
    if (safeTilesRemaining() == 0)
        win();
    else
        scheduleSave();
}

void MinesweeperGame::toggleFlag(std::int64_t index) {
    if (phase_ != GamePhase::ready && phase_ != GamePhase::playing) return;
    if (!onBoard(index) || tiles_[static_cast<std::size_t>(index)].isRevealed) return;
    Operation op(*this);
    Tile& tile = tileAt(index);
    if (tile.isFlagged) {
        tile.isFlagged = false;
        tile.isQuestioned = questionMarksEnabled_;
        setFlaggedCount(flaggedCount_ - 1);
    } else if (tile.isQuestioned) {
        tile.isQuestioned = false;
    } else {
        tile.isFlagged = true;
        setFlaggedCount(flaggedCount_ + 1);
    }
    haptics_.alignment();
    scheduleSave();
}

void MinesweeperGame::primaryAction(std::int64_t index) {
    if (!onBoard(index)) return;
    if (!isFlagMode_) {
        reveal(index);
    } else if (tiles_[static_cast<std::size_t>(index)].isRevealed) {
        chord(index);
    } else {
        toggleFlag(index);
    }
}

void MinesweeperGame::lose(const std::vector<std::int64_t>& exploded) {
    setPhase(GamePhase::lost);
    setHintedTile(std::nullopt);
    setCurrentStreak(0);
    for (auto i : exploded) tileAt(i).isExploded = true;
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const Tile& t = tiles_[i];
        if (!t.hasMine || t.isFlagged || t.isRevealed) continue;
        Tile& m = tileAt(static_cast<std::int64_t>(i));
        m.isRevealed = true;
        m.isQuestioned = false;
    }
    updateClock();
    scheduleSave();
}

void MinesweeperGame::win() {
    setPhase(GamePhase::won);
    setHintedTile(std::nullopt);
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const Tile& t = tiles_[i];
        if (!t.hasMine || (t.isFlagged && !t.isQuestioned)) continue;
        Tile& m = tileAt(static_cast<std::int64_t>(i));
        m.isFlagged = true;
        m.isQuestioned = false;
    }
    setFlaggedCount(mineCount(boardDifficulty_));
    recordWin();
    haptics_.levelChange();
    updateClock();
    scheduleSave();
}

void MinesweeperGame::recordWin() {
    setGamesWon(incremented(gamesWon_));
    setCurrentStreak(incremented(currentStreak_));
    if (bestStreak_ < currentStreak_) setBestStreak(currentStreak_);
    if (usedHint_) {
        setNewBestTime(false);
        return;
    }
    const auto best = bestTime(boardDifficulty_);
    if (!best || elapsedSeconds_ < *best) {
        auto times = bestTimes_;
        times[boardDifficulty_] = elapsedSeconds_;
        setBestTimes(times);
        setNewBestTime(true);
    } else {
        setNewBestTime(false);
    }
}

void MinesweeperGame::generateBoard(std::int64_t index) {
    const auto n = static_cast<std::size_t>(tileCount(boardDifficulty_));
    if (nextLayout_ && nextLayout_->size() == n) {
        MineLayout layout = std::move(*nextLayout_);
        nextLayout_.reset();
        lastGeneration_ = {};
        applyMines(layout);
        return;
    }
    nextLayout_.reset();
    const auto layout = generateMines(rows(), columns(), mineCount(boardDifficulty_), index, verifyBoards_, random_,
                                      &lastGeneration_, verifier_);
    applyMines(layout);
}

void MinesweeperGame::applyMines(const MineLayout& layout) {
    if (layout.size() != tiles_.size()) std::abort();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        std::int64_t adjacent = 0;
        for (auto nb : geometry_->neighbors(static_cast<std::int64_t>(i))) adjacent += layout[static_cast<std::size_t>(nb)] ? 1 : 0;
        const bool mine = layout[i] != 0;
        const Tile& t = tiles_[i];
        if (t.hasMine == mine && t.adjacentMines == adjacent) continue;
        Tile& w = tileAt(static_cast<std::int64_t>(i));
        w.hasMine = mine;
        w.adjacentMines = adjacent;
    }
}

// ---------------------------------------------------------------------------
// Hints

void MinesweeperGame::showHint() {
    if (phase_ != GamePhase::playing) return;
    std::vector<MinesweeperSolver::Knowledge> knowledge(tiles_.size());
    std::vector<std::int64_t> counts(tiles_.size());
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        knowledge[i] = tiles_[i].isRevealed ? MinesweeperSolver::Knowledge::revealed
                                            : MinesweeperSolver::Knowledge::unknown;
        counts[i] = tiles_[i].adjacentMines;
    }
    auto candidates = geometry_->safeTiles(knowledge, counts);
    if (candidates.size() >= 2 && hintedTile_) std::erase(candidates, *hintedTile_);
    if (candidates.empty()) return;
    const auto pick = candidates[static_cast<std::size_t>(random_.uniform(candidates.size()))];
    setHintedTile(pick);
    setUsedHint(true);
    scheduleSave();
}

// ---------------------------------------------------------------------------
// Saved game

void MinesweeperGame::scheduleSave() {
    if (saveIsScheduled_ || isRestoring_) return;
    saveIsScheduled_ = true;
    std::weak_ptr<bool> alive = alive_;
    scheduler_.post([this, alive] {
        if (alive.expired()) return;
        saveGame();
    });
}

void MinesweeperGame::runPendingSave() {
    if (saveIsScheduled_) saveGame();
}

void MinesweeperGame::saveGame() {
    saveIsScheduled_ = false;
    const auto snapshot = savedGameSnapshot();
    if (!snapshot) {
        defaults_.remove(keys::savedGame);
        return;
    }
    const auto text = encodeSavedGame(*snapshot);
    defaults_.setData(keys::savedGame, Bytes(text.begin(), text.end()));
}

std::optional<SavedGame> MinesweeperGame::savedGameSnapshot() const {
    if (phase_ != GamePhase::playing) return std::nullopt;
    SavedGame g;
    g.version = 1;
    g.difficulty = std::string(rawValue(boardDifficulty_));
    std::vector<std::int64_t> questioned;
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const auto index = static_cast<std::int64_t>(i);
        if (tiles_[i].hasMine) g.mines.push_back(index);
        if (tiles_[i].isRevealed) g.revealed.push_back(index);
        if (tiles_[i].isFlagged) g.flagged.push_back(index);
        if (tiles_[i].isQuestioned) questioned.push_back(index);
    }
    g.questioned = std::move(questioned);
    g.elapsedSeconds = elapsedSeconds_;
    g.usedHint = usedHint_;
    return g;
}

bool MinesweeperGame::restoreSavedGame() {
    const auto bytes = defaults_.data(keys::savedGame);
    if (!bytes) return false;
    const auto record = decodeSavedGame(*bytes);
    const auto board = record ? restoredBoard(*record) : std::nullopt;
    if (!board) {
        defaults_.remove(keys::savedGame);
        return false;
    }
    Operation op(*this);
    isRestoring_ = true;
    setBoardDifficulty(board->difficulty);
    if (board->difficulty != difficulty_) setDifficulty(board->difficulty);
    tiles_ = board->tiles;
    tilesChanged_ = true;
    setFlaggedCount(std::count_if(tiles_.begin(), tiles_.end(), [](const Tile& t) { return t.isFlagged; }));
    setElapsedSeconds(record->elapsedSeconds);
    setNewBestTime(false);
    setUsedHint(record->usedHint.value_or(false));
    setHintedTile(std::nullopt);
    setPhase(GamePhase::playing);
    isRestoring_ = false;
    updateClock();
    return true;
}

}  // namespace velmora
