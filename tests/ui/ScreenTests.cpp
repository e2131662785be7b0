#include <QAccessible>
#include <QtQuickTest/quicktest.h>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtQml/qqmlextensionplugin.h>

#include <sys/stat.h>

#include "LoginItemService.h"
#include "LocalizedText.h"
#include "ModalScreenController.h"
#include "ScreenText.h"
#include "UiHarness.h"

Q_IMPORT_QML_PLUGIN(VelmoraPlugin)

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::test::UiHarness;

namespace {
constexpr std::initializer_list<int> kFarMines{0, 54, 55, 56, 57, 58, 59, 60, 61, 80};

class TableTranslator : public QTranslator {
public:
    QHash<QString, QString> entries;
    bool isEmpty() const override { return entries.isEmpty(); }
    QString translate(const char* context, const char* source, const char* = nullptr, int = -1) const override {
        if (qstrcmp(context, "Velmora") != 0) return {};
        return entries.value(QString::fromUtf8(source));
    }
};

QStringList lineTexts(const QVariantList& lines) {
    QStringList texts;
    for (const QVariant& v : lines) texts << v.value<StatLine>().accessibleName();
    return texts;
}

bool press(QQuickItem* item) {
    QAccessibleInterface* iface = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    if (!iface || !iface->actionInterface()) return false;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

bool shown(QQuickItem* item) { return item && item->isVisible() && item->opacity() > 0; }

// The text item under root that shows exactly the text, if any.
QQuickItem* textShowing(QQuickItem* root, const QString& text) {
    if (!root) return nullptr;
    for (QQuickItem* child : root->childItems()) {
        if (child->inherits("QQuickText") && child->property("text").toString() == text) return child;
        if (QQuickItem* found = textShowing(child, text)) return found;
    }
    return nullptr;
}

// Opens the game menu and picks an entry the way a pointer does.
void chooseMenuEntry(UiHarness& h, const char* entry) {
    QQuickItem* button = h.item(QStringLiteral("moreMenuButton"));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, button->mapToScene({14, 14}).toPoint());
    QQuickItem* item = nullptr;
    QTRY_VERIFY((item = h.item(QString::fromLatin1(entry))) && item->isVisible());
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, item->mapToScene({20, item->height() / 2}).toPoint());
}

// Plays the first move of a Beginner game so that a game is in play.
void startGame(UiHarness& h) {
    h.layMines(kFarMines);
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(2, 2));
    QCOMPARE(h.game.phase(), GamePhase::playing);
}

class EscapeCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) ++count;
        return false;
    }
};

ModalScreenController* openedController(UiHarness& h) {
    QQuickItem* screen = h.item(QStringLiteral("modalScreen"));
    return screen ? screen->property("screenController").value<ModalScreenController*>() : nullptr;
}
}  // namespace

