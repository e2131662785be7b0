#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include <QFile>
#include <QLockFile>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTranslator>
#include <QVariantAnimation>
#include <QtTest>

#include "LocalizedText.h"

#include "AnimationDriver.h"
#include "AppTestSupport.h"
#include "PanelWindow.h"
#include "QtScheduler.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "VelmoraApp.h"
#include "WelcomeWindow.h"

using namespace velmora;
using namespace velmora::app;

class ShellTests : public QObject {
    Q_OBJECT
private slots:
    void panelDropsBelowAnIconAtTheTopAndStaysOnScreen();
    void panelRisesAboveAnIconAtTheBottom();
    void panelWithoutIconGeometryFollowsTheClick();
    void panelLargerThanTheScreenKeepsItsTopLeftVisible();
    void textScaleIsCappedToTheSupportedRange();
    void interfaceLanguageIsTheFirstShippedOne();
    void shippedTranslationsGiveThePluralForms();
    void commandLineOptions();
    void kdeAnimationFactorZeroMeansReducedMotion();
    void schedulerRunsPostedTasksOnALaterTurnInOrder();
    void clockStoppedFromItsOwnTickStaysStopped();
    void animationsFromRestStepAtOnceAndRunToTheirEnd();
    void secondInstanceAsksTheFirstToShowItself();
    void lockOfADeadProcessIsTakenOver();
    void windowModeShowsTheGameAndSavesOnFinish();
    void windowGrowsForTheNoTrayNoticeAndShrinksWhenItGoes();
    void unwritableStoreStillPlays();
    void panelAppearanceFollowsWhatTheDesktopSays();
    void traySymbolReadsOnDarkAndLightPanels();
    void trayWaitIsBounded();
    void escapeClosesThePanelOnlyWhenNothingInsideTakesIt();
    void panelGoesOnlyWhenItsActivationStaysLost();
};

void ShellTests::panelDropsBelowAnIconAtTheTopAndStaysOnScreen() {
    const QRect screen(0, 0, 1024, 768);
    // Icon at the top right: the panel hangs below it, pushed left to stay on the screen.
    QCOMPARE(panelPosition(QRect(1001, 1, 22, 22), {}, QSize(375, 400), screen), QPoint(649, 23));
    // Icon in the middle of the top bar: centred under it.
    QCOMPARE(panelPosition(QRect(500, 0, 20, 20), {}, QSize(300, 400), screen), QPoint(360, 20));
    // Icon at the top left: pushed right onto the screen.
    QCOMPARE(panelPosition(QRect(2, 0, 20, 20), {}, QSize(300, 400), screen), QPoint(0, 20));
    // A second screen to the right with a 30-pixel bar: clamped to that screen's area.
    QCOMPARE(panelPosition(QRect(2040, 5, 20, 20), {}, QSize(300, 400), QRect(1024, 30, 1040, 738)),
             QPoint(1764, 30));
}

void ShellTests::panelRisesAboveAnIconAtTheBottom() {
    const QRect available(0, 0, 1024, 740);  // a bottom bar takes the last 28 pixels
    QCOMPARE(panelPosition(QRect(900, 744, 22, 22), {}, QSize(375, 400), available), QPoint(649, 340));
}

void ShellTests::panelWithoutIconGeometryFollowsTheClick() {
    const QRect screen(0, 0, 1024, 768);
    QCOMPARE(panelPosition(QRect(), QPoint(400, 10), QSize(200, 300), screen), QPoint(300, 10));
    QCOMPARE(panelPosition(QRect(), QPoint(1020, 760), QSize(200, 300), screen), QPoint(824, 460));
}

void ShellTests::panelLargerThanTheScreenKeepsItsTopLeftVisible() {
    QCOMPARE(panelPosition(QRect(600, 0, 20, 20), {}, QSize(900, 700), QRect(0, 0, 800, 600)), QPoint(0, 0));
}

