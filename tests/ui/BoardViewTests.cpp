#include <QAccessible>
#include <QGuiApplication>
#include <QPalette>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

#include "TileGraphics.h"
#include "UiHarness.h"

Q_IMPORT_QML_PLUGIN(VelmoraPlugin)

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::test::UiHarness;

class BoardViewTests : public QObject {
    Q_OBJECT
private slots:
    void viewLoadsWithEveryTile();
    void clicksReachTheTileUnderThePointer();
    void rightAndControlClicksFlag();
    void doubleClickUncoversThenChords();
    void flagModeChangesOnlyPlainClicks();
    void buttonPressesLeaveTheKeysWithTheBoard();
    void arrowKeysMoveTheRingAndStopAtEdges();
    void spaceAndReturnUncoverOrChord();
    void flagAndHintKeysNeedNoModifiers();
    void inputIsIgnoredWhileBlocked();
    void newGameAsksWhilePlaying();
    void tileLabelsOnTheScene();
    void headerCounterAndClock();
    void onlyChangedTilesAreReported();
    void boardFollowsDifficultyAndSize();
    void tilesFollowTheDesktopAppearance();
    void tilesAndTheirPartsAreMadeWhenFirstNeeded();
    void marksSpringInAndOutAcrossFlagAndQuestionMark();
    void aDeferredBoardLooksTheSameMeanwhile();
    void wonOverlayShowsTimeBestAndHint();
    void lossShowsBannerAndShakesOnce();
    void abandonGameConfirmation();
    void focusedTileIsWhatAssistiveTechnologyHears();
    void movesAreSaidWhereThePlayerIs();
    void winIsSaidWithTimeBestAndHint();
    void buttonsWorkThroughTheirPressAction();
    void headerOrderAndSteadyDigits();
    void counterRollsUnlessMotionIsReduced();
    void motionAndContrastFollowTheDesktopWhileRunning();
    void screenshot();
};

namespace {
// Beginner board with a wall of mines across row 6 (columns 0-7), one in each of two corners.
// A click in the upper part opens rows 0-5 without winning, and (6, 8) can be proven safe.
constexpr std::initializer_list<int> kFarMines{0, 54, 55, 56, 57, 58, 59, 60, 61, 80};

QString accessibleName(QQuickItem* item) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    return iface ? iface->text(QAccessible::Name) : item->property("accessibleLabel").toString();
}

const Tile& tileAt(UiHarness& h, int index) { return h.game.tiles()[static_cast<std::size_t>(index)]; }
}  // namespace

// Records the reveal delay a tile holds at the moment its face turns.
class FaceTurnWatch : public QObject {
    Q_OBJECT
public:
    QList<int> delays;
public slots:
    void turned() { delays.append(sender()->property("revealDelay").toInt()); }
};

// Every text a tile's number face shows while it fades, heard whenever the tile's face moves.
class FaceTextWatch : public QObject {
    Q_OBJECT
public:
    QSet<QString> seen;
public slots:
    void moved() {
        auto* face = sender()->property("faceItem").value<QQuickItem*>();
        if (face && !face->childItems().isEmpty()) seen.insert(face->childItems().first()->property("text").toString());
    }
};

void BoardViewTests::viewLoadsWithEveryTile() {
    UiHarness h;
    QVERIFY(h.load());
    QVERIFY(h.tile(0, 0));
    QVERIFY(h.tile(8, 8));
    QCOMPARE(h.view->width(), 375.0);
    QVERIFY(h.game.isViewVisible());
}

void BoardViewTests::clicksReachTheTileUnderThePointer() {
    UiHarness h;
    QVERIFY(h.load());
    const double size = h.controller->tileSize(), gap = h.controller->tileSpacing(), pitch = h.controller->tilePitch();
    h.layMines(kFarMines);
    // In the gap right of tile (1, 2): counts for (1, 2).
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.gridPoint(2 * pitch + size + gap / 2, pitch + 3));
    QCOMPARE(h.controller->focusedTile(), 1 * 9 + 2);
    QVERIFY(tileAt(h, 11).isRevealed);
    QCOMPARE(h.game.phase(), GamePhase::playing);
    // Far right and bottom edge of the catcher: last column and row.
    QTest::mouseClick(h.window.get(), Qt::RightButton, {},
                      h.gridPoint(h.controller->gridWidth() - 0.6, h.controller->gridHeight() - 0.6));
    QCOMPARE(h.controller->focusedTile(), 80);
    QVERIFY(tileAt(h, 80).isFlagged);
    // In the gap below tile (3, 0): counts for (3, 0).
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.gridPoint(2, 3 * pitch + size + gap / 2));
    QCOMPARE(h.controller->focusedTile(), 27);
}

void BoardViewTests::rightAndControlClicksFlag() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));
    QVERIFY(tileAt(h, 80).isFlagged);
    QVERIFY(!tileAt(h, 80).isRevealed);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, Qt::ControlModifier, h.tileCentre(8, 7));
    QVERIFY(tileAt(h, 79).isFlagged);
    QVERIFY(!tileAt(h, 79).isRevealed);
    // Control-double-click: both presses flag, so the mark cycles twice (flag, then question mark).
    QTest::mouseDClick(h.window.get(), Qt::LeftButton, Qt::ControlModifier, h.tileCentre(8, 6));
    QVERIFY(!tileAt(h, 78).isRevealed);
    QVERIFY(!tileAt(h, 78).isFlagged);
    QVERIFY(tileAt(h, 78).isQuestioned);
    // The middle button does nothing.
    QTest::mouseClick(h.window.get(), Qt::MiddleButton, {}, h.tileCentre(8, 5));
    QVERIFY(!tileAt(h, 77).isRevealed && !tileAt(h, 77).isFlagged && !tileAt(h, 77).isQuestioned);
}

void BoardViewTests::doubleClickUncoversThenChords() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    // (0, 1) touches the mine at 0: a number. The first press uncovers it, the second chords,
    // which opens nothing while the mine is unflagged.
    QTest::mouseDClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 1));
    QVERIFY(tileAt(h, 1).isRevealed);
    QCOMPARE(tileAt(h, 1).adjacentMines, 1);
    QVERIFY(!tileAt(h, 10).isRevealed);
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(0, 0));
    QVERIFY(tileAt(h, 0).isFlagged);
    // A single click on the uncovered number does nothing; a double-click chords around it.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 1));
    QVERIFY(!tileAt(h, 10).isRevealed);
    QTest::mouseDClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 1));
    QVERIFY(tileAt(h, 10).isRevealed);
    QVERIFY(tileAt(h, 2).isRevealed);
    QCOMPARE(h.game.phase(), GamePhase::playing);
}

void BoardViewTests::flagModeChangesOnlyPlainClicks() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.item("flagModeButton")->mapToScene({10, 10}).toPoint());
    QVERIFY(h.game.isFlagMode());
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(8, 8));
    QVERIFY(tileAt(h, 80).isFlagged);
    // The keyboard ignores flag mode: Space on a covered tile still uncovers it.
    h.game.setIsFlagMode(true);
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));  // focus there, unflag
    QTest::keyClick(h.window.get(), Qt::Key_Up);
    QVERIFY(!tileAt(h, 71).isRevealed);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(tileAt(h, 71).isRevealed);
}

