#include "BoardController.h"

#include "LocalizedText.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace velmora::ui {

BoardGeometry boardGeometry(qint64 rows, qint64 columns, double boardScale) {
    BoardGeometry g;
    g.boardScale = boardScale;
    if (rows <= 0 || columns <= 0) return g;
    const double r = double(rows), c = double(columns);
    const double base = std::min({330.0 / (r + 0.08 * (r - 1)), 347.0 / (c + 0.08 * (c - 1)), 40.0});
    g.tileSize = boardScale * base;
    g.tileSpacing = 0.08 * g.tileSize;
    g.tilePitch = g.tileSize + g.tileSpacing;
    g.gridWidth = c * g.tileSize + (c - 1) * g.tileSpacing;
    g.gridHeight = r * g.tileSize + (r - 1) * g.tileSpacing;
    return g;
}

double boardScaleFor(double textScale, BoardSize size) { return textScale * scaleFactor(size); }

namespace {
qint64 cellAlong(double coordinate, double pitch, qint64 count) {
    if (count <= 0) return 0;
    // NaN or a degenerate pitch: the nearest sensible answer is the first cell.
    if (!(pitch > 0) || !std::isfinite(coordinate)) return coordinate > 0 && std::isinf(coordinate) ? count - 1 : 0;
    const double cell = std::trunc(coordinate / pitch);
    if (cell <= 0) return 0;
    if (cell >= double(count - 1)) return count - 1;
    return static_cast<qint64>(cell);
}
}  // namespace

qint64 hitTest(QPointF point, double tilePitch, qint64 rows, qint64 columns) {
    const qint64 column = cellAlong(point.x(), tilePitch, columns);
    const qint64 row = cellAlong(point.y(), tilePitch, rows);
    return row * columns + column;
}

qint64 movedFocus(qint64 focusedTile, FocusDirection direction, qint64 rows, qint64 columns) {
    if (columns <= 0 || rows <= 0) return focusedTile;
    qint64 row = focusedTile / columns;
    qint64 column = focusedTile % columns;
    switch (direction) {
    case FocusDirection::up: row = std::max<qint64>(row - 1, 0); break;
    case FocusDirection::down: row = std::min(row + 1, rows - 1); break;
    case FocusDirection::left: column = std::max<qint64>(column - 1, 0); break;
    case FocusDirection::right: column = std::min(column + 1, columns - 1); break;
    }
    return row * columns + column;
}

SpringParameters springFor(double response, double dampingFraction) {
    // A unit mass on a spring of stiffness k = (2 pi / response)^2 with damping
    // c = 2 zeta sqrt(k); SpringAnimation applies both per 16 ms step.
    constexpr double step = 0.016;
    constexpr double pi = 3.14159265358979323846;
    if (!(response > 0) || !std::isfinite(response)) return {};
    const double omega = 2 * pi / response;
    const double zeta = std::clamp(std::isfinite(dampingFraction) ? dampingFraction : 1.0, 0.0, 1.0);
    return {omega * omega * step, 2 * zeta * omega * step};
}

BoardController::BoardController(QObject* parent) : QObject(parent) { updateGeometry(); }

void BoardController::setGame(GameModel* game) {
    if (game_ == game) return;
    if (game_) disconnect(game_, nullptr, this, nullptr);
    game_ = game;
    if (game_) {
        connect(game_, &GameModel::boardDifficultyChanged, this, [this] {
            updateGeometry();
            emit focusRingChanged();
        });
        connect(game_, &GameModel::boardSizeChanged, this, &BoardController::updateGeometry);
        connect(game_, &GameModel::isShowingScreenChanged, this, &BoardController::onShowingScreenChanged);
        connect(game_, &GameModel::isShowingScreenChanged, this, &BoardController::inputBlockedChanged);
        connect(game_, &GameModel::phaseChanged, this, &BoardController::buttonsChanged);
        connect(game_, &GameModel::phaseChanged, this, &BoardController::onPhaseChanged);
    }
    wasGameOver_ = game_ && game_->isGameOver();
    updateGeometry();
    emit gameChanged();
    emit inputBlockedChanged();
    emit buttonsChanged();
    emit focusRingChanged();
}