void ShellTests::textScaleIsCappedToTheSupportedRange() {
    QCOMPARE(DynamicTypeCapModifier::apply(0.8), 1.0);
    QCOMPARE(DynamicTypeCapModifier::apply(1.0), 1.0);
    QCOMPARE(DynamicTypeCapModifier::apply(1.25), 1.25);
    QCOMPARE(DynamicTypeCapModifier::apply(3.0), 33.0 / 17.0);
    QCOMPARE(DynamicTypeCapModifier::apply(std::numeric_limits<double>::quiet_NaN()), 1.0);
    QCOMPARE(DynamicTypeCapModifier::apply(std::numeric_limits<double>::infinity()), 1.0);
}

void ShellTests::interfaceLanguageIsTheFirstShippedOne() {
    const QStringList shipped{"pl", "fr", "de"};
    QCOMPARE(chooseInterfaceLanguage({"pl-PL", "en-US"}, shipped), QString("pl"));
    QCOMPARE(chooseInterfaceLanguage({"en-GB", "pl"}, shipped), QString("en"));
    QCOMPARE(chooseInterfaceLanguage({"es-ES", "pt", "fr-CA"}, shipped), QString("fr"));
    QCOMPARE(chooseInterfaceLanguage({"de_AT"}, shipped), QString("de"));
    QCOMPARE(chooseInterfaceLanguage({"DE"}, shipped), QString("de"));
    QCOMPARE(chooseInterfaceLanguage({"it"}, shipped), QString("en"));
    QCOMPARE(chooseInterfaceLanguage({}, shipped), QString("en"));
}

void ShellTests::shippedTranslationsGiveThePluralForms() {
    struct Case {
        const char* language;
        const char* key;
        qint64 count;
        const char* text;
    };
    const Case cases[] = {
        {"pl", "%lld mines left", 1, "1 mina pozostała"},     {"pl", "%lld mines left", 3, "3 miny pozostały"},
        {"pl", "%lld mines left", 5, "5 min pozostało"},      {"pl", "%lld mines left", 12, "12 min pozostało"},
        {"pl", "%lld mines left", 22, "22 miny pozostały"},   {"pl", "%lld mines nearby", 0, "0 min w pobliżu"},
        {"fr", "%lld mines left", 0, "0 mine restante"},      {"fr", "%lld mines left", 2, "2 mines restantes"},
        {"fr", "%lld mines nearby", 1, "1 mine voisine"}, {"de", "%lld mines nearby", 1, "1 Mine in der Nähe"},
        {"de", "%lld mines left", -2, "-2 Minen übrig"},
    };
    for (const Case& c : cases) {
        QTranslator translator;
        QVERIFY2(translator.load(QStringLiteral(":/i18n/velmora_%1.qm").arg(c.language)), c.language);
        QCoreApplication::installTranslator(&translator);
        ui::setInterfaceLanguage(c.language);
        const QString text = ui::localizedCountString(c.key, c.count);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(text, QString::fromUtf8(c.text));
    }
    ui::setInterfaceLanguage("en");

    QTranslator polish;
    QVERIFY(polish.load(":/i18n/velmora_pl.qm"));
    QCoreApplication::installTranslator(&polish);
    QCOMPARE(QCoreApplication::translate("Velmora", "Quit Velmora"), QString::fromUtf8("Zakończ aplikację Velmora"));
    QCoreApplication::removeTranslator(&polish);
}

void ShellTests::commandLineOptions() {
    QString error;
    auto options = parseOptions({"velmora", "--defaults", "/tmp/d.json", "--window", "--text-scale=1.5",
                                 "--reduce-motion", "--at-login"},
                                &error);
    QVERIFY(options);
    QVERIFY(options->atLogin);
    QCOMPARE(options->defaultsPath, QString("/tmp/d.json"));
    QVERIFY(options->window);
    QCOMPARE(*options->textScale, 1.5);
    QVERIFY(options->reduceMotion);

    options = parseOptions({"velmora"}, &error);
    QVERIFY(options && options->defaultsPath.isEmpty() && !options->window && !options->textScale && !options->atLogin);

    for (const QStringList& bad : {QStringList{"velmora", "--defaults"}, QStringList{"velmora", "--defaults="},
                                   QStringList{"velmora", "--text-scale", "big"},
                                   QStringList{"velmora", "--text-scale", "-1"},
                                   QStringList{"velmora", "--text-scale", "nan"}, QStringList{"velmora", "--frobnicate"}}) {
        error.clear();
        QVERIFY2(!parseOptions(bad, &error), qPrintable(bad.join(' ')));
        QVERIFY(!error.isEmpty());
    }
}