// A click on a header or banner button must not take the keys away from the board:
// Space right after switching flag mode on or asking for a hint uncovers a tile.
void BoardViewTests::buttonPressesLeaveTheKeysWithTheBoard() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    auto press = [&](const char* name) {
        QQuickItem* button = h.item(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, button->mapToScene({10, 10}).toPoint());
    };
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    press("hintButton");
    QCOMPARE(h.game.hintedTile(), std::optional<std::int64_t>(62));
    QVERIFY(h.controller->isBoardFocused());
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(tileAt(h, 62).isRevealed);

    press("flagModeButton");
    QVERIFY(h.game.isFlagMode());
    QVERIFY(h.controller->isBoardFocused());
    QTest::keyClick(h.window.get(), Qt::Key_Down);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(tileAt(h, 71).isRevealed);
    QVERIFY(h.game.isFlagMode());
    h.game.setIsFlagMode(false);

    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
    QCOMPARE(h.game.phase(), GamePhase::lost);
    press("tryAgainButton");
    QCOMPARE(h.game.phase(), GamePhase::ready);
    QVERIFY(h.controller->isBoardFocused());
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QVERIFY(tileAt(h, 0).isFlagged);
}

void BoardViewTests::arrowKeysMoveTheRingAndStopAtEdges() {
    UiHarness h;
    QVERIFY(h.load());
    QQuickItem* ring = h.item(QStringLiteral("focusRing"));
    QVERIFY(ring);
    QCOMPARE(ring->opacity(), 0.0);
    QTest::keyClick(h.window.get(), Qt::Key_Up);
    QTest::keyClick(h.window.get(), Qt::Key_Left);
    QCOMPARE(h.controller->focusedTile(), 0);
    QVERIFY(h.controller->showKeyboardFocus());
    QTRY_COMPARE(ring->opacity(), 1.0);
    for (int i = 0; i < 12; ++i) QTest::keyClick(h.window.get(), Qt::Key_Right);
    QCOMPARE(h.controller->focusedTile(), 8);
    for (int i = 0; i < 12; ++i) QTest::keyClick(h.window.get(), Qt::Key_Down);
    QCOMPARE(h.controller->focusedTile(), 80);
    QCOMPARE(ring->x(), 8 * h.controller->tilePitch());
    QCOMPARE(ring->y(), 8 * h.controller->tilePitch());
    // A press hides the ring; the next arrow shows it one step from the pressed tile.
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QVERIFY(!h.controller->showKeyboardFocus());
    QTRY_COMPARE(ring->opacity(), 0.0);
    QTest::keyClick(h.window.get(), Qt::Key_Right);
    QCOMPARE(h.controller->focusedTile(), 41);
    QVERIFY(h.controller->focusRingVisible());
}

void BoardViewTests::spaceAndReturnUncoverOrChord() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::keyClick(h.window.get(), Qt::Key_Right);  // (0, 1), a number next to the mine at 0
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(tileAt(h, 1).isRevealed);
    QVERIFY(!tileAt(h, 10).isRevealed);
    QTest::keyClick(h.window.get(), Qt::Key_Left);
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QVERIFY(tileAt(h, 0).isFlagged);
    QTest::keyClick(h.window.get(), Qt::Key_Right);
    QTest::keyClick(h.window.get(), Qt::Key_Return);  // on an uncovered number: chord
    QVERIFY(tileAt(h, 10).isRevealed);
    QVERIFY(tileAt(h, 2).isRevealed);
}

void BoardViewTests::flagAndHintKeysNeedNoModifiers() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));  // now question-marked
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));  // and clear again
    for (auto modifier : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier, Qt::ShiftModifier}) {
        QTest::keyClick(h.window.get(), Qt::Key_F, modifier);
        QVERIFY(!tileAt(h, 80).isFlagged);
        QTest::keyClick(h.window.get(), Qt::Key_H, modifier);
        QCOMPARE(h.game.hintedTile(), std::nullopt);
    }
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QVERIFY(tileAt(h, 80).isFlagged);
    QVERIFY(h.controller->showKeyboardFocus());
    // Held F: every auto-repeat toggles again.
    QTest::keyEvent(QTest::KeyAction::Press, h.window.get(), Qt::Key_F);
    QVERIFY(tileAt(h, 80).isQuestioned);

    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));  // hides the ring
    QTest::keyClick(h.window.get(), Qt::Key_H);
    QVERIFY(h.game.hintedTile().has_value());
    QCOMPARE(h.controller->focusedTile(), int(*h.game.hintedTile()));
    QVERIFY(h.controller->showKeyboardFocus());
    QQuickItem* hinted = h.item(QStringLiteral("tile-%1-%2").arg(*h.game.hintedTile() / 9).arg(*h.game.hintedTile() % 9));
    QVERIFY(accessibleName(hinted).endsWith(QStringLiteral("covered, safe to uncover (hint)")));
    // The hint button does the same but leaves the ring hidden.
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.item("hintButton")->mapToScene({10, 10}).toPoint());
    QCOMPARE(h.controller->focusedTile(), int(*h.game.hintedTile()));
    QVERIFY(!h.controller->showKeyboardFocus());
}

void BoardViewTests::inputIsIgnoredWhileBlocked() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    const std::vector<Tile> before = h.game.tiles();
    const int focus = h.controller->focusedTile();

    h.game.setIsShowingScreen(true);
    QVERIFY(h.controller->inputBlocked());
    QVERIFY(!h.controller->isBoardFocused());
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 1));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(8, 8));
    for (auto key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Space, Qt::Key_Return, Qt::Key_F, Qt::Key_H, Qt::Key_Tab})
        QTest::keyClick(h.window.get(), key);
    QCOMPARE(h.game.tiles(), before);
    QCOMPARE(h.controller->focusedTile(), focus);
    QVERIFY(!h.controller->showKeyboardFocus());  // Tab with a screen showing does not show the ring
    QCOMPARE(h.game.hintedTile(), std::nullopt);
    h.game.setIsShowingScreen(false);
    QVERIFY(h.controller->isBoardFocused());
    QVERIFY(!h.controller->showKeyboardFocus());

    // While the abandon-game confirmation shows, a click on the board only cancels it and
    // of the keys only Tab still counts.
    h.controller->pressNewGame();
    QVERIFY(h.controller->isConfirmingNewGame());
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 1));
    QVERIFY(!h.controller->isConfirmingNewGame());
    QCOMPARE(h.game.tiles(), before);
    h.controller->pressNewGame();
    for (auto key : {Qt::Key_Down, Qt::Key_Space, Qt::Key_F, Qt::Key_H}) QTest::keyClick(h.window.get(), key);
    QCOMPARE(h.game.tiles(), before);
    QCOMPARE(h.controller->focusedTile(), focus);
    QVERIFY(!h.controller->hintButtonEnabled());
    QTest::keyClick(h.window.get(), Qt::Key_Tab);
    QVERIFY(h.controller->showKeyboardFocus());
}

