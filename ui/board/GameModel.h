#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include "MinesweeperGame.h"
#include "TileListModel.h"

namespace velmora::ui {

// The game model as QML sees it: one property with a change signal per observable value of
// MinesweeperGame, its operations, and its writable settings. Enumerations travel as their
// stored raw values ("Beginner", "Solid Amber", "playing", ...).
class GameModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("GameModel wraps the application's one game")

    Q_PROPERTY(velmora::ui::TileListModel* tiles READ tiles CONSTANT)
    Q_PROPERTY(QString boardDifficulty READ boardDifficulty NOTIFY boardDifficultyChanged)
    Q_PROPERTY(int rows READ rows NOTIFY boardDifficultyChanged)
    Q_PROPERTY(int columns READ columns NOTIFY boardDifficultyChanged)
    Q_PROPERTY(int mineCount READ mineCount NOTIFY boardDifficultyChanged)
    Q_PROPERTY(velmora::ui::GameModel::Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(bool isWon READ isWon NOTIFY phaseChanged)
    Q_PROPERTY(bool isLost READ isLost NOTIFY phaseChanged)
    Q_PROPERTY(bool isGameOver READ isGameOver NOTIFY phaseChanged)
    Q_PROPERTY(qint64 elapsedSeconds READ elapsedSeconds NOTIFY elapsedSecondsChanged)
    Q_PROPERTY(QString clockText READ clockText NOTIFY elapsedSecondsChanged)
    Q_PROPERTY(QString clockAccessibleLabel READ clockAccessibleLabel NOTIFY elapsedSecondsChanged)
    Q_PROPERTY(QString wonAccessibleLabel READ wonAccessibleLabel NOTIFY elapsedSecondsChanged)
    Q_PROPERTY(qint64 flaggedCount READ flaggedCount NOTIFY flaggedCountChanged)
    Q_PROPERTY(qint64 minesLeft READ minesLeft NOTIFY minesLeftChanged)
    Q_PROPERTY(QString minesLeftText READ minesLeftText NOTIFY minesLeftChanged)
    Q_PROPERTY(QString minesLeftAccessibleLabel READ minesLeftAccessibleLabel NOTIFY minesLeftChanged)
    Q_PROPERTY(bool newBestTime READ newBestTime NOTIFY newBestTimeChanged)
    Q_PROPERTY(int hintedTile READ hintedTile NOTIFY hintedTileChanged)  // -1 when none
    Q_PROPERTY(bool usedHint READ usedHint NOTIFY usedHintChanged)
    Q_PROPERTY(bool isShowingScreen READ isShowingScreen WRITE setIsShowingScreen NOTIFY isShowingScreenChanged)
    Q_PROPERTY(bool isViewVisible READ isViewVisible WRITE setIsViewVisible NOTIFY isViewVisibleChanged)
    Q_PROPERTY(bool isFlagMode READ isFlagMode WRITE setIsFlagMode NOTIFY isFlagModeChanged)
    Q_PROPERTY(QString menuBarIcon READ menuBarIcon WRITE setMenuBarIcon NOTIFY menuBarIconChanged)
    Q_PROPERTY(QString menuBarSymbol READ menuBarSymbol NOTIFY menuBarIconChanged)
    Q_PROPERTY(bool hasSeenWelcome READ hasSeenWelcome WRITE setHasSeenWelcome NOTIFY hasSeenWelcomeChanged)
    Q_PROPERTY(QString boardSize READ boardSize WRITE setBoardSize NOTIFY boardSizeChanged)
    Q_PROPERTY(bool questionMarksEnabled READ questionMarksEnabled WRITE setQuestionMarksEnabled NOTIFY
                   questionMarksEnabledChanged)
    Q_PROPERTY(QString tileTheme READ tileTheme WRITE setTileTheme NOTIFY tileThemeChanged)
    Q_PROPERTY(QString difficulty READ difficulty WRITE setDifficulty NOTIFY difficultyChanged)
    Q_PROPERTY(qint64 gamesPlayed READ gamesPlayed WRITE setGamesPlayed NOTIFY gamesPlayedChanged)
    Q_PROPERTY(qint64 gamesWon READ gamesWon WRITE setGamesWon NOTIFY gamesWonChanged)
    Q_PROPERTY(qint64 currentStreak READ currentStreak WRITE setCurrentStreak NOTIFY currentStreakChanged)
    Q_PROPERTY(qint64 bestStreak READ bestStreak WRITE setBestStreak NOTIFY bestStreakChanged)
    Q_PROPERTY(QVariantMap bestTimes READ bestTimes NOTIFY bestTimesChanged)

public:
    // The game's phase for QML, so views compare enumerators rather than stored strings.
    enum class Phase { Ready = int(GamePhase::ready), Playing = int(GamePhase::playing),
                       Won = int(GamePhase::won), Lost = int(GamePhase::lost) };
    Q_ENUM(Phase)

    explicit GameModel(MinesweeperGame& game, QObject* parent = nullptr);
    ~GameModel() override;

    MinesweeperGame& game() { return game_; }
    TileListModel* tiles() { return tiles_; }

    QString boardDifficulty() const;
    int rows() const { return static_cast<int>(game_.rows()); }
    int columns() const { return static_cast<int>(game_.columns()); }
    int mineCount() const { return static_cast<int>(velmora::mineCount(game_.boardDifficulty())); }
    Phase phase() const { return static_cast<Phase>(game_.phase()); }
    bool isWon() const { return game_.phase() == GamePhase::won; }
    bool isLost() const { return game_.phase() == GamePhase::lost; }
    bool isGameOver() const { return isWon() || isLost(); }
    qint64 elapsedSeconds() const { return game_.elapsedSeconds(); }
    QString clockText() const;
    QString clockAccessibleLabel() const;
    QString wonAccessibleLabel() const;
    qint64 flaggedCount() const { return game_.flaggedCount(); }
    qint64 minesLeft() const { return mineCount() - game_.flaggedCount(); }
    QString minesLeftText() const;
    QString minesLeftAccessibleLabel() const;
    bool newBestTime() const { return game_.newBestTime(); }
    int hintedTile() const { return game_.hintedTile() ? static_cast<int>(*game_.hintedTile()) : -1; }
    bool usedHint() const { return game_.usedHint(); }
    bool isShowingScreen() const { return game_.isShowingScreen(); }
    void setIsShowingScreen(bool v) { game_.setIsShowingScreen(v); }
    bool isViewVisible() const { return game_.isViewVisible(); }
    void setIsViewVisible(bool v) { game_.setIsViewVisible(v); }
    bool isFlagMode() const { return game_.isFlagMode(); }
    void setIsFlagMode(bool v) { game_.setIsFlagMode(v); }
    QString menuBarIcon() const;
    void setMenuBarIcon(const QString& raw);
    // The symbol name of the chosen tray icon ("flag.fill", "burst.fill", "square.grid.3x3.fill").
    QString menuBarSymbol() const;
    bool hasSeenWelcome() const { return game_.hasSeenWelcome(); }
    void setHasSeenWelcome(bool v) { game_.setHasSeenWelcome(v); }
    QString boardSize() const;
    void setBoardSize(const QString& raw);
    bool questionMarksEnabled() const { return game_.questionMarksEnabled(); }
    void setQuestionMarksEnabled(bool v) { game_.setQuestionMarksEnabled(v); }
    QString tileTheme() const;
    void setTileTheme(const QString& raw);
    QString difficulty() const;
    void setDifficulty(const QString& raw);
    qint64 gamesPlayed() const { return game_.gamesPlayed(); }
    void setGamesPlayed(qint64 v) { game_.setGamesPlayed(v); }
    qint64 gamesWon() const { return game_.gamesWon(); }
    void setGamesWon(qint64 v) { game_.setGamesWon(v); }
    qint64 currentStreak() const { return game_.currentStreak(); }
    void setCurrentStreak(qint64 v) { game_.setCurrentStreak(v); }
    qint64 bestStreak() const { return game_.bestStreak(); }
    void setBestStreak(qint64 v) { game_.setBestStreak(v); }
    QVariantMap bestTimes() const;

    // The game's operations are C++ only: the board controller decides when a press or a key
    // becomes one, so QML cannot bypass its input rules.
    void runPendingSave() { game_.runPendingSave(); }
    void resetStatistics() { game_.resetStatistics(); }
    // Best time in seconds for a difficulty raw value, or undefined.
    Q_INVOKABLE QVariant bestTime(const QString& difficultyRaw) const;
    bool isTileRevealed(int index) const;
    // Every tile covered and unmarked, no hint: the board looks like one image of covered tiles.
    Q_INVOKABLE bool looksUntouched() const;
    int tileCount() const { return static_cast<int>(game_.tiles().size()); }

signals:
    void boardDifficultyChanged();
    void phaseChanged();
    void elapsedSecondsChanged();
    void flaggedCountChanged();
    void minesLeftChanged();
    void newBestTimeChanged();
    void hintedTileChanged();
    void usedHintChanged();
    void isShowingScreenChanged();
    void isViewVisibleChanged();
    void isFlagModeChanged();
    void menuBarIconChanged();
    void hasSeenWelcomeChanged();
    void boardSizeChanged();
    void questionMarksEnabledChanged();
    void tileThemeChanged();
    void difficultyChanged();
    void gamesPlayedChanged();
    void gamesWonChanged();
    void currentStreakChanged();
    void bestStreakChanged();
    void bestTimesChanged();

private:
    void onChanged(Property p);

    MinesweeperGame& game_;
    TileListModel* tiles_;
    int listenerId_ = 0;
};

}  // namespace velmora::ui