void ShellTests::kdeAnimationFactorZeroMeansReducedMotion() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kdeglobals");
    QVERIFY(!kdeAnimationsOff(path));
    auto write = [&](const QByteArray& text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    write("[General]\nColorScheme=Breeze\n\n[KDE]\nAnimationDurationFactor=0\n");
    QVERIFY(kdeAnimationsOff(path));
    write("[KDE]\nAnimationDurationFactor=0.5\n");
    QVERIFY(!kdeAnimationsOff(path));
    write("[KDE]\nSingleClick=false\n");
    QVERIFY(!kdeAnimationsOff(path));
}

void ShellTests::schedulerRunsPostedTasksOnALaterTurnInOrder() {
    QtScheduler scheduler;
    QStringList ran;
    scheduler.post([&] {
        ran << "first";
        scheduler.post([&] { ran << "third"; });
    });
    scheduler.post([&] { ran << "second"; });
    QVERIFY(ran.isEmpty());
    QTRY_COMPARE(ran, (QStringList{"first", "second", "third"}));

    // A task posted by a scheduler that has gone must not run.
    bool ranLate = false;
    {
        QtScheduler shortLived;
        shortLived.post([&] { ranLate = true; });
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QVERIFY(!ranLate);
}

void ShellTests::clockStoppedFromItsOwnTickStaysStopped() {
    QtScheduler scheduler;
    int ticks = 0;
    std::unique_ptr<TaskHandle> clock;
    clock = scheduler.everySecond([&] {
        ++ticks;
        clock.reset();  // the game drops its clock from inside a tick when a game ends
    });
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);
    QTest::qWait(1500);
    QCOMPARE(ticks, 1);

    int cancelledTicks = 0;
    auto cancelled = scheduler.everySecond([&] { ++cancelledTicks; });
    cancelled->cancel();
    QTest::qWait(1200);
    QCOMPARE(cancelledTicks, 0);
}

void ShellTests::animationsFromRestStepAtOnceAndRunToTheirEnd() {
    PromptAnimationDriver driver;
    driver.install();
    // A mark set one interval after the driver starts: Qt's own stepping takes its first step
    // no sooner, this one well before, whatever the load (timers fire in the order they are due).
    QTimer oneInterval;
    oneInterval.setSingleShot(true);
    oneInterval.setTimerType(Qt::PreciseTimer);
    connect(&driver, &QAnimationDriver::started, &oneInterval,
            [&] { oneInterval.start(PromptAnimationDriver::kIntervalMs); });
    for (int round = 0; round < 2; ++round) {  // from rest twice: the driver stops in between
        QVariantAnimation animation;
        animation.setStartValue(0.0);
        animation.setEndValue(1.0);
        animation.setDuration(120);
        bool steppedBeforeTheMark = false, stepped = false;
        connect(&animation, &QVariantAnimation::valueChanged, this, [&](const QVariant& value) {
            if (value.toDouble() <= 0 || stepped) return;
            stepped = true;
            steppedBeforeTheMark = oneInterval.isActive();
        });
        QSignalSpy finished(&animation, &QAbstractAnimation::finished);
        animation.start();
        QVERIFY(finished.wait(5000));
        QCOMPARE(animation.currentValue().toDouble(), 1.0);
        QVERIFY2(steppedBeforeTheMark, qPrintable(QStringLiteral("round %1").arg(round)));
        QTRY_VERIFY(!driver.isRunning());
    }
}

void ShellTests::secondInstanceAsksTheFirstToShowItself() {
    QTemporaryDir dir;
    const QString key = SingleInstance::keyForStore(dir.filePath("defaults.json"));
    QCOMPARE(key, SingleInstance::keyForStore(dir.filePath("./defaults.json")));
    QVERIFY(key != SingleInstance::keyForStore(dir.filePath("other.json")));

    SingleInstance first(key, dir.path());
    int shows = 0;
    QVERIFY(first.claim([&] { ++shows; }));

    SingleInstance second(key, dir.path());
    QVERIFY(!second.claim([] {}));
    // The second process blocks while it knocks; the first answers from its event loop.
    std::atomic<int> answered{-1};
    std::thread knocker([&] { answered = second.notifyRunning(5000) ? 1 : 0; });
    QTRY_COMPARE(shows, 1);
    QTRY_VERIFY(answered != -1);
    knocker.join();
    QCOMPARE(answered.load(), 1);

    // Nobody listening under another key: the knock fails instead of hanging.
    SingleInstance nobody(SingleInstance::keyForStore(dir.filePath("none.json")), dir.path());
    QVERIFY(!nobody.notifyRunning(500));
}