void BoardViewTests::newGameAsksWhilePlaying() {
    UiHarness h;
    QVERIFY(h.load());
    QVERIFY(!h.controller->hintButtonEnabled());  // ready: no hint yet
    QVERIFY(h.controller->flagModeButtonEnabled());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QVERIFY(h.controller->hintButtonEnabled());
    QTest::keyClick(h.window.get(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(h.controller->isConfirmingNewGame());
    QCOMPARE(h.game.phase(), GamePhase::playing);
    h.controller->cancelNewGame();
    QCOMPARE(h.game.phase(), GamePhase::playing);
    h.controller->pressNewGame();
    h.controller->confirmNewGame();
    QCOMPARE(h.game.phase(), GamePhase::ready);
    QVERIFY(!h.controller->isConfirmingNewGame());
    // Lost: New game starts at once; hint and flag mode are disabled.
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
    QCOMPARE(h.game.phase(), GamePhase::lost);
    QVERIFY(!h.controller->hintButtonEnabled());
    QVERIFY(!h.controller->flagModeButtonEnabled());
    QVERIFY(!h.item("flagModeButton")->isEnabled());
    h.controller->pressNewGame();
    QCOMPARE(h.game.phase(), GamePhase::ready);
    // Quit from the menu is reported to the app.
    QSignalSpy quit(h.view, SIGNAL(quitRequested()));
    QTest::keyClick(h.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(quit.count(), 1);
}

void BoardViewTests::tileLabelsOnTheScene() {
    UiHarness h;
    QVERIFY(h.load());
    // Mines at (1, 0) and (3, 0): (2, 0) has two neighbouring mines.
    h.layMines({9, 27, 80, 79, 78, 77, 76, 75, 74, 73});
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(2, 0));
    QCOMPARE(accessibleName(h.tile(2, 0)), QStringLiteral("Row 3, column 1: 2 mines nearby"));
    QCOMPARE(accessibleName(h.tile(0, 0)), QStringLiteral("Row 1, column 1: covered"));
    // A wrong flag and a right flag, then a loss.
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(0, 0));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(1, 0));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(8, 8));
    QCOMPARE(h.game.phase(), GamePhase::lost);
    QCOMPARE(accessibleName(h.tile(0, 0)), QStringLiteral("Row 1, column 1: flagged, no mine"));
    QCOMPARE(h.tile(0, 0)->property("face").toString(), QStringLiteral("mine"));
    QCOMPARE(accessibleName(h.tile(1, 0)), QStringLiteral("Row 2, column 1: flagged"));
    QCOMPARE(h.tile(1, 0)->property("face").toString(), QStringLiteral("covered"));
    QCOMPARE(accessibleName(h.tile(8, 8)), QStringLiteral("Row 9, column 9: mine"));
    QVERIFY(h.tile(8, 8)->property("isExploded").toBool());
}

void BoardViewTests::headerCounterAndClock() {
    UiHarness h;
    QVERIFY(h.load());
    QQuickItem* counter = h.item(QStringLiteral("minesLeftLabel"));
    QQuickItem* digits = h.item(QStringLiteral("minesLeftText"));
    QQuickItem* clock = h.item(QStringLiteral("timerLabel"));
    QVERIFY(counter && digits && clock);
    QTRY_COMPARE(digits->property("text").toString(), QStringLiteral("10"));
    QCOMPARE(clock->property("text").toString(), QStringLiteral("0:00"));
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    int flags = 0;
    for (int i = 0; i < 81 && flags < 12; ++i)
        if (!tileAt(h, i).isRevealed) {
            h.game.toggleFlag(i);
            ++flags;
        }
    QTRY_COMPARE(digits->property("text").toString(), QStringLiteral("-2"));
    QCOMPARE(accessibleName(counter), QStringLiteral("-2 mines left"));
    h.scheduler.advance(65'000);
    QCOMPARE(clock->property("text").toString(), QStringLiteral("1:05"));
    QCOMPARE(accessibleName(clock), QStringLiteral("Time: 1:05"));
    // Hiding the view pauses the clock; showing it again resumes.
    QMetaObject::invokeMethod(h.view, "viewDidDisappear");
    QVERIFY(!h.game.isViewVisible());
    h.scheduler.advance(10'000);
    QCOMPARE(clock->property("text").toString(), QStringLiteral("1:05"));
    QMetaObject::invokeMethod(h.view, "viewDidAppear");
    h.scheduler.advance(1'000);
    QCOMPARE(clock->property("text").toString(), QStringLiteral("1:06"));
    for (const char* id : {"boardTitle", "newGameButton", "flagModeButton", "hintButton", "moreMenuButton", "board"})
        QVERIFY2(!accessibleName(h.item(QString::fromLatin1(id))).isEmpty(), id);
}

void BoardViewTests::onlyChangedTilesAreReported() {
    UiHarness h;
    QVERIFY(h.load());
    h.game.setDifficulty(Difficulty::expert);
    QCOMPARE(h.model.tiles()->count(), 484);
    QVERIFY(h.tile(21, 21));
    MineLayout layout(484, false);
    for (int i = 0; i < 99; ++i) layout[static_cast<std::size_t>(383 + i)] = true;
    h.game.setNextLayout(layout);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
    QSignalSpy changed(h.model.tiles(), &QAbstractItemModel::dataChanged);
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(21, 21));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>().row(), 483);
    QCOMPARE(changed[0][1].value<QModelIndex>().row(), 483);
    QCOMPARE(h.model.tiles()->lastChangedCount(), 1);
    // A hint changes exactly the hinted tile.
    h.game.setDifficulty(Difficulty::beginner);
    QCOMPARE(h.model.tiles()->count(), 81);
    h.layMines(kFarMines);
    h.game.reveal(40);
    changed.clear();
    h.game.showHint();
    QVERIFY(h.game.hintedTile().has_value());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>().row(), int(*h.game.hintedTile()));
    QVERIFY(h.model.tiles()->get(int(*h.game.hintedTile())).value(QStringLiteral("isHinted")).toBool());
}

void BoardViewTests::boardFollowsDifficultyAndSize() {
    UiHarness h;
    QVERIFY(h.load());
    QQuickItem* grid = h.item(QStringLiteral("grid"));
    QVERIFY(std::abs(grid->width() - 330) < 1e-6);
    h.game.setBoardSize(BoardSize::large);
    QVERIFY(std::abs(h.view->width() - 442.5) < 1e-6);
    // Newer Qt lays the board out again at the next polish, not at once.
    QTRY_VERIFY(std::abs(h.item(QStringLiteral("board"))->width() - 409.46) < 1e-6);
    QVERIFY(std::abs(h.tile(0, 0)->width() - 40.39) < 0.005);
    h.game.setDifficulty(Difficulty::intermediate);
    QCOMPARE(h.model.tiles()->count(), 256);
    QVERIFY(h.tile(15, 15));
    QVERIFY(!h.tile(16, 0));
    h.settings.setTextScale(1.5);
    QVERIFY(std::abs(h.view->width() - 375 * 1.5 * 1.18) < 1e-6);
    h.settings.setTextScale(-3);  // nonsense falls back to 1
    QCOMPARE(h.controller->boardScale(), 1.18);
    // A click still lands on the tile drawn under it at the new size.
    QTRY_VERIFY(h.window->height() >= int(h.view->height()));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(15, 3));
    QVERIFY(tileAt(h, 15 * 16 + 3).isFlagged);
}

namespace {
// The first item below `root` whose class is `className` and that `accept` takes.
QQuickItem* findItem(QQuickItem* root, const char* className, const std::function<bool(QQuickItem*)>& accept) {
    if (!root) return nullptr;
    if (root->inherits(className) && accept(root)) return root;
    for (QQuickItem* child : root->childItems())
        if (QQuickItem* hit = findItem(child, className, accept)) return hit;
    return nullptr;
}
}  // namespace

