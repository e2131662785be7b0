#include <QAccessible>
#include <QLocale>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QtTest>

#include "DefaultsStore.h"
#include "Haptics.h"
#include "MinesweeperGame.h"
#include "RandomSource.h"
#include "Scheduler.h"
#include "Shell.h"
#include "WelcomeWindow.h"

using namespace velmora;
using namespace velmora::app;

namespace {

struct Game {
    InMemoryDefaultsStore store;
    ManualScheduler scheduler;
    SeededRandomSource random{7};
    NoHaptics haptics;
    MinesweeperGame game{store, false, scheduler, random, haptics};
};

QQuickItem* findItem(QQuickItem* item, const QString& name) {
    if (!item) return nullptr;
    if (item->objectName() == name) return item;
    for (QQuickItem* child : item->childItems())
        if (QQuickItem* found = findItem(child, name)) return found;
    return nullptr;
}

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

class WelcomeTests : public QObject {
    Q_OBJECT
private slots:
    void firstLaunchRecordsTheWelcomeBeforeTheWindowOpens();
    void aSeenWelcomeOpensNothing();
    void thePictureHighlightsTheCurrentIcon();
    void theWindowIsTitledFixedAndCentred();
    void returnAndTheCloseButtonCloseItAndAShownWindowIsNotOpenedTwice();
    void largeTextWidensTheWindowOnlyUpToTheCap();
    void theClockUsesTheLocalesShortFormWithoutSeconds();
    void cleanup() { settle(); }
};

void WelcomeTests::firstLaunchRecordsTheWelcomeBeforeTheWindowOpens() {
    Game g;
    WelcomeWindowController controller;
    bool seenWhenOpened = false;
    bool storedWhenOpened = false;
    connect(&controller, &WelcomeWindowController::windowOpened, this, [&] {
        seenWhenOpened = g.game.hasSeenWelcome();
        storedWhenOpened = g.store.object(keys::hasSeenWelcome) == nlohmann::json(true);
    });
    QVERIFY(showWelcomeIfNeeded(g.game, controller));
    QVERIFY(controller.window());
    QVERIFY(controller.window()->isVisible());
    QVERIFY(seenWhenOpened);
    QVERIFY(storedWhenOpened);

    // The same run does not ask again, and the next launch over the store opens nothing.
    QVERIFY(!showWelcomeIfNeeded(g.game, controller));
    controller.close();
    settle();
    QVERIFY(!controller.window());
    Game next;
    InMemoryDefaultsStore seen(nlohmann::json{{keys::hasSeenWelcome, true}});
    MinesweeperGame relaunched(seen, false, next.scheduler, next.random, next.haptics);
    WelcomeWindowController other;
    QVERIFY(!showWelcomeIfNeeded(relaunched, other));
    QVERIFY(!other.window());
}

void WelcomeTests::aSeenWelcomeOpensNothing() {
    Game g;
    g.game.setHasSeenWelcome(true);
    WelcomeWindowController controller;
    QSignalSpy opened(&controller, &WelcomeWindowController::windowOpened);
    QVERIFY(!showWelcomeIfNeeded(g.game, controller));
    QCOMPARE(opened.count(), 0);
    QVERIFY(!controller.window());
}

void WelcomeTests::thePictureHighlightsTheCurrentIcon() {
    for (const auto& [option, symbol] : {std::pair{MenuBarIconOption::grid, "square.grid.3x3.fill"},
                                         std::pair{MenuBarIconOption::burst, "burst.fill"},
                                         std::pair{MenuBarIconOption::flag, "flag.fill"}}) {
        Game g;
        g.game.setMenuBarIcon(option);
        WelcomeWindowController controller;
        QVERIFY(showWelcomeIfNeeded(g.game, controller));
        QQuickItem* icon = findItem(controller.window()->contentItem(), "welcomeHighlightedIcon");
        QVERIFY(icon);
        QCOMPARE(icon->property("name").toString(), QString::fromLatin1(symbol));
        // The symbol really draws: a name without an image would leave an empty highlight.
        QVERIFY(!icon->property("source").toString().isEmpty());
        QQuickItem* hint = findItem(controller.window()->contentItem(), "welcomeIconHint");
        QVERIFY(hint);
        QCOMPARE(hint->property("width").toDouble() > 0, true);
        controller.close();
        settle();
    }
}

void WelcomeTests::theWindowIsTitledFixedAndCentred() {
    // A size limit bound to the size it limits loops, and newer Qt then leaves the window 1 px wide.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("[Bb]inding loop")));
    WelcomeWindowController controller;
    controller.setSystemScale(1.0);
    controller.show("flag.fill");
    QQuickWindow* window = controller.window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->title(), QStringLiteral("Welcome — Velmora"));
    // The button that has focus as the window opens carries the window's text, which a screen
    // reader reads with it.
    QQuickItem* gotIt = findItem(window->contentItem(), "welcomeGotItButton");
    QVERIFY(gotIt && gotIt->hasActiveFocus());
    QAccessible::setActive(true);
    const QString description = QAccessible::queryAccessibleInterface(gotIt)->text(QAccessible::Description);
    QVERIFY(description.startsWith(QStringLiteral("Welcome to Velmora Velmora lives in your menu bar.")));
    QVERIFY(description.endsWith(QStringLiteral("choose How to Play.")));
    QCOMPARE(window->objectName(), QStringLiteral("welcomeWindow"));
    const Qt::WindowFlags flags = window->flags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // Fitted to its content and not resizable.
    QCOMPARE(window->width(), 400);
    QVERIFY(window->height() > 200);
    QCOMPARE(window->minimumSize(), window->size());
    QCOMPARE(window->maximumSize(), window->size());
    // The size it was centred and shown with is the size of its laid-out content.
    const QSize shown = window->size();
    QQuickItem* content = window->contentItem()->childItems().value(0);
    QVERIFY(content);
    QTRY_COMPARE(window->height(), int(std::ceil(content->implicitHeight())));
    QCOMPARE(window->size(), shown);
    QQuickItem* button = findItem(window->contentItem(), "welcomeGotItButton");
    QVERIFY(button);
    const QRectF inWindow = button->mapRectToScene(QRectF(0, 0, button->width(), button->height()));
    QVERIFY2(inWindow.bottom() <= window->height() - 27, "the button is cut off or the padding is missing");
    for (const char* name : {"welcomeTitle", "welcomeMenuBarText", "welcomeIconHint"})
        QVERIFY2(findItem(window->contentItem(), name), name);