void BoardController::setAnnouncer(Announcer* announcer) {
    if (announcer_ == announcer) return;
    announcer_ = announcer;
    emit announcerChanged();
}

void BoardController::setTextScale(double value) {
    if (!(value > 0) || !std::isfinite(value)) value = 1.0;
    if (value == textScale_) return;
    textScale_ = value;
    updateGeometry();
}

void BoardController::updateGeometry() {
    const BoardSize size = game_ ? game_->game().boardSize() : BoardSize::standard;
    geometry_ = boardGeometry(rows(), columns(), boardScaleFor(textScale_, size));
    emit geometryChanged();
    emit focusRingChanged();
}

double BoardController::focusRingX() const {
    const qint64 c = columns();
    return c > 0 ? geometry_.tilePitch * double(focusedTile_ % c) : 0.0;
}

double BoardController::focusRingY() const {
    const qint64 c = columns();
    return c > 0 ? geometry_.tilePitch * double(focusedTile_ / c) : 0.0;
}

bool BoardController::inputBlocked() const {
    return (game_ && game_->isShowingScreen()) || isConfirmingNewGame_;
}

bool BoardController::hintButtonEnabled() const {
    return game_ && game_->game().phase() == GamePhase::playing && !isConfirmingNewGame_;
}

bool BoardController::flagModeButtonEnabled() const { return game_ && !game_->isGameOver(); }

void BoardController::setFocusedTile(qint64 index) {
    if (index == focusedTile_) return;
    focusedTile_ = index;
    emit focusedTileChanged();
    emit focusRingChanged();
}

void BoardController::setShowKeyboardFocus(bool value) {
    if (value == showKeyboardFocus_) return;
    showKeyboardFocus_ = value;
    emit showKeyboardFocusChanged();
    emit focusRingChanged();
}

void BoardController::setBoardFocused(bool value) {
    if (value == isBoardFocused_) return;
    isBoardFocused_ = value;
    emit isBoardFocusedChanged();
    emit focusRingChanged();
}

void BoardController::requestBoardFocus(bool focused) {
    setBoardFocused(focused);
    emit boardFocusRequested(focused);
}

void BoardController::setConfirmingNewGame(bool value) {
    if (value == isConfirmingNewGame_) return;
    isConfirmingNewGame_ = value;
    emit isConfirmingNewGameChanged();
    emit inputBlockedChanged();
    emit buttonsChanged();
}

void BoardController::onShowingScreenChanged() {
    requestBoardFocus(!game_->isShowingScreen());
    setShowKeyboardFocus(false);
}

void BoardController::onPhaseChanged() {
    const bool over = game_->isGameOver();
    if (over == wasGameOver_) return;
    wasGameOver_ = over;
    // A finished game leaves focus on the board, where the player can still look at it (the
    // result is said at once instead). A game-end button that held focus through Tab is gone
    // with its overlay when the next game starts: keys go back to the board.
    if (!over && !game_->isShowingScreen()) requestBoardFocus(true);
}

BoardController::MoveWatch BoardController::watchMove() const {
    MoveWatch watch;
    if (!game_ || !announcer_ || !Announcer::listening()) return watch;
    watch.listening = true;
    watch.wasOver = game_->isGameOver();
    for (const Tile& tile : game_->game().tiles()) watch.revealed += tile.isRevealed ? 1 : 0;
    return watch;
}

QString BoardController::gameEndText() const {
    return gameEndAnnouncement(game_->isWon(), game_->elapsedSeconds(), game_->newBestTime(), game_->usedHint());
}

void BoardController::announce(const QString& text) {
    if (announcer_) announcer_->announce(text);
}