// Switching the desktop between light and dark redraws numbers and covered tiles too.
void BoardViewTests::tilesFollowTheDesktopAppearance() {
    const QPalette original = QGuiApplication::palette();
    UiHarness h;
    h.settings.setReduceMotion(true);
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QCOMPARE(tileAt(h, 45).adjacentMines, 2);
    auto number = [&] {
        return findItem(h.tile(5, 0), "QQuickText", [](QQuickItem* t) { return t->property("text") == "2"; });
    };
    auto covered = [&] {
        return findItem(h.tile(8, 8), "QQuickImage", [](QQuickItem* i) {
            return i->property("source").toUrl().toString().startsWith(QStringLiteral("image://velmora/covered/"));
        });
    };
    QTRY_VERIFY(number());
    const bool wasDark = Appearance::fromApplicationPalette().dark;
    QCOMPARE(number()->property("color").value<QColor>().rgba(), numberColor(2, wasDark).rgba());
    const QString lightSource = covered()->property("source").toUrl().toString();

    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x1E1E1E));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2A2A2A));
    QGuiApplication::setPalette(dark);
    QVERIFY(!wasDark);
    QTRY_COMPARE(number()->property("color").value<QColor>().rgba(), numberColor(2, true).rgba());
    QString darkSource;
    QTRY_VERIFY2((darkSource = covered()->property("source").toUrl().toString()) != lightSource,
                 qPrintable(darkSource));
    QVERIFY(darkSource.contains(QStringLiteral("ff2a2a2a")));
    QGuiApplication::setPalette(original);
}

namespace {
// The visible tile image whose source starts with image://velmora/<kind>/.
QQuickItem* tileImage(QQuickItem* tile, const QString& kind) {
    return findItem(tile, "QQuickImage", [&](QQuickItem* i) {
        return i->isVisible() && i->property("source").toUrl().toString().startsWith(QStringLiteral("image://velmora/") + kind);
    });
}
}  // namespace

// A waiting program holds no tiles; the board is made when first shown, and within a tile the
// uncovered face, marks and hint ring are made only once it needs them, yet always in time.
void BoardViewTests::tilesAndTheirPartsAreMadeWhenFirstNeeded() {
    UiHarness h;
    QVERIFY(h.load(false));
    QVERIFY(!h.tile(0, 0));
    QMetaObject::invokeMethod(h.view, "viewDidAppear");
    QVERIFY(h.tile(0, 0) && h.tile(8, 8));
    QVERIFY(tileImage(h.tile(0, 0), "covered/"));
    auto anyImage = [](QQuickItem* tile, const char* kind) {
        return findItem(tile, "QQuickImage", [kind](QQuickItem* i) {
            return i->property("source").toUrl().toString().contains(QLatin1String(kind));
        });
    };
    QVERIFY(!anyImage(h.tile(0, 0), "/face/") && !anyImage(h.tile(0, 0), "/mark/"));

    // Uncovering: the face is there at once, before its animation has moved it, and the far
    // tiles' faces too; the covered face fades out over it.
    h.layMines(kFarMines);
    h.game.reveal(40);
    QQuickItem* far = h.tile(0, 4);
    QCOMPARE(far->property("uncovering").toDouble(), 0.0);
    QVERIFY(tileImage(far, "face/"));
    QVERIFY(tileImage(far, "covered/"));
    QTRY_COMPARE(far->property("uncovering").toDouble(), 1.0);
    QVERIFY(!tileImage(far, "covered/"));
    QQuickItem* number = tileImage(h.tile(5, 0), "face/1/");  // (5, 0) has 2 mines next to it
    QVERIFY(number);
    QVERIFY(findItem(number, "QQuickText", [](QQuickItem* t) { return t->property("text") == "2"; }));
    QVERIFY(!findItem(tileImage(far, "face/0/"), "QQuickText", [](QQuickItem*) { return true; }));

    // A hint shows its ring on a tile that had none, and it pulses to the settled ring.
    h.game.showHint();
    QVERIFY(h.game.hintedTile().has_value());
    QQuickItem* hinted = h.item(QStringLiteral("tile-%1-%2").arg(*h.game.hintedTile() / 9).arg(*h.game.hintedTile() % 9));
    auto ring = [&] {
        return findItem(hinted, "QQuickRectangle", [](QQuickItem* r) { return r->isVisible(); });
    };
    QVERIFY(ring());
    QTRY_COMPARE(ring()->parentItem()->scale(), 1.0);
    QCOMPARE(ring()->parentItem()->opacity(), 1.0);

    // Lost with a wrong flag: its mine face with the crossed flag is made and shown.
    h.game.toggleFlag(79);
    QTRY_VERIFY(tileImage(h.tile(8, 7), "mark/0/"));
    h.game.reveal(0);
    QCOMPARE(h.game.phase(), GamePhase::lost);
    QTRY_VERIFY(tileImage(h.tile(8, 7), "face/4/"));
    QTRY_VERIFY(tileImage(h.tile(0, 0), "face/3/"));  // the exploded mine
}

// Flag, question mark, nothing: each mark grows in from 30 % past its full size and back,
// the one taken off shrinks away meanwhile, and with reduce motion the marks change at once.
void BoardViewTests::marksSpringInAndOutAcrossFlagAndQuestionMark() {
    // Every frame one step on, so the overshoot is seen however slow the mark's first frame is.
    TileClock::setFrameStepForTesting(16);
    const auto realTime = qScopeGuard([] { TileClock::setFrameStepForTesting(0); });
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    h.game.reveal(40);
    QQuickItem* tile = h.tile(8, 8);
    // The mark image showing the given mark, drawn or not.
    auto mark = [&](const char* name) {
        return findItem(tile, "QQuickImage", [name](QQuickItem* i) { return i->property("mark") == QLatin1String(name); });
    };
    auto drawn = [](QQuickItem* image) { return image && image->isVisible() && image->opacity() > 0; };

    h.game.toggleFlag(80);
    QQuickItem* flag = mark("flag");
    QVERIFY(flag);
    double largest = 0;
    QObject::connect(flag, &QQuickItem::scaleChanged, flag, [&] { largest = std::max(largest, flag->scale()); });
    QTRY_VERIFY(drawn(flag) && flag->scale() == 1.0 && flag->opacity() == 1.0);
    QVERIFY2(largest > 1.05, qPrintable(QString::number(largest)));  // the spring carried it past its size
    QVERIFY(flag->property("source").toUrl().toString().startsWith(QStringLiteral("image://velmora/mark/0/")));

    h.game.toggleFlag(80);  // flag -> question mark: one grows in while the other shrinks away
    QVERIFY(tileAt(h, 80).isQuestioned);
    QVERIFY(mark("questionMark"));
    QVERIFY(drawn(mark("flag")));
    QTRY_VERIFY(!drawn(mark("flag")));
    QTRY_VERIFY(drawn(mark("questionMark")) && mark("questionMark")->scale() == 1.0);

    h.game.toggleFlag(80);  // question mark -> nothing: it shrinks away too
    QVERIFY(!tileAt(h, 80).isQuestioned && !tileAt(h, 80).isFlagged);
    QVERIFY(drawn(mark("questionMark")));
    QTRY_VERIFY(!mark("questionMark"));

    h.settings.setReduceMotion(true);
    h.game.toggleFlag(80);
    QVERIFY(drawn(mark("flag")));
    QCOMPARE(mark("flag")->scale(), 1.0);
    h.game.toggleFlag(80);
    QVERIFY(!drawn(mark("flag")));
    QVERIFY(drawn(mark("questionMark")));
    QCOMPARE(mark("questionMark")->scale(), 1.0);
}