    const QRect area = window->screen()->availableGeometry();
    const QPoint centre = window->geometry().center();
    QVERIFY(std::abs(centre.x() - area.center().x()) <= 1);
    QVERIFY(std::abs(centre.y() - area.center().y()) <= 1);
}

void WelcomeTests::returnAndTheCloseButtonCloseItAndAShownWindowIsNotOpenedTwice() {
    WelcomeWindowController controller;
    QSignalSpy opened(&controller, &WelcomeWindowController::windowOpened);
    QSignalSpy closed(&controller, &WelcomeWindowController::windowClosed);
    controller.show("flag.fill");
    QQuickWindow* first = controller.window();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    controller.show("burst.fill");
    QCOMPARE(controller.window(), first);
    QCOMPARE(opened.count(), 1);

    QTest::keyClick(first, Qt::Key_Return);
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(!controller.window());

    // Once closed it may open again (a new process would), and the window's own close
    // button (a close event from the window manager) also lets it go.
    controller.show("flag.fill");
    QVERIFY(controller.window());
    QVERIFY(QTest::qWaitForWindowExposed(controller.window()));
    QTest::keyClick(controller.window(), Qt::Key_Enter);
    QTRY_COMPARE(closed.count(), 2);
    controller.show("flag.fill");
    controller.window()->close();
    QTRY_COMPARE(closed.count(), 3);
    QVERIFY(!controller.window());
}

void WelcomeTests::largeTextWidensTheWindowOnlyUpToTheCap() {
    WelcomeWindowController controller;
    controller.setSystemScale(1.5);
    controller.show("flag.fill");
    QCOMPARE(controller.window()->width(), 600);
    controller.close();
    settle();
    controller.setSystemScale(4.0);
    controller.show("flag.fill");
    QCOMPARE(controller.window()->width(), int(std::ceil(400 * 33.0 / 17.0)));
    controller.close();
    settle();
    controller.setSystemScale(0.5);
    controller.show("flag.fill");
    QCOMPARE(controller.window()->width(), 400);
}

void WelcomeTests::theClockUsesTheLocalesShortFormWithoutSeconds() {
    const QTime time(15, 7, 42);
    const QString american = welcomeTimeText(QLocale(QLocale::English, QLocale::UnitedStates), time);
    QVERIFY2(american.startsWith(QStringLiteral("3:07")) && american.endsWith(QStringLiteral("PM")), qPrintable(american));
    QCOMPARE(welcomeTimeText(QLocale(QLocale::German, QLocale::Germany), time), QStringLiteral("15:07"));
    QCOMPARE(welcomeTimeText(QLocale(QLocale::Polish, QLocale::Poland), time), QStringLiteral("15:07"));
    // A locale whose short form carries seconds still shows a panel clock.
    for (const QLocale& locale : {QLocale(QLocale::Finnish), QLocale(QLocale::Japanese), QLocale::c()})
        QVERIFY2(!welcomeTimeText(locale, time).contains(QStringLiteral("42")), qPrintable(locale.name()));
}

QTEST_MAIN(WelcomeTests)
#include "WelcomeTests.moc"