void BoardController::announceMove(const MoveWatch& before, qint64 index) {
    if (!before.listening || !game_) return;
    // After the end the tiles take no moves: the result says why nothing happened.
    if (before.wasOver) return announce(gameEndText());
    const auto& tiles = game_->game().tiles();
    if (index < 0 || index >= qint64(tiles.size())) return;
    qint64 revealed = 0;
    for (const Tile& tile : tiles) revealed += tile.isRevealed ? 1 : 0;
    const Tile& tile = tiles[std::size_t(index)];
    const QString state = tileStateText(tile, game_->isLost(), game_->hintedTile() == index);
    // A loss lays every mine open, which is no count of the player's.
    if (game_->isGameOver()) return announce(QStringLiteral("%1. %2").arg(state, gameEndText()));
    announce(moveAnnouncement(state, revealed - before.revealed));
}

void BoardController::announceFocusedTile() {
    if (!game_ || !announcer_ || !Announcer::listening()) return;
    const auto& tiles = game_->game().tiles();
    if (focusedTile_ < 0 || focusedTile_ >= qint64(tiles.size()) || columns() <= 0) return;
    announce(tileAccessibleLabel(tiles[std::size_t(focusedTile_)], focusedTile_ / columns(), focusedTile_ % columns(),
                                 game_->isLost(), game_->hintedTile() == focusedTile_));
}

void BoardController::announceHint(qint64 focusedBefore) {
    if (!game_ || !announcer_ || !Announcer::listening()) return;
    const int hinted = game_->hintedTile();
    if (game_->isGameOver()) return announce(gameEndText());
    if (game_->game().phase() == GamePhase::ready)
        return announce(localized(QT_TRANSLATE_NOOP("Velmora", "No hint before the first move")));
    if (hinted < 0) return announce(localized(QT_TRANSLATE_NOOP("Velmora", "No hint available")));
    // A hint elsewhere moves focus there, and the reader says that tile; one on the focused
    // tile moves nothing, so it is said here.
    if (hinted == focusedBefore) {
        const Tile& tile = game_->game().tiles()[std::size_t(hinted)];
        announce(tileStateText(tile, false, true));
    }
}

void BoardController::handleClick(TileClick click, QPointF point) {
    if (!game_ || inputBlocked()) return;
    setShowKeyboardFocus(false);
    const qint64 index = hitTest(point, geometry_.tilePitch, rows(), columns());
    requestBoardFocus(true);
    setFocusedTile(index);
    const MoveWatch before = watchMove();
    switch (click) {
    case TileClick::primary: game_->game().primaryAction(index); break;
    case TileClick::flag: game_->game().toggleFlag(index); break;
    case TileClick::chord: game_->game().chord(index); break;
    }
    announceMove(before, index);
}

void BoardController::moveFocus(int direction) {
    if (direction < Up || direction > Right) return;
    setFocusedTile(movedFocus(focusedTile_, static_cast<FocusDirection>(direction), rows(), columns()));
}

void BoardController::activateFocusedTile() {
    if (!game_ || focusedTile_ < 0 || focusedTile_ >= tileCount()) return;
    if (game_->isTileRevealed(int(focusedTile_)))
        game_->game().chord(focusedTile_);
    else
        game_->game().reveal(focusedTile_);
}