// Made after the panel's first frame (as the program does), a fresh board shows one image of
// its covered tiles until then, and that image looks like them.
void BoardViewTests::aDeferredBoardLooksTheSameMeanwhile() {
    UiHarness h;
    QVERIFY(h.load(false));
    h.view->setProperty("deferredBoard", true);
    QMetaObject::invokeMethod(h.view, "viewDidAppear");
    QQuickItem* standIn = h.item(QStringLiteral("boardStandIn"));
    QVERIFY(standIn);
    QVERIFY(standIn->isVisible());
    QVERIFY(!h.tile(0, 0));
    QQuickItem* grid = h.item(QStringLiteral("grid"));
    const QRect board = QRectF(grid->mapToScene(QPointF(0, 0)), grid->size()).toAlignedRect();
    const QImage meanwhile = h.window->grabWindow().copy(board);
    QMetaObject::invokeMethod(h.view, "buildBoard");
    QVERIFY(!standIn->isVisible());
    QVERIFY(h.tile(8, 8));
    const QImage tiles = h.window->grabWindow().copy(board);
    QCOMPARE(meanwhile.size(), tiles.size());
    int differing = 0;
    for (int y = 0; y < tiles.height(); ++y)
        for (int x = 0; x < tiles.width(); ++x) {
            const QColor a = meanwhile.pixelColor(x, y), b = tiles.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 24)
                ++differing;
        }
    QVERIFY2(differing < tiles.width() * tiles.height() / 100, qPrintable(QString::number(differing)));

    // No stand-in for a board that would not look like it: one in play, or a fresh one with a
    // question mark left from a flag taken off. Those tiles are made at once.
    UiHarness played;
    QVERIFY(played.load(false));
    played.layMines(kFarMines);
    played.game.reveal(40);
    UiHarness marked;
    QVERIFY(marked.load(false));
    marked.game.toggleFlag(3);
    marked.game.toggleFlag(3);
    QVERIFY(marked.game.tiles()[3].isQuestioned);
    for (UiHarness* other : {&played, &marked}) {
        other->view->setProperty("deferredBoard", true);
        QMetaObject::invokeMethod(other->view, "viewDidAppear");
        QVERIFY(!other->item(QStringLiteral("boardStandIn"))->isVisible());
        QVERIFY(other->tile(0, 4));
    }
    QVERIFY(tileImage(played.tile(0, 4), "face/"));

    // A tile changed while the stand-in shows (keys before the first frame) makes the tiles.
    UiHarness early;
    QVERIFY(early.load(false));
    early.view->setProperty("deferredBoard", true);
    QMetaObject::invokeMethod(early.view, "viewDidAppear");
    QVERIFY(early.item(QStringLiteral("boardStandIn"))->isVisible());
    early.game.toggleFlag(5);
    QVERIFY(!early.item(QStringLiteral("boardStandIn"))->isVisible());
    QVERIFY(early.tile(0, 5));
}

namespace {
void revealAllSafe(UiHarness& h) {
    for (int i = 0; i < int(h.game.tiles().size()); ++i)
        if (!tileAt(h, i).hasMine && !tileAt(h, i).isRevealed) h.game.reveal(i);
}
bool shown(UiHarness& h, const char* id) {
    QQuickItem* item = h.item(QString::fromLatin1(id));
    return item && item->isVisible() && item->opacity() > 0;
}
}  // namespace

void BoardViewTests::wonOverlayShowsTimeBestAndHint() {
    {
        UiHarness h;
        QVERIFY(h.load());
        QVERIFY(!shown(h, "winOverlay"));
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        h.scheduler.advance(65'000);
        // The hidden card is not renamed by the running clock.
        QCOMPARE(accessibleName(h.item("winOverlay")), QString());
        revealAllSafe(h);
        QCOMPARE(h.game.phase(), GamePhase::won);
        QTRY_VERIFY(shown(h, "winOverlay"));
        QCOMPARE(accessibleName(h.item("winOverlay")), QStringLiteral("Board Cleared. Time: 1:05"));
        QCOMPARE(h.item("wonTimeLabel")->property("text").toString(), QStringLiteral("Time: 1:05"));
        QVERIFY(shown(h, "newBestTimeLabel"));  // first win on Beginner
        QVERIFY(!shown(h, "hintUsedLabel"));
        // A screen hides the card completely: not drawn over it, not reached by Tab.
        h.game.setIsShowingScreen(true);
        QVERIFY(!h.item("winOverlay")->isVisible());
        QVERIFY(!h.item("playAgainButton")->isVisible());
        h.game.setIsShowingScreen(false);
        QVERIFY(shown(h, "winOverlay"));

        // What leaves with the new game keeps the values it had while it fades out: the card
        // its time and best time, a number face its count.
        auto faceText = [&](int row, int column) {
            auto* face = h.tile(row, column)->property("faceItem").value<QQuickItem*>();
            return face && !face->childItems().isEmpty() ? face->childItems().first()->property("text").toString() : QString();
        };
        QCOMPARE(faceText(5, 3), QStringLiteral("3"));
        FaceTextWatch faceTexts;
        QVERIFY(QObject::connect(h.tile(5, 3), SIGNAL(uncoveringChanged()), &faceTexts, SLOT(moved())));
        QVERIFY(QObject::connect(h.tile(5, 3), SIGNAL(adjacentMinesChanged()), &faceTexts, SLOT(moved())));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.item("playAgainButton")->mapToScene({20, 8}).toPoint());
        QCOMPARE(h.game.phase(), GamePhase::ready);
        QCOMPARE(h.item("wonTimeLabel")->property("text").toString(), QStringLiteral("Time: 1:05"));
        QVERIFY(h.item("winOverlay")->property("shownNewBest").toBool());
        // Every step of the fade, until the face is gone.
        QTRY_VERIFY(!h.tile(5, 3)->property("faceItem").value<QQuickItem*>());
        QCOMPARE(faceTexts.seen, QSet<QString>{QStringLiteral("3")});
        QTRY_VERIFY(!shown(h, "winOverlay"));
        // The next game's clock does not rename the hidden card.
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        h.scheduler.advance(3'000);
        QCOMPARE(accessibleName(h.item("winOverlay")), QStringLiteral("Board Cleared. Time: 1:05"));
    }
    {
        UiHarness h;
        h.settings.setReduceMotion(true);
        QVERIFY(h.load());
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        h.game.showHint();
        QVERIFY(h.game.usedHint());
        revealAllSafe(h);
        QCOMPARE(h.game.phase(), GamePhase::won);
        QVERIFY(shown(h, "winOverlay"));  // at once: no transition with reduce motion
        QCOMPARE(h.item("winOverlay")->opacity(), 1.0);
        QVERIFY(shown(h, "hintUsedLabel"));
        QVERIFY(!shown(h, "newBestTimeLabel"));
        QCOMPARE(h.tile(8, 4)->property("uncovering").toDouble(), 1.0);  // faces turned at once
    }
    {
        // With motion, a far tile of an opened region waits before its face turns.
        UiHarness h;
        QVERIFY(h.load());
        h.layMines(kFarMines);
        FaceTurnWatch faceTurns;
        QVERIFY(QObject::connect(h.tile(0, 4), SIGNAL(showsUncoveredFaceChanged()), &faceTurns, SLOT(turned())));
        h.game.reveal(40);
        QVERIFY(tileAt(h, 4).isRevealed && tileAt(h, 4).revealDistance >= 4);
        QCOMPARE(h.tile(0, 4)->property("revealDelay").toInt(), 25 * int(tileAt(h, 4).revealDistance));
        // The face turned with the tile's new delay already in place, whatever order the
        // view would otherwise give the changed values in.
        QCOMPARE(faceTurns.delays, QList<int>{25 * int(tileAt(h, 4).revealDistance)});
        QCOMPARE(h.tile(0, 4)->property("uncovering").toDouble(), 0.0);
        QTRY_COMPARE(h.tile(0, 4)->property("uncovering").toDouble(), 1.0);
    }
}

void BoardViewTests::lossShowsBannerAndShakesOnce() {
    UiHarness h;
    QVERIFY(h.load());
    for (int round = 1; round <= 2; ++round) {
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        QVERIFY(!shown(h, "lostBanner"));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
        QCOMPARE(h.game.phase(), GamePhase::lost);
        QVERIFY(shown(h, "lostBanner"));
        QTRY_COMPARE(h.view->property("shake").toDouble(), double(round));  // each loss shakes once
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.item("tryAgainButton")->mapToScene({10, 8}).toPoint());
        QCOMPARE(h.game.phase(), GamePhase::ready);
        QVERIFY(!shown(h, "lostBanner"));
    }
    // The banner belongs to the main content: a screen hides it.
    h.layMines(kFarMines);
    h.game.reveal(40);
    h.game.reveal(0);
    QVERIFY(shown(h, "lostBanner"));
    h.game.setIsShowingScreen(true);
    QVERIFY(!shown(h, "lostBanner"));
    h.game.setIsShowingScreen(false);
    h.game.newGame();
    QTRY_COMPARE(h.view->property("shake").toDouble(), 3.0);

    h.settings.setReduceMotion(true);
    h.layMines(kFarMines);
    h.game.reveal(40);
    h.game.reveal(0);
    QVERIFY(shown(h, "lostBanner"));
    QTest::qWait(50);
    QCOMPARE(h.view->property("shake").toDouble(), 3.0);  // the earlier losses only: no shake now
}

