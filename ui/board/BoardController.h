#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include "Announcer.h"
#include "GameModel.h"

namespace velmora::ui {

// The kind of a press on the board.
enum class TileClick { primary, flag, chord };

enum class FocusDirection { up, down, left, right };

// Size of the board at a scale: tile side, gap and pitch in points.
struct BoardGeometry {
    double boardScale = 1.0;
    double tileSize = 0;
    double tileSpacing = 0;
    double tilePitch = 0;
    double gridWidth = 0;
    double gridHeight = 0;
};
BoardGeometry boardGeometry(qint64 rows, qint64 columns, double boardScale);
// The one size factor of the game window: the text scale, times 1.18 for the large size.
double boardScaleFor(double textScale, BoardSize size);

// Tile index under a point of the grid (origin top-left): a point in the gap right of or
// below a tile counts for that tile, and points at or past an edge for the edge tile.
qint64 hitTest(QPointF point, double tilePitch, qint64 rows, qint64 columns);
// The focus index moved one step, staying on the board's edge instead of wrapping.
qint64 movedFocus(qint64 focusedTile, FocusDirection direction, qint64 rows, qint64 columns);

// A damped spring given as the time of one undamped swing (response, seconds) and the
// fraction of critical damping, in the terms of Qt Quick's SpringAnimation, which pulls by
// `spring` and brakes by `damping` once per 16 ms step on a unit mass.
struct SpringParameters {
    double spring = 0;
    double damping = 0;
};
SpringParameters springFor(double response, double dampingFraction);

// The game view's input state and rules: where keyboard focus is on the board, whether the
// ring shows, when input is blocked, and which game operation a press or key becomes. QML
// binds to it and forwards presses and keys; nothing here draws.
class BoardController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velmora::ui::GameModel* game READ game WRITE setGame NOTIFY gameChanged)
    // Where what a move did is said for the screen reader; none: nothing is said.
    Q_PROPERTY(velmora::ui::Announcer* announcer READ announcer WRITE setAnnouncer NOTIFY announcerChanged)
    Q_PROPERTY(double textScale READ textScale WRITE setTextScale NOTIFY geometryChanged)
    Q_PROPERTY(double boardScale READ boardScale NOTIFY geometryChanged)
    Q_PROPERTY(double tileSize READ tileSize NOTIFY geometryChanged)
    Q_PROPERTY(double tileSpacing READ tileSpacing NOTIFY geometryChanged)
    Q_PROPERTY(double tilePitch READ tilePitch NOTIFY geometryChanged)
    Q_PROPERTY(double gridWidth READ gridWidth NOTIFY geometryChanged)
    Q_PROPERTY(double gridHeight READ gridHeight NOTIFY geometryChanged)
    Q_PROPERTY(int focusedTile READ focusedTile NOTIFY focusedTileChanged)
    Q_PROPERTY(double focusRingX READ focusRingX NOTIFY focusRingChanged)
    Q_PROPERTY(double focusRingY READ focusRingY NOTIFY focusRingChanged)
    Q_PROPERTY(bool showKeyboardFocus READ showKeyboardFocus NOTIFY showKeyboardFocusChanged)
    Q_PROPERTY(bool isBoardFocused READ isBoardFocused WRITE setBoardFocused NOTIFY isBoardFocusedChanged)
    Q_PROPERTY(bool focusRingVisible READ focusRingVisible NOTIFY focusRingChanged)
    Q_PROPERTY(bool isConfirmingNewGame READ isConfirmingNewGame NOTIFY isConfirmingNewGameChanged)
    Q_PROPERTY(bool inputBlocked READ inputBlocked NOTIFY inputBlockedChanged)
    Q_PROPERTY(bool hintButtonEnabled READ hintButtonEnabled NOTIFY buttonsChanged)
    Q_PROPERTY(bool flagModeButtonEnabled READ flagModeButtonEnabled NOTIFY buttonsChanged)
    // The screen shown while the game's isShowingScreen is true (a ModalScreenController::Screen).
    Q_PROPERTY(int presentedScreen READ presentedScreen NOTIFY presentedScreenChanged)
    // The mine counter's rolling digits: response 0.5 s, damping fraction 0.85.
    Q_PROPERTY(double counterSpring READ counterSpring CONSTANT)
    Q_PROPERTY(double counterDamping READ counterDamping CONSTANT)