class ScreenTests : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ModalScreenController::setLoginItemService(&fake);
        fake = FakeLoginItemService{};
    }
    void cleanup() { ModalScreenController::setLoginItemService(nullptr); }

    // --- texts ---------------------------------------------------------------------------
    void winRateAndBestTimeTexts() {
        const QLocale en(QStringLiteral("en"));
        QCOMPARE(winRateText(0, 0, en), QStringLiteral("0.0%"));
        QCOMPARE(winRateText(0, 5, en), QStringLiteral("0.0%"));  // won after a reset, no games counted
        QCOMPARE(winRateText(3, 1, en), QStringLiteral("33.3%"));
        QCOMPARE(winRateText(3, 2, en), QStringLiteral("66.7%"));
        QCOMPARE(winRateText(1, 1, en), QStringLiteral("100.0%"));
        QCOMPARE(winRateText(7000, 1234, en), QStringLiteral("17.6%"));  // no grouping

        TableTranslator french;
        french.entries.insert(QStringLiteral("%@%%"), QStringLiteral("%@\u00A0%%"));
        QCoreApplication::installTranslator(&french);
        QCOMPARE(winRateText(3, 2, QLocale(QStringLiteral("fr"))), QStringLiteral("66,7\u00A0%"));
        QCOMPARE(winRateText(3, 2, QLocale(QStringLiteral("de"))), QStringLiteral("66,7\u00A0%"));
        // No games yet is written the same way, not in English.
        QCOMPARE(winRateText(0, 0, QLocale(QStringLiteral("fr"))), QStringLiteral("0,0\u00A0%"));
        QCOMPARE(winRateText(0, 5, QLocale(QStringLiteral("fr"))), QStringLiteral("0,0\u00A0%"));
        QCoreApplication::removeTranslator(&french);
        QCOMPARE(winRateText(3, 2, QLocale(QStringLiteral("de"))), QStringLiteral("66,7%"));

        QCOMPARE(bestTimeText(59), QStringLiteral("0:59"));
        QCOMPARE(bestTimeText(600), QStringLiteral("10:00"));
        QCOMPARE(bestTimeText(5999), QStringLiteral("99:59"));
        QCOMPARE(bestTimeText(std::nullopt), QString(QChar(0x2013)));
    }

    void versionAndWebsite() {
        QCOMPARE(versionText(QString()), QStringLiteral("Version 1.0"));
        QCOMPARE(versionText(QStringLiteral("2.3")), QStringLiteral("Version 2.3"));
        QVERIFY(isOpenableWebsite(publisherWebsite(QString::fromLatin1(kPublisherDomain))));
        QCOMPARE(publisherWebsite(QStringLiteral("velmora.example")).toString(), QStringLiteral("https://velmora.example/"));
        for (const char* bad : {"", "exa mple.com", "a/b.example", "user@host.example", "localhost"})
            QVERIFY2(!isOpenableWebsite(publisherWebsite(QString::fromLatin1(bad))), bad);

        QList<QUrl> opened;
        ModalScreenController::setUrlOpener([&](const QUrl& url) { opened << url; return true; });
        ModalScreenController c;
        QVERIFY(c.openWebsite());
        ModalScreenController::setPublisherDomain(QStringLiteral("not a domain"));
        QVERIFY(!c.openWebsite());
        ModalScreenController::setPublisherDomain(QString::fromLatin1(kPublisherDomain));
        ModalScreenController::setUrlOpener({});
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://velmora.example/"))});
    }

    // --- rules ---------------------------------------------------------------------------
    void statisticsLinesAndResetOrder() {
        UiHarness h;
        h.game.setGamesPlayed(3);
        h.game.setGamesWon(2);
        h.game.setCurrentStreak(1);
        h.game.setBestStreak(2);
        h.game.setBestTimes({{Difficulty::beginner, 75}, {Difficulty::expert, 5999}});
        ModalScreenController c;
        c.setScreen(ModalScreenController::Statistics);
        c.setGame(&h.model);
        QCOMPARE(lineTexts(c.statisticsLines()),
                 (QStringList{"Games Played: 3", "Games Won: 2", "Games Lost: 1", "Win Rate: 66.7%",
                              "Current Streak: 1", "Best Streak: 2", "Best Time, Beginner: 1:15",
                              QStringLiteral("Best Time, Intermediate: \u2013"), "Best Time, Expert: 99:59"}));

        // The store sees the counters cleared in their order, the record last.
        std::vector<std::string> order;
        const int listener = h.game.addListener([&](Property p) {
            if (p == Property::gamesPlayed) order.push_back("played");
            if (p == Property::gamesWon) order.push_back("won");
            if (p == Property::currentStreak) order.push_back("streak");
            if (p == Property::bestStreak) order.push_back("best");
            if (p == Property::bestTimes) order.push_back("times");
        });
        QSignalSpy changed(&c, &ModalScreenController::statisticsChanged);
        c.confirmReset();  // no dialog up: nothing
        QCOMPARE(h.game.gamesPlayed(), 3);
        c.requestReset();
        QVERIFY(c.isConfirmingReset());
        QVERIFY(c.cancelTopDialog());
        QCOMPARE(h.game.gamesPlayed(), 3);
        c.requestReset();
        c.confirmReset();
        h.game.removeListener(listener);
        QVERIFY(!c.isConfirmingReset());
        QCOMPARE(order, (std::vector<std::string>{"played", "won", "streak", "best", "times"}));
        QVERIFY(changed.count() >= 5);
        const QString dash(QChar(0x2013));
        QCOMPARE(lineTexts(c.statisticsLines()),
                 (QStringList{"Games Played: 0", "Games Won: 0", "Games Lost: 0", "Win Rate: 0.0%",
                              "Current Streak: 0", "Best Streak: 0", "Best Time, Beginner: " + dash,
                              "Best Time, Intermediate: " + dash, "Best Time, Expert: " + dash}));
        // A win after the reset counts a game won that was never counted played.
        h.game.setGamesWon(1);
        QCOMPARE(lineTexts(c.statisticsLines()).mid(1, 3),
                 (QStringList{"Games Won: 1", "Games Lost: 0", "Win Rate: 0.0%"}));
    }

    void difficultyAsksOnlyDuringPlay() {
        UiHarness h;
        QVERIFY(h.load());
        ModalScreenController c;
        c.setGame(&h.model);

        c.chooseDifficulty(QStringLiteral("Beginner"));  // already chosen, in ready
        QVERIFY(!c.isConfirmingRulesChange());
        c.chooseDifficulty(QStringLiteral("Intermediate"));  // ready: at once
        QCOMPARE(h.game.difficulty(), Difficulty::intermediate);
        QVERIFY(!c.isConfirmingRulesChange());
        c.chooseDifficulty(QStringLiteral("Beginner"));
        QCOMPARE(h.game.difficulty(), Difficulty::beginner);

        startGame(h);
        h.game.setCurrentStreak(4);
        c.chooseDifficulty(QStringLiteral("Beginner"));  // the same one, in play
        QVERIFY(!c.isConfirmingRulesChange());
        c.chooseDifficulty(QStringLiteral("Expert"));
        QVERIFY(c.isConfirmingRulesChange());
        QCOMPARE(h.game.difficulty(), Difficulty::beginner);
        QCOMPARE(h.model.difficulty(), QStringLiteral("Beginner"));  // what the menu shows
        c.cancelRulesChange();
        QCOMPARE(h.game.phase(), GamePhase::playing);
        QCOMPARE(h.game.currentStreak(), 4);
        c.chooseDifficulty(QStringLiteral("Expert"));
        QVERIFY(c.cancelTopDialog());  // Escape
        QCOMPARE(h.game.difficulty(), Difficulty::beginner);
        c.chooseDifficulty(QStringLiteral("Expert"));
        QSignalSpy dialogs(&c, &ModalScreenController::dialogsChanged);
        c.confirmRulesChange();
        QCOMPARE(h.game.difficulty(), Difficulty::expert);
        QCOMPARE(h.game.tiles().size(), std::size_t(484));
        QCOMPARE(h.game.currentStreak(), 0);  // the game in play was abandoned
        QVERIFY(!c.isConfirmingRulesChange());
        QCOMPARE(dialogs.count(), 1);

        c.chooseDifficulty(QStringLiteral("Nightmare"));  // not a raw value
        QCOMPARE(h.game.difficulty(), Difficulty::expert);

        // Won and lost: at once, and without touching the streak.
        h.game.setDifficulty(Difficulty::beginner);
        h.layMines(kFarMines);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(0, 0));
        QCOMPARE(h.game.phase(), GamePhase::lost);
        c.chooseDifficulty(QStringLiteral("Intermediate"));
        QCOMPARE(h.game.difficulty(), Difficulty::intermediate);
        QVERIFY(!c.isConfirmingRulesChange());
        h.game.setDifficulty(Difficulty::beginner);
        h.layMines({0});
        h.game.primaryAction(80);
        QCOMPARE(h.game.phase(), GamePhase::won);
        const qint64 streak = h.game.currentStreak();
        c.chooseDifficulty(QStringLiteral("Expert"));
        QCOMPARE(h.game.difficulty(), Difficulty::expert);
        QCOMPARE(h.game.currentStreak(), streak);
    }

    void launchAtLoginFollowsTheService() {
        ModalScreenController c;
        QCOMPARE(c.loginItemStatus(), int(LoginItemStatus::notRegistered));
        QVERIFY(!c.launchAtLogin());
        c.setLaunchAtLogin(true);
        QVERIFY(c.launchAtLogin());
        QVERIFY(!c.showsApprovalHint());
        c.setLaunchAtLogin(false);
        QVERIFY(!c.launchAtLogin());

        // Registering fails outright: the switch springs back, nothing else shows.
        fake.setFailing(true);
        QSignalSpy status(&c, &ModalScreenController::loginItemStatusChanged);
        c.setLaunchAtLogin(true);
        QVERIFY(!c.launchAtLogin());
        QVERIFY(status.count() >= 1);  // the switch hears the answer even when it did not change
        fake.setFailing(false);

        fake.setRequiresApproval(true);
        c.setLaunchAtLogin(true);
        QVERIFY(c.launchAtLogin());
        QVERIFY(c.showsApprovalHint());
        c.setLaunchAtLogin(false);
        QVERIFY(!c.showsApprovalHint());
        QVERIFY(!c.launchAtLogin());

        // Changed elsewhere while the panel was hidden: read again on request.
        fake.setStatus(LoginItemStatus::enabled);
        c.refreshLoginItemStatus();
        QVERIFY(c.launchAtLogin());

        ModalScreenController::setLoginItemService(nullptr);
        ModalScreenController none;
        QCOMPARE(none.loginItemStatus(), int(LoginItemStatus::notFound));
        none.setLaunchAtLogin(true);
        QVERIFY(!none.launchAtLogin());
    }

    void launchAtLoginWritesTheAutostartEntry() {
        QTemporaryDir config;
        const std::string dir = (config.path() + QStringLiteral("/autostart")).toStdString();
        XdgAutostartLoginItem service("/opt/Velmora Games/velmora", dir, "example.velmora.Velmora");
        ModalScreenController::setLoginItemService(&service);
        ModalScreenController c;
        QVERIFY(!c.launchAtLogin());
        c.setLaunchAtLogin(true);
        QVERIFY(c.launchAtLogin());
        QFile entry(QString::fromStdString(service.entryPath()));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("Exec=\"/opt/Velmora Games/velmora\" --at-login\n"));
        QVERIFY(text.contains("Icon=example.velmora.Velmora\n"));
        struct stat info {};
        QCOMPARE(::stat(service.entryPath().c_str(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), 0644);
        c.setLaunchAtLogin(false);
        QVERIFY(!QFile::exists(QString::fromStdString(service.entryPath())));
        QVERIFY(!c.launchAtLogin());

        // An autostart folder that cannot be made: the switch stays off and nothing is said.
        QFile blocker(config.path() + QStringLiteral("/file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        XdgAutostartLoginItem blocked("/usr/bin/velmora", (blocker.fileName() + QStringLiteral("/autostart")).toStdString(),
                                      "example.velmora.Velmora");
        ModalScreenController::setLoginItemService(&blocked);
        ModalScreenController d;
        d.setLaunchAtLogin(true);
        QVERIFY(!d.launchAtLogin());
    }

    // --- on the scene -------------------------------------------------------------------
    void menuOpensEachScreenAndCloses() {
        UiHarness h;
        QVERIFY(h.load());
        QAccessible::setActive(true);
        startGame(h);
        QVERIFY(h.game.clockRunning());
        const struct {
            const char* entry;
            const char* title;
        } screens[] = {{"preferencesMenuItem", "Preferences"},
                       {"statisticsMenuItem", "Statistics"},
                       {"howToPlayMenuItem", "How to Play"},
                       {"aboutMenuItem", "About"}};
        for (const auto& s : screens) {
            chooseMenuEntry(h, s.entry);
            QTRY_VERIFY(h.game.isShowingScreen());
            QVERIFY(!h.game.clockRunning());
            QTRY_VERIFY(h.item(QStringLiteral("screenTitle")));
            QCOMPARE(h.item(QStringLiteral("screenTitle"))->property("text").toString(), QString::fromLatin1(s.title));
            QVERIFY(!h.controller->isBoardFocused());
            QVERIFY(h.item(QStringLiteral("modalScreen"))->hasActiveFocus());
            QCOMPARE(h.item(QStringLiteral("resetStatsButton"))->isVisible(), qstrcmp(s.title, "Statistics") == 0);
            // The board below is out of reach and out of the accessibility tree.
            QVERIFY(!h.item(QStringLiteral("board"))->isEnabled());
            QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(8, 8));
            QVERIFY(!h.game.tiles()[80].isRevealed);

            QQuickItem* close = h.item(QStringLiteral("closeScreenButton"));
            QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, close->mapToScene({10, 10}).toPoint());
            QTRY_VERIFY(!h.game.isShowingScreen());
            QVERIFY(h.game.clockRunning());
            QTRY_VERIFY(h.controller->isBoardFocused());
            QVERIFY(!h.controller->focusRingVisible());
            QTRY_VERIFY(!h.item(QStringLiteral("modalScreen")));
        }

        // Ctrl+, opens Preferences; its Close works through the accessible action too.
        QTest::keyClick(h.window.get(), Qt::Key_Comma, Qt::ControlModifier);
        QTRY_VERIFY(h.game.isShowingScreen());
        QCOMPARE(h.controller->presentedScreen(), int(ModalScreenController::Preferences));
        QTest::keyClick(h.window.get(), Qt::Key_Comma, Qt::ControlModifier);  // no second screen on top
        QVERIFY(press(h.item(QStringLiteral("closeScreenButton"))));
        QTRY_VERIFY(!h.game.isShowingScreen());
    }

    // Escape belongs to the dialog on top; with none up it closes the screen and the keys go
    // back to the tile they left. Only with no screen does it reach the window (which hides
    // the panel).
    void escapeClosesTheScreenUnlessADialogTakesIt() {
        UiHarness h;
        QVERIFY(h.load());
        QAccessible::setActive(true);
        EscapeCounter counter;
        h.window->contentItem()->installEventFilter(&counter);
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QCOMPARE(counter.count, 1);
        startGame(h);
        QTest::keyClick(h.window.get(), Qt::Key_Right);
        const int tile = h.controller->focusedTile();
        for (int screen : {ModalScreenController::Preferences, ModalScreenController::Statistics}) {
            h.controller->openScreen(screen);
            QTRY_VERIFY(openedController(h));
            ModalScreenController* c = openedController(h);
            if (screen == ModalScreenController::Statistics)
                c->requestReset();
            else
                c->chooseDifficulty(QStringLiteral("Expert"));
            QVERIFY(c->isShowingDialog());
            QTest::keyClick(h.window.get(), Qt::Key_Escape);
            QVERIFY(!c->isShowingDialog());
            QVERIFY(h.game.isShowingScreen());
            if (screen == ModalScreenController::Preferences) {
                // A control that took focus with a click does not keep Escape either.
                QQuickItem* marks = h.item(QStringLiteral("questionMarksToggle"));
                QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, marks->mapToScene({10, 8}).toPoint());
            }
            counter.count = 0;
            QTest::keyClick(h.window.get(), Qt::Key_Escape);
            QVERIFY(!h.game.isShowingScreen());
            QCOMPARE(counter.count, 0);
            QTRY_VERIFY(!h.item(QStringLiteral("modalScreen")));
            QVERIFY(h.controller->isBoardFocused());
            QCOMPARE(h.controller->focusedTile(), tile);
            QVERIFY(h.window->activeFocusItem() == h.tile(tile / 9, tile % 9));
        }
        QCOMPARE(h.game.phase(), GamePhase::playing);
        h.controller->pressNewGame();
        counter.count = 0;
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(!h.controller->isConfirmingNewGame());
        QCOMPARE(counter.count, 0);
    }

    // Tab and Shift+Tab go round a dialog's two buttons and never reach what lies behind it;
    // an answer gives the keys back to the control that raised the question.
    void dialogsHoldAndReturnTheKeys() {
        UiHarness h;
        QVERIFY(h.load());
        QAccessible::setActive(true);
        startGame(h);
        const auto cycles = [&](const char* cancelID, const char* confirmID) {
            QQuickItem* cancel = h.item(QString::fromLatin1(cancelID));
            QQuickItem* confirm = h.item(QString::fromLatin1(confirmID));
            QTest::keyClick(h.window.get(), Qt::Key_Tab);
            QVERIFY(cancel->hasActiveFocus());
            for (int i = 0; i < 5; ++i) {
                QTest::keyClick(h.window.get(), Qt::Key_Tab);
                QVERIFY2((i % 2 == 0 ? confirm : cancel)->hasActiveFocus(), "Tab");
            }
            for (int i = 0; i < 5; ++i) {
                QTest::keyClick(h.window.get(), Qt::Key_Backtab);
                QVERIFY2((i % 2 == 0 ? cancel : confirm)->hasActiveFocus(), "Shift+Tab");
            }
            QVERIFY(cancel->hasActiveFocus());
        };

        // The abandon-game question from the new-game button reached by Tab.
        QQuickItem* newGame = h.item(QStringLiteral("newGameButton"));
        newGame->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QVERIFY(h.controller->isConfirmingNewGame());
        QVERIFY(h.item(QStringLiteral("abandonGameDialog"))->hasActiveFocus());
        cycles("cancelNewGameButton", "confirmNewGameButton");
        QTest::keyClick(h.window.get(), Qt::Key_Space);  // Cancel
        QVERIFY(!h.controller->isConfirmingNewGame());
        QCOMPARE(h.game.phase(), GamePhase::playing);
        QVERIFY(newGame->hasActiveFocus());
        // From the board (Ctrl+N), it gives the keys back to the focused tile.
        h.item(QStringLiteral("board"))->forceActiveFocus(Qt::TabFocusReason);
        QQuickItem* tile = h.window->activeFocusItem();
        QTest::keyClick(h.window.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(h.controller->isConfirmingNewGame());
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QCOMPARE(h.window->activeFocusItem(), tile);

        // Reset statistics, raised from its button, and the rules change from the Difficulty menu.
        h.controller->openScreen(ModalScreenController::Statistics);
        QTRY_VERIFY(openedController(h));
        QQuickItem* reset = h.item(QStringLiteral("resetStatsButton"));
        reset->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QTRY_VERIFY(shown(h.item(QStringLiteral("resetStatsDialog"))));
        cycles("cancelResetStatsButton", "confirmResetStatsButton");
        QTest::keyClick(h.window.get(), Qt::Key_Return);
        QVERIFY(!openedController(h)->isConfirmingReset());
        QVERIFY(reset->hasActiveFocus());
        openedController(h)->dismiss();
        QTRY_VERIFY(!h.item(QStringLiteral("modalScreen")));

        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        QQuickItem* picker = h.item(QStringLiteral("difficultyPicker"));
        picker->forceActiveFocus(Qt::TabFocusReason);
        openedController(h)->chooseDifficulty(QStringLiteral("Expert"));
        QTRY_VERIFY(shown(h.item(QStringLiteral("rulesChangeDialog"))));
        cycles("cancelRulesChangeButton", "confirmRulesChangeButton");
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QVERIFY(!openedController(h)->isConfirmingRulesChange());
        QVERIFY(picker->hasActiveFocus());
        QCOMPARE(h.game.difficulty(), Difficulty::beginner);
    }

    // The panel hidden and shown again with a screen open: the keys stay on the screen's
    // control or dialog, not on the hidden board.
    void comingBackKeepsTheScreensFocus() {
        UiHarness h;
        QVERIFY(h.load());
        startGame(h);
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        QQuickItem* picker = h.item(QStringLiteral("difficultyPicker"));
        picker->forceActiveFocus(Qt::TabFocusReason);
        QMetaObject::invokeMethod(h.view, "viewDidDisappear");
        QMetaObject::invokeMethod(h.view, "viewDidAppear");
        QVERIFY(picker->hasActiveFocus());
        QVERIFY(!h.controller->isBoardFocused());
        openedController(h)->chooseDifficulty(QStringLiteral("Expert"));
        QQuickItem* dialog = h.item(QStringLiteral("rulesChangeDialog"));
        QTRY_VERIFY(dialog->hasActiveFocus());
        QMetaObject::invokeMethod(h.view, "viewDidDisappear");
        QMetaObject::invokeMethod(h.view, "viewDidAppear");
        QVERIFY(dialog->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(picker->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(!h.game.isShowingScreen());
        QTRY_VERIFY(h.controller->isBoardFocused());
    }

    // From the keyboard the menu opens on its first entry, which has the keys (a screen reader
    // reads it); a pointer resting where the menu drops down selects nothing until it moves.
    void menuSelectsFromTheKeyboardNotFromAPointerAtRest() {
        UiHarness h;
        QVERIFY(h.load());
        QQuickItem* button = h.item(QStringLiteral("moreMenuButton"));
        QObject* menu = h.view->findChild<QObject*>(QStringLiteral("moreMenu"));
        QVERIFY(menu);
        button->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QQuickItem* preferences = nullptr;
        QTRY_VERIFY((preferences = h.item(QStringLiteral("preferencesMenuItem"))) && preferences->isVisible());
        QTRY_VERIFY(preferences->hasActiveFocus());
        QCOMPARE(menu->property("currentIndex").toInt(), 0);
        QVERIFY(preferences->property("highlighted").toBool());
        QTest::keyClick(h.window.get(), Qt::Key_Down);
        QVERIFY(h.item(QStringLiteral("statisticsMenuItem"))->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!menu->property("visible").toBool());
        QTRY_VERIFY(button->hasActiveFocus());  // the keys go back where they were

        // Learn where Quit lies, then open the menu with the pointer resting there.
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, button->mapToScene({14, 14}).toPoint());
        QQuickItem* quit = nullptr;
        QTRY_VERIFY((quit = h.item(QStringLiteral("quitMenuItem"))) && quit->isVisible() && quit->height() > 0);
        const QPoint overQuit = quit->mapToScene({30, quit->height() / 2}).toPoint();
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!menu->property("visible").toBool());
        QTest::mouseMove(h.window.get(), overQuit);
        QVERIFY(QMetaObject::invokeMethod(menu, "openBelow", Q_ARG(QVariant, QVariant::fromValue(button)),
                                          Q_ARG(QVariant, 0), Q_ARG(QVariant, 30), Q_ARG(QVariant, false),
                                          Q_ARG(QVariant, QVariant())));
        QTRY_VERIFY(menu->property("opened").toBool());
        QTest::mouseMove(h.window.get(), overQuit);  // the scene's hover at rest
        // Hover at rest is delivered with the frames: let two go by.
        QSignalSpy frames(h.window.get(), &QQuickWindow::frameSwapped);
        for (int n = 1; n <= 2; ++n) {
            h.window->update();
            QTRY_VERIFY(frames.count() >= n);
        }
        QCOMPARE(menu->property("currentIndex").toInt(), -1);
        QVERIFY(!quit->property("highlighted").toBool());
        QSignalSpy quitting(h.view, SIGNAL(quitRequested()));
        QTest::keyClick(h.window.get(), Qt::Key_Return);
        QCOMPARE(quitting.count(), 0);
        // Once the pointer moves, the entry under it follows.
        if (menu->property("visible").toBool()) {
            QTest::mouseMove(h.window.get(), overQuit + QPoint(4, 0));
            QTest::mouseMove(h.window.get(), overQuit + QPoint(8, 0));
            QTRY_VERIFY(quit->property("highlighted").toBool());
            QTest::keyClick(h.window.get(), Qt::Key_Escape);
            QTRY_VERIFY(!menu->property("visible").toBool());
        }

        // A choice opens on its current value; choosing another during play raises the question,
        // whose answer gives the keys back to the choice.
        startGame(h);
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        QQuickItem* picker = h.item(QStringLiteral("difficultyPicker"));
        picker->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QQuickItem* beginner = nullptr;
        QTRY_VERIFY((beginner = h.item(QStringLiteral("difficultyPicker-Beginner"))) && beginner->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Down);
        QTest::keyClick(h.window.get(), Qt::Key_Return);
        QTRY_VERIFY(h.item(QStringLiteral("rulesChangeDialog")) && h.item(QStringLiteral("rulesChangeDialog"))->hasActiveFocus());
        QTest::keyClick(h.window.get(), Qt::Key_Escape);
        QVERIFY(picker->hasActiveFocus());
        QCOMPARE(h.game.difficulty(), Difficulty::beginner);
    }

    void menuEntriesWaitForTheAbandonQuestion() {
        UiHarness h;
        QVERIFY(h.load());
        startGame(h);
        h.controller->pressNewGame();
        QVERIFY(h.controller->isConfirmingNewGame());
        QTest::keyClick(h.window.get(), Qt::Key_Comma, Qt::ControlModifier);
        h.controller->openScreen(ModalScreenController::Statistics);
        QVERIFY(!h.game.isShowingScreen());
        QSignalSpy quit(h.view, SIGNAL(quitRequested()));
        QTest::keyClick(h.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quit.count(), 1);
    }

    void dialogsNeverConfirmByAccident() {
        UiHarness h;
        QVERIFY(h.load());
        h.game.setGamesPlayed(5);
        startGame(h);  // one more game
        const auto expectUnchanged = [&] {
            QCOMPARE(h.game.gamesPlayed(), 6);
            QCOMPARE(h.game.phase(), GamePhase::playing);
            QCOMPARE(h.game.difficulty(), Difficulty::beginner);
        };

        // The abandon-game question: Return, Escape, a click beside the card.
        for (int way = 0; way < 3; ++way) {
            h.controller->pressNewGame();
            QQuickItem* dialog = h.item(QStringLiteral("abandonGameDialog"));
            QTRY_VERIFY(shown(dialog));
            if (way == 0) QTest::keyClick(h.window.get(), Qt::Key_Return);
            if (way == 1) QTest::keyClick(h.window.get(), Qt::Key_Escape);
            if (way == 2) QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY2(!h.controller->isConfirmingNewGame(), "cancelled");
            expectUnchanged();
        }
        // Space while it shows presses nothing (the card holds the keys, not a button).
        h.controller->pressNewGame();
        QTest::keyClick(h.window.get(), Qt::Key_Space);
        QVERIFY(h.controller->isConfirmingNewGame());
        expectUnchanged();
        h.controller->cancelNewGame();

        // The screens' two dialogs.
        h.controller->openScreen(ModalScreenController::Statistics);
        QTRY_VERIFY(openedController(h));
        ModalScreenController* c = openedController(h);
        for (int way = 0; way < 4; ++way) {
            c->requestReset();
            QTRY_VERIFY(shown(h.item(QStringLiteral("resetStatsDialog"))));
            if (way == 0) QTest::keyClick(h.window.get(), Qt::Key_Return);
            if (way == 1) QTest::keyClick(h.window.get(), Qt::Key_Escape);
            if (way == 2) QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, QPoint(30, 30));
            if (way == 3) {
                QQuickItem* cancel = h.item(QStringLiteral("cancelResetStatsButton"));
                QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, cancel->mapToScene({8, 8}).toPoint());
            }
            QVERIFY(!c->isConfirmingReset());
            expectUnchanged();
        }
        // While the dialog is up the title bar's Close cannot be reached: a click there cancels.
        c->requestReset();
        QQuickItem* close = h.item(QStringLiteral("closeScreenButton"));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, close->mapToScene({10, 10}).toPoint());
        QVERIFY(h.game.isShowingScreen());
        QVERIFY(!c->isConfirmingReset());
        // Only the destructive button confirms.
        c->requestReset();
        QQuickItem* confirm = h.item(QStringLiteral("confirmResetStatsButton"));
        QTRY_VERIFY(shown(confirm));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, confirm->mapToScene({8, 8}).toPoint());
        QCOMPARE(h.game.gamesPlayed(), 0);
        QCOMPARE(h.game.phase(), GamePhase::playing);  // the game on the board goes on
        // The value redrawn in the font's equal-width digits where the Qt at hand has them.
        QQuickItem* played = nullptr;
        QTRY_VERIFY((played = textShowing(h.item(QStringLiteral("stat-gamesPlayed")), QStringLiteral("0"))));
        QVERIFY(test::tabularWhereQtCan(played->property("font").value<QFont>()));
        QTRY_VERIFY(!shown(h.item(QStringLiteral("resetStatsDialog"))));
        c->dismiss();
        QTRY_VERIFY(!h.game.isShowingScreen());

        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        c = openedController(h);
        for (int way = 0; way < 3; ++way) {
            c->chooseDifficulty(QStringLiteral("Expert"));
            QTRY_VERIFY(shown(h.item(QStringLiteral("rulesChangeDialog"))));
            if (way == 0) QTest::keyClick(h.window.get(), Qt::Key_Return);
            if (way == 1) QTest::keyClick(h.window.get(), Qt::Key_Escape);
            if (way == 2) QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, QPoint(30, 30));
            QVERIFY(!c->isConfirmingRulesChange());
            QCOMPARE(h.game.difficulty(), Difficulty::beginner);
            QCOMPARE(h.game.phase(), GamePhase::playing);
        }
        QQuickItem* picker = h.item(QStringLiteral("difficultyPicker"));
        QCOMPARE(picker->property("selectionTitle").toString(), QStringLiteral("Beginner"));
    }

    void preferencesChangeSettingsAtOnce() {
        UiHarness h;
        QVERIFY(h.load());
        QAccessible::setActive(true);
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        ModalScreenController* c = openedController(h);

        // Game size: the open screen grows by 1.18 at once.
        QQuickItem* label = h.item(QStringLiteral("menuBarIcon-Flag"));
        const double before = label->width();
        QCOMPARE(c->contentScale(), 1.0);
        h.model.setBoardSize(QStringLiteral("Large"));
        QCOMPARE(c->contentScale(), 1.18);
        QTRY_COMPARE(h.item(QStringLiteral("menuBarIcon-Flag"))->width(), before * 1.18);
        h.model.setBoardSize(QStringLiteral("Standard"));

        // Icon picker and swatches through their accessible actions; exactly one is selected.
        QVERIFY(press(h.item(QStringLiteral("menuBarIcon-Grid"))));
        QCOMPARE(h.game.menuBarIcon(), MenuBarIconOption::grid);
        int selected = 0;
        for (const char* name : {"menuBarIcon-Flag", "menuBarIcon-Burst", "menuBarIcon-Grid"}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(h.item(QString::fromLatin1(name)));
            selected += iface->state().selected ? 1 : 0;
        }
        QCOMPARE(selected, 1);
        QQuickItem* amber = h.item(QStringLiteral("tileTheme-Solid Amber"));
        QVERIFY(amber);
        QCOMPARE(QAccessible::queryAccessibleInterface(amber)->text(QAccessible::Name),
                 QStringLiteral("Tile Theme: Solid Amber"));
        QVERIFY(press(amber));
        QCOMPARE(h.game.tileTheme(), TileTheme::solidAmber);
        QTRY_VERIFY(amber->property("checked").toBool());
        QVERIFY(!h.item(QStringLiteral("tileTheme-Onyx Slate"))->property("checked").toBool());

        // Question marks: the switch asks the model; flipping through the accessible action works.
        QQuickItem* marks = h.item(QStringLiteral("questionMarksToggle"));
        QAccessibleInterface* marksIface = QAccessible::queryAccessibleInterface(marks);
        QCOMPARE(marksIface->text(QAccessible::Name), QStringLiteral("Question Marks"));
        QVERIFY(marksIface->state().checked);
        marksIface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_VERIFY(!h.game.questionMarksEnabled());
        QTRY_VERIFY(!marks->property("checked").toBool());
        // The board size changed back above: newer Qt places the rows again at the next polish.
        QVERIFY(QQuickTest::qWaitForPolish(h.window.get()));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, marks->mapToScene({10, 8}).toPoint());
        QTRY_VERIFY(h.game.questionMarksEnabled());

        // Launch at login that fails: the switch springs back without a word.
        fake.setFailing(true);
        QQuickItem* login = h.item(QStringLiteral("launchAtLoginToggle"));
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, login->mapToScene({10, 8}).toPoint());
        QCOMPARE(fake.registerCalls(), 1);
        QTRY_VERIFY(!login->property("checked").toBool());
        fake.setFailing(false);
        QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, login->mapToScene({10, 8}).toPoint());
        QTRY_VERIFY(login->property("checked").toBool());
        QVERIFY(c->launchAtLogin());
    }

    // The icon picker reads as radio buttons with the chosen one checked; the menus as label and
    // value; the theme swatches sit centred in equal columns.
    void preferencesReadAsChoices() {
        UiHarness h;
        QVERIFY(h.load());
        QAccessible::setActive(true);
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        for (const char* name : {"menuBarIcon-Flag", "menuBarIcon-Burst", "menuBarIcon-Grid"}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(h.item(QString::fromLatin1(name)));
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QCOMPARE(bool(iface->state().checked), qstrcmp(name, "menuBarIcon-Flag") == 0);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(h.item(QStringLiteral("difficultyPicker")))->text(QAccessible::Name),
                 QStringLiteral("Difficulty: Beginner"));
        QCOMPARE(QAccessible::queryAccessibleInterface(h.item(QStringLiteral("boardSizePicker")))->text(QAccessible::Name),
                 QStringLiteral("Game Size: Standard"));
        h.model.setBoardSize(QStringLiteral("Large"));
        QCOMPARE(QAccessible::queryAccessibleInterface(h.item(QStringLiteral("boardSizePicker")))->text(QAccessible::Name),
                 QStringLiteral("Game Size: Large"));

        QQuickItem* grid = h.item(QStringLiteral("tileThemePicker"));
        QTRY_VERIFY(grid->property("columns").toInt() > 1);
        const int columns = grid->property("columns").toInt();
        const double column = (grid->width() - (columns - 1) * 10) / columns;
        const QVariantList themes = openedController(h)->themeOptions();
        for (int i = 0; i < themes.size(); ++i) {
            QQuickItem* swatch = h.item(themes[i].toMap().value(QStringLiteral("identifier")).toString());
            QVERIFY(swatch);
            // The grid lays out again after the size change.
            QTRY_VERIFY2(qAbs(swatch->mapToItem(grid, QPointF(swatch->width() / 2, 0)).x() - ((i % columns) * (column + 10) + column / 2)) < 0.01,
                         qPrintable(QString::number(i)));
        }
    }

    void storedValuesOutsideTheKnownOnesShowDefaults() {
        UiHarness h;
        h.store.setString("Velmora_Difficulty", "Nightmare");
        h.store.setString("Velmora_TileTheme", "Plaid");
        MinesweeperGame game{h.store, false, h.scheduler, h.random, h.haptics};
        GameModel model{game};
        ModalScreenController c;
        c.setGame(&model);
        QCOMPARE(model.difficulty(), QStringLiteral("Beginner"));
        QCOMPARE(model.tileTheme(), QStringLiteral("Onyx Slate"));
        // Nothing is written back until the player changes the setting.
        QCOMPARE(h.store.string("Velmora_Difficulty"), std::optional<std::string>("Nightmare"));
        c.chooseDifficulty(QStringLiteral("Expert"));
        QCOMPARE(h.store.string("Velmora_Difficulty"), std::optional<std::string>("Expert"));
    }

    // Pictures of the four screens for the README: VELMORA_UI_SHOT_DIR=docs ./ui_screen_tests screenshots
    void screenshots() {
        const QString dir = qEnvironmentVariable("VELMORA_UI_SHOT_DIR");
        if (dir.isEmpty()) QSKIP("VELMORA_UI_SHOT_DIR not set");
        UiHarness h;
        h.game.setGamesPlayed(12);
        h.game.setGamesWon(8);
        h.game.setCurrentStreak(3);
        h.game.setBestStreak(5);
        h.game.setBestTimes({{Difficulty::beginner, 41}, {Difficulty::intermediate, 187}});
        QVERIFY(h.load());
        fake.setStatus(LoginItemStatus::enabled);
        const struct {
            int screen;
            const char* file;
        } shots[] = {{ModalScreenController::Preferences, "screen-preferences.png"},
                     {ModalScreenController::Statistics, "screen-statistics.png"},
                     {ModalScreenController::HowToPlay, "screen-how-to-play.png"},
                     {ModalScreenController::About, "screen-about.png"}};
        for (const auto& shot : shots) {
            h.controller->openScreen(shot.screen);
            QTRY_VERIFY(h.item(QStringLiteral("screenTitle")));
            QTest::qWait(300);
            QVERIFY(h.window->grabWindow().save(dir + QLatin1Char('/') + QLatin1String(shot.file)));
            openedController(h)->dismiss();
            QTRY_VERIFY(!h.item(QStringLiteral("modalScreen")));
        }
        // A swatch with keyboard focus: the screen scrolls to it and both outlines show.
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        QTest::qWait(300);
        h.item(QStringLiteral("tileTheme-Classic Indigo"))->forceActiveFocus(Qt::TabFocusReason);
        QTest::qWait(300);
        QVERIFY(h.window->grabWindow().save(dir + QStringLiteral("/screen-preferences-focus.png")));
        openedController(h)->dismiss();
        QTRY_VERIFY(!h.item(QStringLiteral("modalScreen")));

        startGame(h);
        h.controller->openScreen(ModalScreenController::Preferences);
        QTRY_VERIFY(openedController(h));
        openedController(h)->chooseDifficulty(QStringLiteral("Expert"));
        QTest::qWait(300);
        QVERIFY(h.window->grabWindow().save(dir + QStringLiteral("/screen-rules-change.png")));
    }

private:
    FakeLoginItemService fake;
};

QTEST_MAIN(ScreenTests)
#include "ScreenTests.moc"