void BoardViewTests::abandonGameConfirmation() {
    UiHarness h;
    QVERIFY(h.load());
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    h.game.setCurrentStreak(3);
    const QPoint newGame = h.item("newGameButton")->mapToScene({14, 14}).toPoint();
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, newGame);
    QVERIFY(shown(h, "abandonGameDialog"));
    QVERIFY(!h.item("hintButton")->isEnabled());
    // A second New game while asking does nothing; Cancel keeps game, clock and streak.
    h.controller->pressNewGame();
    h.scheduler.advance(2'000);
    QCOMPARE(h.game.elapsedSeconds(), 2);  // the clock keeps running while asking
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {},
                      h.item("cancelNewGameButton")->mapToScene({10, 8}).toPoint());
    QVERIFY(!shown(h, "abandonGameDialog"));
    QCOMPARE(h.game.phase(), GamePhase::playing);
    QCOMPARE(h.game.currentStreak(), 3);
    // Hiding and showing the view drops the question without a new game.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, newGame);
    QVERIFY(shown(h, "abandonGameDialog"));
    QMetaObject::invokeMethod(h.view, "viewDidDisappear");
    QMetaObject::invokeMethod(h.view, "viewDidAppear");
    QVERIFY(!shown(h, "abandonGameDialog"));
    QCOMPARE(h.game.phase(), GamePhase::playing);
    // Confirming starts over and resets the streak.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, newGame);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {},
                      h.item("confirmNewGameButton")->mapToScene({10, 8}).toPoint());
    QCOMPARE(h.game.phase(), GamePhase::ready);
    QCOMPARE(h.game.currentStreak(), 0);
    QVERIFY(h.controller->isBoardFocused());
}

namespace {
// The scene's active focus item after every change of it.
struct FocusTrail {
    QList<QQuickItem*> items;
    QMetaObject::Connection connection;
    explicit FocusTrail(QQuickWindow* window) {
        connection = QObject::connect(window, &QQuickWindow::activeFocusItemChanged, window,
                                      [this, window] { items.append(window->activeFocusItem()); });
    }
    ~FocusTrail() { QObject::disconnect(connection); }
};

bool accessiblyFocused(QQuickItem* item) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    return iface && iface->state().focused && item->hasActiveFocus();
}

void pressAction(QQuickItem* item) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    QVERIFY(iface && iface->actionInterface());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}
}  // namespace

void BoardViewTests::focusedTileIsWhatAssistiveTechnologyHears() {
    UiHarness h;
    QVERIFY(h.load());
    QAccessible::setActive(true);
    QVERIFY(accessiblyFocused(h.tile(0, 0)));  // the board took focus on its first tile
    QQuickItem* cell = h.tile(1, 2);
    {
        FocusTrail trail(h.window.get());
        QTest::keyClick(h.window.get(), Qt::Key_Right);
        QTest::keyClick(h.window.get(), Qt::Key_Right);
        QTest::keyClick(h.window.get(), Qt::Key_Down);
        // Straight from tile to tile: focus never rests on the board itself in between,
        // which a screen reader would read out as a move to the table.
        QCOMPARE(trail.items, (QList<QQuickItem*>{h.tile(0, 1), h.tile(0, 2), cell}));
    }
    QVERIFY(accessiblyFocused(cell));
    QVERIFY(!accessiblyFocused(h.tile(0, 2)));
    QCOMPARE(accessibleName(cell), QStringLiteral("Row 2, column 3: covered"));
    QVERIFY(h.controller->isBoardFocused());

    // Uncovered or flagged, the tile keeps the focus with its new label.
    h.layMines(kFarMines);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(accessibleName(cell) != QStringLiteral("Row 2, column 3: covered"));
    QVERIFY(accessiblyFocused(cell));
    for (int i = 0; i < 5; ++i) QTest::keyClick(h.window.get(), Qt::Key_Down);
    QQuickItem* covered = h.tile(6, 2);
    QVERIFY(accessiblyFocused(covered));
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QCOMPARE(accessibleName(covered), QStringLiteral("Row 7, column 3: flagged"));
    QVERIFY(accessiblyFocused(covered));

    // A click focuses the tile under the pointer; H and the hint button the hinted tile.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QVERIFY(accessiblyFocused(h.tile(4, 4)));
    QTest::keyClick(h.window.get(), Qt::Key_H);
    QCOMPARE(h.game.hintedTile(), std::optional<std::int64_t>(62));
    QVERIFY(accessiblyFocused(h.tile(6, 8)));
    QCOMPARE(accessibleName(h.tile(6, 8)), QStringLiteral("Row 7, column 9: covered, safe to uncover (hint)"));
    // From the hint button reached by Tab, the keys stay on the button and no ring shows: a
    // second Space asks again instead of uncovering the hint. The board's position is the hint.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QQuickItem* hintButton = h.item(QStringLiteral("hintButton"));
    hintButton->forceActiveFocus(Qt::TabFocusReason);
    QVERIFY(!h.controller->isBoardFocused());
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QVERIFY(hintButton->hasActiveFocus());
    QVERIFY(!h.controller->isBoardFocused());
    QVERIFY(!h.controller->focusRingVisible());
    QCOMPARE(h.controller->focusedTile(), 62);
    QVERIFY(!tileAt(h, 62).isRevealed);
    // Back on the board, the position is the hinted tile.
    h.item(QStringLiteral("board"))->forceActiveFocus(Qt::TabFocusReason);
    QTRY_VERIFY(h.controller->isBoardFocused());
    QVERIFY(accessiblyFocused(h.tile(6, 8)));

    // A board of another size is built anew; the tile at the focus index holds focus again.
    h.game.setDifficulty(Difficulty::intermediate);
    QTRY_VERIFY(h.tile(15, 15));
    QVERIFY(accessiblyFocused(h.tile(3, 14)));  // index 62 on sixteen columns
}