void ShellTests::lockOfADeadProcessIsTakenOver() {
    QTemporaryDir dir;
    const QString key = SingleInstance::keyForStore(dir.filePath("defaults.json"));
    QFile stale(dir.filePath(key + ".lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    // The lock file of a process that no longer exists (beyond the largest process id).
    stale.write("99999999\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance instance(key, dir.path());
    QVERIFY(instance.claim([] {}));
}

void ShellTests::windowModeShowsTheGameAndSavesOnFinish() {
    QTemporaryDir dir;
    const QString store = dir.filePath("defaults.json");
    const Options options = windowOptions(store);
    VelmoraApp velmora(options);
    QVERIFY(velmora.start());
    QVERIFY(velmora.window());
    QVERIFY(velmora.window()->isVisible());
    QVERIFY(velmora.game().isViewVisible());
    QVERIFY(QTest::qWaitForWindowExposed(velmora.window()));

    velmora.game().primaryAction(40);
    QCOMPARE(velmora.game().phase(), GamePhase::playing);
    velmora.finish();
    QVERIFY(!velmora.game().isViewVisible());
    QVERIFY(!velmora.game().clockRunning());
    QFile file(store);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("\"Velmora_SavedGame\""), text.constData());
    QVERIFY(text.contains("\"Velmora_GamesPlayed\":1"));
}

void ShellTests::windowGrowsForTheNoTrayNoticeAndShrinksWhenItGoes() {
    QTemporaryDir dir;
    VelmoraApp velmora(windowOptions(dir.filePath("defaults.json")));
    QVERIFY(velmora.start());
    QQuickWindow* window = velmora.window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* view = window->findChild<QQuickItem*>(QStringLiteral("minesweeperView"));
    auto* notice = window->findChild<QQuickItem*>(QStringLiteral("trayNotice"));
    QVERIFY(view && notice);
    QTRY_COMPARE(window->height(), int(std::ceil(view->implicitHeight())));
    const int boardOnly = window->height();

    // The whole board stays in the window under the notice, and the limits go with it.
    window->setProperty("notice", QStringLiteral("No tray was found. The game opens in this window."));
    QTRY_VERIFY(notice->height() > 0);
    QTRY_COMPARE(window->height(), int(std::ceil(view->implicitHeight() + notice->height())));
    QCOMPARE(window->minimumHeight(), window->height());
    QCOMPARE(window->maximumHeight(), window->height());
    QVERIFY(view->y() + view->implicitHeight() <= window->height());

    window->setProperty("notice", QString());
    QTRY_COMPARE(window->height(), boardOnly);
    QCOMPARE(window->maximumHeight(), boardOnly);
    velmora.finish();
}

void ShellTests::unwritableStoreStillPlays() {
    // Earlier cases over fresh stores left their welcome open.
    WelcomeWindowController::shared().close();
    QTRY_VERIFY(!WelcomeWindowController::shared().window());
    const Options options = windowOptions("/proc/velmora-test/defaults.json");
    VelmoraApp velmora(options);
    QVERIFY(velmora.start());
    // The welcome cannot be recorded, so it comes on this launch and, within it, only once.
    WelcomeWindowController& welcome = WelcomeWindowController::shared();
    QTRY_VERIFY(welcome.window());
    QVERIFY(velmora.game().hasSeenWelcome());
    welcome.close();
    QTRY_VERIFY(!welcome.window());
    QVERIFY(!showWelcomeIfNeeded(velmora.game()));
    QVERIFY(!welcome.window());
    velmora.game().primaryAction(0);
    QCOMPARE(velmora.game().phase(), GamePhase::playing);
    velmora.finish();
}

void ShellTests::panelAppearanceFollowsWhatTheDesktopSays() {
    QCOMPARE(panelAppearanceFrom("'prefer-dark'", "'Adwaita'", {}), PanelAppearance::dark);
    QCOMPARE(panelAppearanceFrom("'prefer-light'", "'Adwaita-dark'", {}), PanelAppearance::light);
    QCOMPARE(panelAppearanceFrom("'default'", "'Adwaita-dark'", {}), PanelAppearance::dark);
    QCOMPARE(panelAppearanceFrom({}, {}, "BreezeDark"), PanelAppearance::dark);
    QCOMPARE(panelAppearanceFrom({}, {}, "BreezeLight"), PanelAppearance::light);
    // Unread, or a "default" that every desktop with the schema reports: no guess.
    QCOMPARE(panelAppearanceFrom({}, {}, {}), PanelAppearance::unknown);
    QCOMPARE(panelAppearanceFrom("'default'", "'Adwaita'", {}), PanelAppearance::unknown);
}

namespace {
// The contrast of the symbol against a panel of `background`: the largest luminance
// difference between the background and an opaque pixel of the symbol laid on it.
double symbolContrast(const QImage& symbol, const QColor& background) {
    QImage panel(symbol.size(), QImage::Format_ARGB32_Premultiplied);
    panel.fill(background);
    QPainter painter(&panel);
    painter.drawImage(0, 0, symbol);
    painter.end();
    double best = 0;
    for (int y = 0; y < panel.height(); ++y)
        for (int x = 0; x < panel.width(); ++x)
            best = std::max(best, double(std::abs(QColor(panel.pixel(x, y)).lightnessF() - background.lightnessF())));
    return best;
}
}  // namespace

void ShellTests::traySymbolReadsOnDarkAndLightPanels() {
    const QColor darkPanel(0x20, 0x20, 0x24), lightPanel(0xf0, 0xf0, 0xf0), blackPanel(Qt::black), whitePanel(Qt::white);
    for (const char* symbol : {"flag.fill", "burst.fill", "square.grid.3x3.fill"}) {
        for (PanelAppearance appearance : {PanelAppearance::dark, PanelAppearance::light, PanelAppearance::unknown}) {
            for (int size : {16, 22, 64}) {
                const QImage image = traySymbolImage(symbol, appearance, size);
                QVERIFY(!image.isNull());
                QCOMPARE(image.size(), QSize(size, size));
                // Whatever the guess, the symbol stands out on either kind of panel.
                for (const QColor& panel : {darkPanel, lightPanel, blackPanel, whitePanel})
                    QVERIFY2(symbolContrast(image, panel) > 0.6,
                             qPrintable(QStringLiteral("%1 at %2 on %3").arg(symbol).arg(size).arg(panel.name())));
            }
        }
    }
    // The guess picks the fill: light on a dark panel, dark on a light one.
    const QImage onDark = traySymbolImage("flag.fill", PanelAppearance::dark, 64);
    const QImage onLight = traySymbolImage("flag.fill", PanelAppearance::light, 64);
    QVERIFY(QColor(onDark.pixel(32, 20)).lightnessF() > 0.8);
    QVERIFY(QColor(onLight.pixel(32, 20)).lightnessF() < 0.2);
    QVERIFY(traySymbolImage("no.such.symbol", PanelAppearance::dark, 22).isNull());
    QVERIFY(traySymbolIcon("flag.fill", PanelAppearance::unknown).availableSizes().contains(QSize(22, 22)));
    QCOMPARE(traySymbolicIconName(MenuBarIconOption::grid), QStringLiteral("example.velmora.Velmora-grid-symbolic"));
}

void ShellTests::trayWaitIsBounded() {
    QCOMPARE(trayWaitMilliseconds({}), 10000);
    QCOMPARE(trayWaitMilliseconds("0"), 0);
    QCOMPARE(trayWaitMilliseconds("2.5"), 2500);
    QCOMPARE(trayWaitMilliseconds("600"), 600000);
    for (const char* bad : {"-1", "601", "nan", "inf", "soon", "1e9"}) QCOMPARE(trayWaitMilliseconds(bad), 10000);
}

void ShellTests::escapeClosesThePanelOnlyWhenNothingInsideTakesIt() {
    QQmlEngine engine;
    QQmlComponent component(&engine);
    // A stand-in for the panel's content: a focused control that takes Escape only while its
    // dialog is up, the way a confirmation or a screen does.
    component.setData(R"(
        import QtQuick
        Window {
            width: 200; height: 200
            property bool dialogUp: false
            Item {
                objectName: "control"
                anchors.fill: parent
                focus: true
                Keys.onEscapePressed: function(event) { event.accepted = parent.Window.window.dialogUp }
            }
        })", QUrl());
    std::unique_ptr<QQuickWindow> window(qobject_cast<QQuickWindow*>(component.create()));
    QVERIFY2(window, qPrintable(component.errorString()));
    PanelWindow panel(window.get(), true);
    QSignalSpy escapes(&panel, &PanelWindow::escapePressed);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    window->setProperty("dialogUp", true);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QCOMPARE(escapes.count(), 0);
    window->setProperty("dialogUp", false);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QCOMPARE(escapes.count(), 1);
    // Other keys and Escape with a modifier are not the panel's.
    QTest::keyClick(window.get(), Qt::Key_A);
    QTest::keyClick(window.get(), Qt::Key_Escape, Qt::ShiftModifier);
    QCOMPARE(escapes.count(), 1);

    // An ordinary window never goes on Escape.
    QQmlComponent plain(&engine);
    plain.setData("import QtQuick\nWindow { width: 100; height: 100 }", QUrl());
    std::unique_ptr<QQuickWindow> other(qobject_cast<QQuickWindow*>(plain.create()));
    PanelWindow asWindow(other.get(), false);
    QSignalSpy windowEscapes(&asWindow, &PanelWindow::escapePressed);
    other->show();
    QVERIFY(QTest::qWaitForWindowExposed(other.get()));
    QTest::keyClick(other.get(), Qt::Key_Escape);
    QCOMPARE(windowEscapes.count(), 0);
}

void ShellTests::panelGoesOnlyWhenItsActivationStaysLost() {
    QQmlEngine engine;
    auto makeWindow = [&engine] {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nWindow { width: 100; height: 100 }", QUrl());
        return std::unique_ptr<QQuickWindow>(qobject_cast<QQuickWindow*>(component.create()));
    };
    auto window = makeWindow();
    auto elsewhere = makeWindow();
    QVERIFY(window && elsewhere);
    PanelWindow panel(window.get(), true);
    QSignalSpy dismissals(&panel, &PanelWindow::dismissRequested);
    elsewhere->show();
    panel.present(PanelSpot(), false);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // Taken away and handed back at once, as a window manager may do: the panel stays. The
    // long settle keeps a slow machine from deciding this; shortening it afterwards restarts a
    // wait that is still pending, so one the return failed to cancel would dismiss here.
    panel.setDeactivationSettle(60000);
    elsewhere->requestActivate();
    QTRY_VERIFY(elsewhere->isActive());
    window->requestActivate();
    QTRY_VERIFY(window->isActive());
    panel.setDeactivationSettle(10);
    QTest::qWait(50);
    QCOMPARE(dismissals.count(), 0);

    // A loss that lasts is the user's turning away, said once.
    elsewhere->requestActivate();
    QTRY_COMPARE(dismissals.count(), 1);
    QTest::qWait(50);
    QCOMPARE(dismissals.count(), 1);

    // Closed from outside (a window manager's close key, a compositor dropping the surface
    // with its monitor): the same turning away, so the app hides it and stops the clock,
    // rather than a window gone behind its back. The ordinary window asks to quit instead.
    QSignalSpy quits(&panel, &PanelWindow::closeRequested);
    window->close();
    QCOMPARE(dismissals.count(), 2);
    QCOMPARE(quits.count(), 0);
    QVERIFY(window->isVisible());
    PanelWindow ordinary(elsewhere.get(), false);
    QSignalSpy ordinaryQuits(&ordinary, &PanelWindow::closeRequested);
    elsewhere->close();
    QCOMPARE(ordinaryQuits.count(), 1);
    QVERIFY(elsewhere->isVisible());
}

QTEST_MAIN(ShellTests)
#include "ShellTests.moc"