bool BoardController::handleKey(int key, int modifiers, const QString& text) {
    if (!game_) return false;
    const bool blocked = inputBlocked();
    // Keypad keys carry KeypadModifier; it is not a modifier the user pressed.
    const int pressed = modifiers & ~int(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (blocked) return false;
        setShowKeyboardFocus(true);
        const Direction d = key == Qt::Key_Up ? Up : key == Qt::Key_Down ? Down : key == Qt::Key_Left ? Left : Right;
        const qint64 before = focusedTile_;
        moveFocus(d);
        // At an edge focus stays where it is and nothing would be heard: the tile is said again.
        if (focusedTile_ == before && isBoardFocused_) announceFocusedTile();
        return true;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (blocked || !isBoardFocused_) return false;
        setShowKeyboardFocus(true);
        {
            const MoveWatch before = watchMove();
            activateFocusedTile();
            announceMove(before, focusedTile_);
        }
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!game_->isShowingScreen()) setShowKeyboardFocus(true);
        return false;  // focus navigation still moves on
    default: break;
    }
    if (pressed != 0 || blocked || !isBoardFocused_) return false;
    if (text == QLatin1String("f") || text == QLatin1String("F")) {
        if (focusedTile_ < 0 || focusedTile_ >= tileCount()) return false;
        setShowKeyboardFocus(true);
        const MoveWatch before = watchMove();
        game_->game().toggleFlag(focusedTile_);
        announceMove(before, focusedTile_);
        return true;
    }
    if (text == QLatin1String("h") || text == QLatin1String("H")) {
        const qint64 focusedBefore = focusedTile_;
        game_->game().showHint();
        const int hinted = game_->hintedTile();
        if (hinted >= 0) {
            setFocusedTile(hinted);
            setShowKeyboardFocus(true);
        }
        announceHint(focusedBefore);
        return true;
    }
    // The header's mine counter and clock, said without leaving the board.
    if (text == QLatin1String("t") || text == QLatin1String("T")) {
        if (Announcer::listening()) announce(statusAnnouncement(game_->minesLeft(), game_->elapsedSeconds()));
        return true;
    }
    return false;
}

void BoardController::pressNewGame() {
    if (!game_ || inputBlocked()) return;
    if (game_->game().phase() == GamePhase::playing)
        setConfirmingNewGame(true);
    else
        game_->game().newGame();
}

void BoardController::pressHint() {
    if (!game_ || inputBlocked() || !hintButtonEnabled()) return;
    game_->game().showHint();
    const int hinted = game_->hintedTile();
    if (hinted < 0) return;
    // The keyboard position moves to the hint, but the keys stay where the player is (on
    // this button, after Tab) and no ring shows: a second Space must not uncover the hint.
    setFocusedTile(hinted);
    setShowKeyboardFocus(false);
}

void BoardController::playAgain() {
    if (!game_ || !game_->isGameOver()) return;
    game_->game().newGame();
}

void BoardController::pressFlagMode() {
    if (!game_ || !flagModeButtonEnabled()) return;
    game_->setIsFlagMode(!game_->isFlagMode());
}

void BoardController::confirmNewGame() {
    if (!game_ || !isConfirmingNewGame_) return;
    setConfirmingNewGame(false);
    game_->game().newGame();
    requestBoardFocus(true);
}

void BoardController::cancelNewGame() {
    if (!isConfirmingNewGame_) return;
    setConfirmingNewGame(false);
    // Keys go back to the board, where they were meant for before the question.
    requestBoardFocus(true);
}

void BoardController::openScreen(int screen) {
    if (!game_ || isConfirmingNewGame_ || game_->isShowingScreen()) return;
    if (screen < 0 || screen > 3) return;
    if (presentedScreen_ != screen) {
        presentedScreen_ = screen;
        emit presentedScreenChanged();
    }
    game_->setIsShowingScreen(true);
}

void BoardController::watchWindow(QWindow* window) {
    if (watchedWindow_ == window) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = window;
    if (window) window->installEventFilter(this);
}

bool BoardController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            handleKey(key->key(), int(key->modifiers()), key->text());
    }
    return false;  // never consumed: focus navigation still happens
}

void BoardController::viewDidAppear() {
    if (game_) game_->setIsViewVisible(true);
    setConfirmingNewGame(false);
    setShowKeyboardFocus(false);
    // A screen still open keeps the focus it had (its control, or its dialog); the board
    // below it is hidden and takes no keys.
    if (!game_ || !game_->isShowingScreen()) requestBoardFocus(true);
}

void BoardController::viewDidDisappear() {
    if (game_) game_->setIsViewVisible(false);
}

}  // namespace velmora::ui