namespace {
QString announced(UiHarness& h) { return h.item(QStringLiteral("announcer"))->property("text").toString(); }
}  // namespace

void BoardViewTests::movesAreSaidWhereThePlayerIs() {
    UiHarness h;
    h.settings.setReduceMotion(true);
    QVERIFY(h.load());
    h.layMines(kFarMines);
    // Nobody listening: nothing is composed or said. (Earlier tests switch accessibility on.)
    QAccessible::setActive(false);
    QTest::keyClick(h.window.get(), Qt::Key_H);
    QTest::keyClick(h.window.get(), Qt::Key_T);
    QCOMPARE(announced(h), QString());

    QAccessible::setActive(true);
    QTest::keyClick(h.window.get(), Qt::Key_H);
    QCOMPARE(announced(h), QStringLiteral("No hint before the first move"));
    // At an edge the focus stays: the tile is said again rather than nothing.
    QTest::keyClick(h.window.get(), Qt::Key_Up);
    QCOMPARE(announced(h), QStringLiteral("Row 1, column 1: covered"));
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(h.window.get(), Qt::Key_Down);
        QTest::keyClick(h.window.get(), Qt::Key_Right);
    }
    // A flood: the focused tile, then how much opened (rows 0-5 but the corner mine).
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QCOMPARE(announced(h), QStringLiteral("empty, 53 tiles uncovered"));
    QVERIFY(accessiblyFocused(h.tile(4, 4)));
    // Keys that change nothing say what the tile is, which is why.
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QCOMPARE(announced(h), QStringLiteral("empty"));
    QTest::keyClick(h.window.get(), Qt::Key_Down);
    QTest::keyClick(h.window.get(), Qt::Key_Return);  // a chord short of flags
    QCOMPARE(announced(h), QStringLiteral("3 mines nearby"));
    QTest::keyClick(h.window.get(), Qt::Key_Down);
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QCOMPARE(announced(h), QStringLiteral("flagged"));
    QTest::keyClick(h.window.get(), Qt::Key_Space);  // a flag keeps the tile covered
    QCOMPARE(announced(h), QStringLiteral("flagged"));
    QVERIFY(!tileAt(h, 58).isRevealed);
    h.scheduler.advance(65'000);
    QTest::keyClick(h.window.get(), Qt::Key_T);
    QCOMPARE(announced(h), QStringLiteral("9 mines left, Time: 1:05"));
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QCOMPARE(announced(h), QStringLiteral("question mark"));
    QTest::keyClick(h.window.get(), Qt::Key_F);
    QCOMPARE(announced(h), QStringLiteral("covered"));
    // A chord with nothing left to open says the tile.
    QTest::keyClick(h.window.get(), Qt::Key_Up);
    QTest::keyClick(h.window.get(), Qt::Key_Up);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QCOMPARE(announced(h), QStringLiteral("empty"));

    // The loss is said at once and the board keeps focus; further keys on it start nothing.
    QTest::keyClick(h.window.get(), Qt::Key_Down);
    QTest::keyClick(h.window.get(), Qt::Key_Down);
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QCOMPARE(h.game.phase(), GamePhase::lost);
    QCOMPARE(announced(h), QStringLiteral("mine. You hit a mine"));
    QVERIFY(accessiblyFocused(h.tile(6, 4)));
    QTest::keyClick(h.window.get(), Qt::Key_Space);
    QTest::keyClick(h.window.get(), Qt::Key_Return);
    QCOMPARE(h.game.phase(), GamePhase::lost);
    QCOMPARE(announced(h), QStringLiteral("You hit a mine"));
    QVERIFY(accessiblyFocused(h.tile(6, 4)));
    QCOMPARE(accessibleName(h.item(QStringLiteral("lostBanner"))), QStringLiteral("You hit a mine"));
    // Its button is still there for Tab, and starts over on the board.
    pressAction(h.item(QStringLiteral("tryAgainButton")));
    QCOMPARE(h.game.phase(), GamePhase::ready);
    QVERIFY(h.controller->isBoardFocused());
}