public:
    enum Click { Primary = int(TileClick::primary), Flag = int(TileClick::flag), Chord = int(TileClick::chord) };
    Q_ENUM(Click)
    enum Direction {
        Up = int(FocusDirection::up),
        Down = int(FocusDirection::down),
        Left = int(FocusDirection::left),
        Right = int(FocusDirection::right)
    };
    Q_ENUM(Direction)

    explicit BoardController(QObject* parent = nullptr);

    GameModel* game() const { return game_; }
    void setGame(GameModel* game);
    Announcer* announcer() const { return announcer_; }
    void setAnnouncer(Announcer* announcer);
    double textScale() const { return textScale_; }
    void setTextScale(double value);
    double boardScale() const { return geometry_.boardScale; }
    double tileSize() const { return geometry_.tileSize; }
    double tileSpacing() const { return geometry_.tileSpacing; }
    double tilePitch() const { return geometry_.tilePitch; }
    double gridWidth() const { return geometry_.gridWidth; }
    double gridHeight() const { return geometry_.gridHeight; }
    int focusedTile() const { return static_cast<int>(focusedTile_); }
    double focusRingX() const;
    double focusRingY() const;
    bool showKeyboardFocus() const { return showKeyboardFocus_; }
    bool isBoardFocused() const { return isBoardFocused_; }
    void setBoardFocused(bool value);
    bool focusRingVisible() const { return showKeyboardFocus_ && isBoardFocused_; }
    bool isConfirmingNewGame() const { return isConfirmingNewGame_; }
    bool inputBlocked() const;
    bool hintButtonEnabled() const;
    bool flagModeButtonEnabled() const;

    // A press on the board, at a point in the grid's coordinates.
    void handleClick(TileClick click, QPointF point);
    Q_INVOKABLE void handleClick(int click, QPointF point) { handleClick(static_cast<TileClick>(click), point); }
    Q_INVOKABLE void moveFocus(int direction);
    Q_INVOKABLE void activateFocusedTile();
    // A key press or auto-repeat reaching the game view; returns whether it was handled.
    Q_INVOKABLE bool handleKey(int key, int modifiers, const QString& text);

    // Header controls.
    Q_INVOKABLE void pressNewGame();
    Q_INVOKABLE void pressHint();
    Q_INVOKABLE void pressFlagMode();
    // "Play Again" and "Try Again".
    Q_INVOKABLE void playAgain();
    Q_INVOKABLE void confirmNewGame();
    Q_INVOKABLE void cancelNewGame();
    int presentedScreen() const { return presentedScreen_; }
    // A screen entry of the game menu: ignored while the abandon-game question is up or a
    // screen already shows.
    Q_INVOKABLE void openScreen(int screen);

    // Watches the window for Tab, which focus navigation consumes before any key handler.
    Q_INVOKABLE void watchWindow(QWindow* window);

    double counterSpring() const { return springFor(0.5, 0.85).spring; }
    double counterDamping() const { return springFor(0.5, 0.85).damping; }

    // The view came on screen / left it.
    Q_INVOKABLE void viewDidAppear();
    Q_INVOKABLE void viewDidDisappear();

signals:
    void gameChanged();
    void announcerChanged();
    void geometryChanged();
    void focusedTileChanged();
    void focusRingChanged();
    void showKeyboardFocusChanged();
    void isBoardFocusedChanged();
    void isConfirmingNewGameChanged();
    void inputBlockedChanged();
    void buttonsChanged();
    void presentedScreenChanged();
    // The board should take (true) or give up (false) keyboard focus in the scene.
    void boardFocusRequested(bool focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateGeometry();
    void setFocusedTile(qint64 index);
    void setShowKeyboardFocus(bool value);
    void setConfirmingNewGame(bool value);
    void requestBoardFocus(bool focused);
    void onShowingScreenChanged();
    void onPhaseChanged();
    qint64 rows() const { return game_ ? game_->rows() : 0; }
    qint64 columns() const { return game_ ? game_->columns() : 0; }
    qint64 tileCount() const { return game_ ? game_->tileCount() : 0; }

    // What a move did, said where the player is: taken before the move, told after it.
    struct MoveWatch {
        bool listening = false;
        bool wasOver = false;
        qint64 revealed = 0;
    };
    MoveWatch watchMove() const;
    void announceMove(const MoveWatch& before, qint64 index);
    void announceHint(qint64 focusedBefore);
    void announceFocusedTile();
    void announce(const QString& text);
    QString gameEndText() const;

    QPointer<GameModel> game_;
    QPointer<Announcer> announcer_;
    QPointer<QWindow> watchedWindow_;
    double textScale_ = 1.0;
    BoardGeometry geometry_;
    qint64 focusedTile_ = 0;
    bool showKeyboardFocus_ = false;
    bool isBoardFocused_ = false;
    bool isConfirmingNewGame_ = false;
    int presentedScreen_ = 0;
    bool wasGameOver_ = false;
};

}  // namespace velmora::ui