void BoardViewTests::winIsSaidWithTimeBestAndHint() {
    UiHarness h;
    h.settings.setReduceMotion(true);
    QVERIFY(h.load());
    QAccessible::setActive(true);
    for (bool hinted : {false, true}) {
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        if (hinted) h.game.showHint();
        h.scheduler.advance(65'000);
        // Everything but the last safe tile, (7, 8), which no flood reaches; the keyboard
        // uncovers it (three right-clicks only put the focus there).
        for (int i = 0; i < 81; ++i)
            if (i != 71 && !tileAt(h, i).hasMine && !tileAt(h, i).isRevealed) h.game.reveal(i);
        for (int i = 0; i < 3; ++i) QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(7, 8));
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QCOMPARE(h.game.phase(), GamePhase::won);
        QCOMPARE(announced(h), hinted ? QStringLiteral("2 mines nearby. Board Cleared. Time: 1:05 Hint used: time not recorded")
                                      : QStringLiteral("2 mines nearby. Board Cleared. Time: 1:05 New best time!"));
        QVERIFY(accessiblyFocused(h.tile(7, 8)));
        QVERIFY(!h.item(QStringLiteral("playAgainButton"))->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QCOMPARE(h.game.phase(), GamePhase::won);
        QTest::keyClick(h.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(h.game.phase(), GamePhase::ready);
        QVERIFY(accessiblyFocused(h.tile(7, 8)));
    }
}

void BoardViewTests::buttonsWorkThroughTheirPressAction() {
    UiHarness h;
    h.settings.setReduceMotion(true);
    QVERIFY(h.load());
    QAccessible::setActive(true);
    QQuickItem* flagMode = h.item(QStringLiteral("flagModeButton"));
    QAccessibleInterface* flag = QAccessible::queryAccessibleInterface(flagMode);
    QVERIFY(flag);
    QVERIFY(flag->state().checkable);
    QVERIFY(!flag->state().checked);
    QVERIFY2(flag->text(QAccessible::Description).isEmpty(), "On and Off are its state, not a description");
    pressAction(flagMode);
    QVERIFY(h.game.isFlagMode());
    QVERIFY(flag->state().checked);
    pressAction(flagMode);
    QVERIFY(!h.game.isFlagMode());

    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    pressAction(h.item(QStringLiteral("hintButton")));
    QCOMPARE(h.game.hintedTile(), std::optional<std::int64_t>(62));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
    QCOMPARE(h.game.phase(), GamePhase::lost);
    pressAction(h.item(QStringLiteral("tryAgainButton")));
    QCOMPARE(h.game.phase(), GamePhase::ready);

    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    revealAllSafe(h);
    QCOMPARE(h.game.phase(), GamePhase::won);
    pressAction(h.item(QStringLiteral("playAgainButton")));
    QCOMPARE(h.game.phase(), GamePhase::ready);
    // New game from ready starts at once; while playing it asks first.
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    pressAction(h.item(QStringLiteral("newGameButton")));
    QVERIFY(h.controller->isConfirmingNewGame());
}

void BoardViewTests::headerOrderAndSteadyDigits() {
    UiHarness h;
    QVERIFY(h.load());
    h.game.setDifficulty(Difficulty::intermediate);
    QQuickItem* title = h.item(QStringLiteral("boardTitle"));
    QQuickItem* counter = h.item(QStringLiteral("minesLeftLabel"));
    QQuickItem* clock = h.item(QStringLiteral("timerLabel"));
    QQuickItem* spacer = h.item(QStringLiteral("headerSpacer"));
    QQuickItem* controls = h.item(QStringLiteral("headerControls"));
    QVERIFY(title && counter && clock && spacer && controls);
    QTRY_COMPARE(h.item(QStringLiteral("minesLeftText"))->property("text").toString(), QStringLiteral("40"));
    auto left = [](QQuickItem* i) { return i->x(); };
    auto right = [](QQuickItem* i) { return i->x() + i->width(); };
    const double gap = 6 * h.controller->boardScale();
    // Title, counter and clock sit together at the left; the spare width lies before the
    // buttons, which end at the row's right edge.
    QVERIFY(std::abs(left(counter) - right(title) - gap) < 1);
    QVERIFY(std::abs(left(clock) - right(counter) - gap) < 1);
    QVERIFY(spacer->width() > 50);
    QVERIFY(std::abs(left(controls) - right(spacer) - gap) < 1);
    QVERIFY(std::abs(right(controls) - title->parentItem()->width()) < 0.5);
    QVERIFY(std::abs(title->width() - title->implicitWidth()) < 0.5);  // the title takes only its text

    // The clock and the counter keep their widths as their digits change.
    const double clockWidth = clock->width(), counterWidth = counter->width();
    h.layMines({0, 15, 240, 255, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111,
                112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
                128, 129, 130, 131, 132, 133, 134, 135});
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(2, 7));
    QCOMPARE(h.game.phase(), GamePhase::playing);
    h.scheduler.advance(11'000);
    QCOMPARE(clock->property("text").toString(), QStringLiteral("0:11"));
    QCOMPARE(clock->width(), clockWidth);
    h.scheduler.advance(60'000);
    QCOMPARE(clock->property("text").toString(), QStringLiteral("1:11"));
    QCOMPARE(clock->width(), clockWidth);
    for (int i = 0; i < 29; ++i) h.game.toggleFlag(100 + i);  // 40 mines, 29 flags: 11 left
    QTRY_COMPARE(h.item(QStringLiteral("minesLeftText"))->property("text").toString(), QStringLiteral("11"));
    QCOMPARE(counter->width(), counterWidth);
    QCOMPARE(accessibleName(clock), QStringLiteral("Time: 1:11"));
    QCOMPARE(accessibleName(counter), QStringLiteral("11 mines left"));
    // Nothing else in the row moved either.
    QVERIFY(std::abs(left(controls) - right(spacer) - gap) < 1);
    QVERIFY(std::abs(left(clock) - right(counter) - gap) < 1);
}

namespace {
QList<QQuickItem*> digitCells(QQuickItem* root) {
    QList<QQuickItem*> cells;
    std::function<void(QQuickItem*)> walk = [&](QQuickItem* item) {
        if (item->objectName() == QLatin1String("digitCell")) cells.append(item);
        for (QQuickItem* child : item->childItems()) walk(child);
    };
    walk(root);
    return cells;
}
}  // namespace

void BoardViewTests::counterRollsUnlessMotionIsReduced() {
    for (const bool reduced : {false, true}) {
        UiHarness h;
        h.settings.setReduceMotion(reduced);
        QVERIFY(h.load());
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
        const QList<QQuickItem*> cells = digitCells(h.item(QStringLiteral("minesLeftText")));
        QCOMPARE(cells.size(), 2);  // "10"
        for (QQuickItem* cell : cells)
            for (QQuickItem* text : cell->childItems())
                QVERIFY(test::tabularWhereQtCan(text->property("font").value<QFont>()));
        QQuickItem* units = cells.first()->x() > cells.last()->x() ? cells.first() : cells.last();
        QCOMPARE(cells.first()->width(), cells.last()->width());
        h.game.setDifficulty(Difficulty::intermediate);
        MineLayout spread(256, false);
        for (std::size_t i = 0; i < 40; ++i) spread[i * 6] = true;  // no region opens the whole board
        h.game.setNextLayout(spread);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(15, 15));
        QCOMPARE(h.game.phase(), GamePhase::playing);
        const QList<QQuickItem*> wide = digitCells(h.item(QStringLiteral("minesLeftText")));
        QCOMPARE(wide.size(), 2);  // "40"
        units = wide.first()->x() > wide.last()->x() ? wide.first() : wide.last();
        h.game.toggleFlag(0);  // 39: both digits change
        QCOMPARE(units->property("shown").toString(), QStringLiteral("9"));
        if (reduced) {
            QCOMPARE(units->property("roll").toDouble(), 1.0);
        } else {
            QVERIFY(units->property("roll").toDouble() < 1.0);
            QCOMPARE(units->property("leaving").toString(), QStringLiteral("0"));
            QTRY_VERIFY(units->property("roll").toDouble() > 0.99);
        }
    }
}

void BoardViewTests::motionAndContrastFollowTheDesktopWhileRunning() {
    UiHarness h;
    QVERIFY(h.load());
    QQuickItem* tile = h.tile(0, 0);
    QVERIFY(!h.view->property("reduceMotion").toBool());
    QObject* parts = tile->property("parts").value<QObject*>();
    QVERIFY(parts);
    QVERIFY(!parts->property("increasedContrast").toBool());
    h.settings.setReduceMotion(true);
    h.settings.setIncreasedContrast(true);
    QVERIFY(parts->property("reduceMotion").toBool());
    QVERIFY(parts->property("increasedContrast").toBool());
    // Uncovering is now immediate, without a restart.
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QCOMPARE(h.tile(0, 4)->property("uncovering").toDouble(), 1.0);
    h.settings.setTextScale(1.25);
    QCOMPARE(h.controller->boardScale(), 1.25);
    QVERIFY(std::abs(h.view->width() - 375 * 1.25) < 1e-6);
}

// Not a check: with VELMORA_UI_SHOT=file.png set, saves a picture of a Beginner game in progress.
void BoardViewTests::screenshot() {
    const QByteArray path = qgetenv("VELMORA_UI_SHOT");
    if (path.isEmpty()) QSKIP("VELMORA_UI_SHOT not set");
    UiHarness h;
    QVERIFY(h.load());
    h.layMines({0, 2, 6, 8, 18, 26, 54, 62, 72, 80});
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(4, 4));
    QTest::mouseClick(h.window.get(), Qt::RightButton, {}, h.tileCentre(0, 0));
    h.scheduler.advance(65000);
    // "lost", "confirm", "won", "rings" (the hint ring and the focus ring) or nothing
    const QByteArray state = qgetenv("VELMORA_UI_SHOT_STATE");
    if (state == "rings") {
        h.game.showHint();
        QTest::keyClick(h.window.get(), Qt::Key_Down);
    }
    if (state == "lost") QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 2));
    if (state == "confirm") h.controller->pressNewGame();
    if (state == "won") revealAllSafe(h);
    QTest::qWait(800);
    QVERIFY(h.window->grabWindow().save(QString::fromLocal8Bit(path)));
}

QTEST_MAIN(BoardViewTests)
#include "BoardViewTests.moc"
