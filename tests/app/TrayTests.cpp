#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QProcess>
#include <QtTest>

#include "DesktopSettings.h"
#include "PlatformChoice.h"
#include "Shell.h"
#include "tray/ActivationGate.h"
#include "tray/TrayAppearance.h"
#include "tray/StatusNotifierItem.h"
#include "tray/TrayHosts.h"
#include "tray/TrayPlacement.h"

using namespace velmora::app;

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// The session's watcher as a panel runs it, on a connection of its own.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    QStringList items;
    bool hostRegistered() const { return true; }
public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& service) { items << service; }
};

// The private session bus the whole test runs on; started before the application.
QProcess* busDaemon = nullptr;

}  // namespace

class TrayTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void itemRegistersAndReportsClicksWithTheirPoint();
    void itemReadsAsAHostReadsIt();
    void itemRegistersAgainWhenTheWatcherReturns();
    void secondActivationOfADoubleClickLeavesThePanelOpen();
    void clickThatTookActivationFromThePanelDoesNotReopenIt();
    void clickAnchorIsTheHostsPointOnlyWhenItIsOnAScreen();
    void trayIsGuessedAtTheEdgeAPanelKeeps();
    void gnomeAndXfceGetTheToolkitsItem();
    void symbolIsDrawnForThePanelEachDesktopShows();
    void kdeFilesThatCannotBeReadGiveTheSymbolForBoth();
    void waybarAndSwayGetTheLightSymbolAndNoName();
    void hostsAreKnownByTheirProgram();
    void gnomeWaylandRunsThePanelThroughXWayland();
    void barThatComesUpLaterGetsItsSymbol();

private:
    QDBusConnection watcherBus_{QString()};
    QDBusConnection hostBus_{QString()};
    FakeWatcher watcher_;
    QVariant get(const QString& service, const QString& property);
};

void TrayTests::initTestCase() {
    QVERIFY(busDaemon);
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    watcherBus_ = QDBusConnection::connectToBus(address, QStringLiteral("watcher"));
    hostBus_ = QDBusConnection::connectToBus(address, QStringLiteral("host"));
    QVERIFY(watcherBus_.isConnected() && hostBus_.isConnected());
    QVERIFY(watcherBus_.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher_,
                                       QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(watcherBus_.registerService(kWatcher));
}

void TrayTests::cleanupTestCase() {
    QDBusConnection::disconnectFromBus(QStringLiteral("watcher"));
    QDBusConnection::disconnectFromBus(QStringLiteral("host"));
}

QVariant TrayTests::get(const QString& service, const QString& property) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(StatusNotifierItem::kPath),
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierItem") << property;
    // The item answers on this thread: the call has to keep the event loop turning.
    const QDBusMessage reply = hostBus_.call(call, QDBus::BlockWithGui, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

void TrayTests::itemRegistersAndReportsClicksWithTheirPoint() {
    StatusNotifierItem item(QDBusConnection::sessionBus());
    QSignalSpy registration(&item, &StatusNotifierItem::registrationChanged);
    QVERIFY(item.start());
    QTRY_VERIFY(watcher_.items.contains(item.serviceName()));
    QTRY_VERIFY(item.isRegistered());

    QSignalSpy activated(&item, &StatusNotifierItem::activated);
    QSignalSpy menu(&item, &StatusNotifierItem::contextMenuRequested);
    QSignalSpy token(&item, &StatusNotifierItem::activationTokenProvided);
    auto send = [&](const QString& method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(item.serviceName(), QString::fromLatin1(StatusNotifierItem::kPath),
                                                           QStringLiteral("org.kde.StatusNotifierItem"), method);
        call.setArguments(arguments);
        hostBus_.asyncCall(call);
    };
    send(QStringLiteral("ProvideXdgActivationToken"), {QStringLiteral("token-1")});
    send(QStringLiteral("Activate"), {1200, 14});
    send(QStringLiteral("ContextMenu"), {0, 0});
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toPoint(), QPoint(1200, 14));
    QTRY_COMPARE(menu.count(), 1);
    QCOMPARE(menu.first().first().toPoint(), QPoint(0, 0));
    QTRY_COMPARE(token.count(), 1);
    QCOMPARE(token.first().first().toString(), QStringLiteral("token-1"));
}

void TrayTests::itemReadsAsAHostReadsIt() {
    StatusNotifierItem item(QDBusConnection::sessionBus());
    QVERIFY(item.start());
    QImage red(2, 1, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    item.setIcon(QString(), {red});
    item.setTitle(QStringLiteral("Velmora"));

    QCOMPARE(get(item.serviceName(), QStringLiteral("Title")).toString(), QStringLiteral("Velmora"));
    QCOMPARE(get(item.serviceName(), QStringLiteral("Id")).toString(), QStringLiteral("example.velmora.Velmora"));
    QCOMPARE(get(item.serviceName(), QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    QCOMPARE(get(item.serviceName(), QStringLiteral("ItemIsMenu")).toBool(), false);
    // No menu of its own, so hosts ask for one with ContextMenu.
    QVERIFY(!get(item.serviceName(), QStringLiteral("Menu")).isValid());
    // a(iiay), each pixel ARGB in network byte order.
    const QVariant pixmaps = get(item.serviceName(), QStringLiteral("IconPixmap"));
    QVERIFY(pixmaps.canConvert<QDBusArgument>());
    SniPixmapList list;
    pixmaps.value<QDBusArgument>() >> list;
    QCOMPARE(list.size(), 1);
    QCOMPARE(list[0].width, 2);
    QCOMPARE(list[0].height, 1);
    QCOMPARE(list[0].pixels, QByteArray::fromHex("ffff0000ffff0000"));
    const QVariant toolTip = get(item.serviceName(), QStringLiteral("ToolTip"));
    SniToolTip tip;
    toolTip.value<QDBusArgument>() >> tip;
    QCOMPARE(tip.title, QStringLiteral("Velmora"));
}

void TrayTests::itemRegistersAgainWhenTheWatcherReturns() {
    StatusNotifierItem item(QDBusConnection::sessionBus());
    QSignalSpy registration(&item, &StatusNotifierItem::registrationChanged);
    QVERIFY(item.start());
    QTRY_VERIFY(item.isRegistered());
    watcher_.items.clear();
    // The panel ends: its watcher goes, and so does our place in it.
    QVERIFY(watcherBus_.unregisterService(kWatcher));
    QTRY_VERIFY(!item.isRegistered());
    QVERIFY(watcher_.items.isEmpty());
    QVERIFY(watcherBus_.registerService(kWatcher));
    QTRY_COMPARE(watcher_.items, QStringList{item.serviceName()});
    QTRY_VERIFY(item.isRegistered());
    QCOMPARE(registration.count(), 3);
}

void TrayTests::secondActivationOfADoubleClickLeavesThePanelOpen() {
    ActivationGate gate(400);
    const QPoint icon(1200, 12);
    // Two activations for one double click (KDE, MATE): open, then nothing.
    QCOMPARE(gate.activate(1000, false, TrayClick::single, icon), PanelAction::show);
    gate.panelShown(1000);
    QCOMPARE(gate.activate(1250, true, TrayClick::single, icon), PanelAction::ignore);
    // A click well after that closes it.
    QCOMPARE(gate.activate(2000, true, TrayClick::single, icon), PanelAction::hide);
    // XEmbed reports the second click as a double click: never a close.
    QCOMPARE(gate.activate(3000, false, TrayClick::single, icon), PanelAction::show);
    gate.panelShown(3000);
    QCOMPARE(gate.activate(3900, true, TrayClick::doubleClick, icon), PanelAction::ignore);
    // With the panel closed, a double click opens it (nothing of it was handled yet).
    QCOMPARE(gate.activate(5000, false, TrayClick::doubleClick, icon), PanelAction::show);
}

void TrayTests::clickThatTookActivationFromThePanelDoesNotReopenIt() {
    ActivationGate gate(400);
    const QPoint icon(1200, 12);
    gate.panelShown(0);
    // The press on the icon took activation first; its click arrives after the panel went.
    gate.panelTurnedAway(5000, icon);
    QCOMPARE(gate.activate(5100, false, TrayClick::single, icon + QPoint(3, 2)), PanelAction::ignore);
    // A click elsewhere closed it, then the icon: a new click.
    gate.panelTurnedAway(7000, QPoint(300, 500));
    QCOMPARE(gate.activate(7100, false, TrayClick::single, icon), PanelAction::show);
    // Later, at the same place: a new click too.
    gate.panelTurnedAway(9000, icon);
    QCOMPARE(gate.activate(9400, false, TrayClick::single, icon), PanelAction::show);
}

void TrayTests::clickAnchorIsTheHostsPointOnlyWhenItIsOnAScreen() {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QPoint pointer(3110, 1012);
    using P = std::optional<QPoint>;
    // Near the pointer (the icon's corner, say): the host knows the icon better.
    QCOMPARE(trayClickAnchor(QPoint(3100, 1000), pointer, screens), P(QPoint(3100, 1000)));  // second monitor
    QCOMPARE(trayClickAnchor(QPoint(0, 0), pointer, screens), P(pointer));
    QCOMPARE(trayClickAnchor(QPoint(-40, 5000), pointer, screens), P(pointer));
    QCOMPARE(trayClickAnchor(QPoint(3000, 1050), pointer, screens), P(pointer));  // below the smaller monitor
    QCOMPARE(trayClickAnchor(std::nullopt, pointer, screens), P(pointer));
    // MATE: x = 0 and the panel's bottom edge, far from the icon that was clicked.
    QCOMPARE(trayClickAnchor(QPoint(0, 25), QPoint(1141, 12), screens), P(QPoint(1141, 12)));
    // Without a pointer (Wayland), the host's point when it is on a screen, else nothing.
    QCOMPARE(trayClickAnchor(QPoint(1200, 14), std::nullopt, screens), P(QPoint(1200, 14)));
    QCOMPARE(trayClickAnchor(QPoint(0, 0), std::nullopt, screens), std::nullopt);

    // From the anchor, the panel lies on that monitor next to the icon.
    const QRect second(1920, 0, 1280, 1000);
    const QPoint topLeft = panelPosition(QRect(), QPoint(3190, 990), QSize(400, 460), second);
    QCOMPARE(topLeft, QPoint(3200 - 400, 990 - 460));
}

void TrayTests::trayIsGuessedAtTheEdgeAPanelKeeps() {
    const QRect screen(0, 0, 1280, 800);
    // GNOME, MATE, Xfce: a bar at the top.
    QCOMPARE(reservedEdgeAnchor(screen, QRect(0, 32, 1280, 768)), std::optional<QPoint>(QPoint(1279, 16)));
    // Plasma: a panel at the bottom.
    QCOMPARE(reservedEdgeAnchor(screen, QRect(0, 0, 1280, 756)), std::optional<QPoint>(QPoint(1279, 777)));
    // A dock on the left: its far end.
    QCOMPARE(reservedEdgeAnchor(screen, QRect(48, 0, 1232, 800)), std::optional<QPoint>(QPoint(24, 799)));
    // A second monitor right of the first, its bar at the top.
    QCOMPARE(reservedEdgeAnchor(QRect(1280, 0, 1920, 1080), QRect(1280, 28, 1920, 1052)),
             std::optional<QPoint>(QPoint(3199, 14)));
    QCOMPARE(reservedEdgeAnchor(screen, screen), std::nullopt);
    QCOMPARE(reservedEdgeAnchor(screen, QRect()), std::nullopt);
}

void TrayTests::gnomeAndXfceGetTheToolkitsItem() {
    QCOMPARE(statusNotifierKindFor(QStringLiteral("GNOME")), StatusNotifierKind::xembedOnX11);
    QCOMPARE(statusNotifierKindFor(QStringLiteral("ubuntu:GNOME")), StatusNotifierKind::xembedOnX11);
    QCOMPARE(statusNotifierKindFor(QStringLiteral("KDE")), StatusNotifierKind::own);
    QCOMPARE(statusNotifierKindFor(QStringLiteral("XFCE")), StatusNotifierKind::toolkit);
    QCOMPARE(statusNotifierKindFor(QStringLiteral("MATE")), StatusNotifierKind::own);
    QCOMPARE(statusNotifierKindFor(QString()), StatusNotifierKind::own);
}

namespace {
void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}
}  // namespace

void TrayTests::symbolIsDrawnForThePanelEachDesktopShows() {
    QTemporaryDir dir;
    const QString user = dir.filePath("kdeglobals"), defaults = dir.filePath("kdedefaults/kdeglobals");
    auto kde = [&] { return readKdeColours(user, defaults); };
    // GNOME's top bar is dark even when the desktop prefers light.
    QCOMPARE(trayPanelAppearance("ubuntu:GNOME", "'prefer-light'", "'Adwaita'", {}), PanelAppearance::dark);
    // Plasma with nothing set: Breeze, whose panel is light.
    QCOMPARE(trayPanelAppearance("KDE", "", "", kde()), PanelAppearance::light);
    // A global theme writes its scheme to the defaults only.
    writeFile(defaults, "[General]\nColorScheme=BreezeDark\n");
    QCOMPARE(trayPanelAppearance("KDE", "", "", kde()), PanelAppearance::dark);
    // The user's own choice wins over the defaults.
    writeFile(user, "[General]\nColorScheme=BreezeLight\n");
    QCOMPARE(trayPanelAppearance("KDE", "", "", kde()), PanelAppearance::light);
    // Colours, where written, decide over a name that says nothing of them.
    writeFile(user, "[General]\nColorScheme=Midnight\n[Colors:Window]\nBackgroundNormal=35,38,41\n");
    QCOMPARE(trayPanelAppearance("KDE", "", "", kde()), PanelAppearance::dark);
    // Elsewhere, what the desktop publishes.
    QCOMPARE(trayPanelAppearance("XFCE", "'prefer-dark'", "", {}), PanelAppearance::dark);
    QCOMPARE(trayPanelAppearance("MATE", "'default'", "'Adwaita-dark'", {}), PanelAppearance::dark);
    QCOMPARE(trayPanelAppearance("MATE", "'default'", "'Menta'", {}), PanelAppearance::unknown);
}

void TrayTests::kdeFilesThatCannotBeReadGiveTheSymbolForBoth() {
    QTemporaryDir dir;
    const QString user = dir.filePath("kdeglobals"), defaults = dir.filePath("kdedefaults/kdeglobals");
    writeFile(defaults, QByteArray("[General]\nColorScheme=Breeze\0\x01\x02" "Dark\n", 32));
    QVERIFY(readKdeColours(user, defaults).unreadable);
    QCOMPARE(trayPanelAppearance("KDE", "", "", readKdeColours(user, defaults)), PanelAppearance::unknown);
    // Something that is not a file where the file should be.
    QVERIFY(QDir().mkpath(user));
    QVERIFY(QFile::remove(defaults));
    QVERIFY(readKdeColours(user, defaults).unreadable);
    QCOMPARE(trayPanelAppearance("KDE", "", "", readKdeColours(user, defaults)), PanelAppearance::unknown);
    // The symbol for an unknown panel has both a dark and a light part.
    const QImage symbol = traySymbolImage(QStringLiteral("flag.fill"), PanelAppearance::unknown, 32);
    int dark = 0, light = 0;
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x) {
            const QColor c = symbol.pixelColor(x, y);
            if (c.alpha() < 200) continue;
            (c.lightnessF() < 0.3 ? dark : c.lightnessF() > 0.7 ? light : dark) += 1;
        }
    QVERIFY(dark > 10 && light > 10);
}

void TrayTests::waybarAndSwayGetTheLightSymbolAndNoName() {
    // waybar's tray is a mid blue strip whatever the desktop says of itself, and on any compositor.
    QCOMPARE(trayPanelAppearance("", "'prefer-light'", "'Adwaita'", {}, {"waybar"}), PanelAppearance::midTone);
    QCOMPARE(trayPanelAppearance("Hyprland", "", "", {}, {"waybar"}), PanelAppearance::midTone);
    QCOMPARE(trayPanelAppearance("sway", "", "", {}, {"waybar"}), PanelAppearance::midTone);
    // sway's own bar is black.
    QCOMPARE(trayPanelAppearance("sway", "'default'", "", {}), PanelAppearance::dark);
    // Another host on a desktop that says nothing stays unknown; Plasma's own panel still decides.
    QCOMPARE(trayPanelAppearance("", "'default'", "", {}, {"snixembed"}), PanelAppearance::unknown);
    QCOMPARE(trayPanelAppearance("KDE", "", "", {}, {"plasmashell"}), PanelAppearance::light);
    // On waybar's blue (luminance 114 of 255) the symbol, all of its opaque pixels, is at least
    // 40 % of the range lighter at every size a host may pick; a dark ring there would pull it
    // down toward the blue.
    const double blue = 0.2126 * 0x29 + 0.7152 * 0x80 + 0.0722 * 0xb9;
    for (int size : {16, 22, 24, 32}) {
        const QImage symbol = traySymbolImage(QStringLiteral("flag.fill"), PanelAppearance::midTone, size);
        double sum = 0;
        int count = 0;
        for (int y = 0; y < symbol.height(); ++y)
            for (int x = 0; x < symbol.width(); ++x)
                if (const QColor c = symbol.pixelColor(x, y); c.alpha() > 128) {
                    sum += 0.2126 * c.red() + 0.7152 * c.green() + 0.0722 * c.blue();
                    ++count;
                }
        QVERIFY(count > 20);
        QVERIFY2((sum / count - blue) / 255 >= 0.4, qPrintable(QString::number(size)));
    }

    // Plasma, MATE and Xfce draw the installed symbolic icon in their panel's colour; GNOME's
    // extension and waybar in the file's own dark grey, and of others nothing is known.
    for (const char* desktop : {"KDE", "MATE", "XFCE"})
        QVERIFY2(trayHostRecoloursSymbolicIcons(desktop), desktop);
    for (const char* desktop : {"GNOME", "ubuntu:GNOME", "sway", "Hyprland", ""})
        QVERIFY2(!trayHostRecoloursSymbolicIcons(desktop), desktop);
}

void TrayTests::hostsAreKnownByTheirProgram() {
    QVERIFY(!statusNotifierHostPrograms().contains(QCoreApplication::applicationName()));
    // This process stands in for a bar: the name is a host's, the program is the test's own.
    const QString name = QStringLiteral("org.kde.StatusNotifierHost-%1-1").arg(QCoreApplication::applicationPid());
    QVERIFY(QDBusConnection::sessionBus().registerService(name));
    QFile comm(QStringLiteral("/proc/self/comm"));
    QVERIFY(comm.open(QIODevice::ReadOnly));
    const QString self = QString::fromUtf8(comm.readAll()).trimmed();
    QCOMPARE(statusNotifierHostPrograms(), QStringList{self});
    QVERIFY(QDBusConnection::sessionBus().unregisterService(name));
    QCOMPARE(statusNotifierHostPrograms(), QStringList{});
}

void TrayTests::gnomeWaylandRunsThePanelThroughXWayland() {
    PlatformEnvironment gnome;
    gnome.sessionType = "wayland";
    gnome.currentDesktop = "ubuntu:GNOME";
    gnome.x11Display = true;
    QCOMPARE(preferredPlatform(gnome), QByteArray("xcb"));
    // The player's own choice stays, and a window needs none of what XWayland gives.
    PlatformEnvironment chosen = gnome;
    chosen.qpaPlatform = "wayland";
    QCOMPARE(preferredPlatform(chosen), QByteArray());
    PlatformEnvironment window = gnome;
    window.windowMode = true;
    QCOMPARE(preferredPlatform(window), QByteArray());
    // No XWayland, another desktop, or GNOME on X11: the toolkit's choice.
    PlatformEnvironment noX = gnome;
    noX.x11Display = false;
    QCOMPARE(preferredPlatform(noX), QByteArray());
    PlatformEnvironment plasma = gnome;
    plasma.currentDesktop = "KDE";
    QCOMPARE(preferredPlatform(plasma), QByteArray());
    PlatformEnvironment x11 = gnome;
    x11.sessionType = "x11";
    QCOMPARE(preferredPlatform(x11), QByteArray());
    // Entries are whole names: a desktop merely containing the letters is not GNOME.
    PlatformEnvironment flashback = gnome;
    flashback.currentDesktop = "GNOME-Flashback:GNOME";
    QCOMPARE(preferredPlatform(flashback), QByteArray("xcb"));
    flashback.currentDesktop = "GNOME-Classic-ish";
    QCOMPARE(preferredPlatform(flashback), QByteArray());
}

void TrayTests::barThatComesUpLaterGetsItsSymbol() {
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", "sway");
    {
        DesktopSettings settings(nullptr, Options{});
        settings.followTrayHosts();
        settings.applyPortalSetting(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 0u);
        QCOMPARE(settings.appearance(), PanelAppearance::dark);
        QSignalSpy changed(&settings, &DesktopSettings::appearanceChanged);
        // waybar comes up: this very program, started under the bar's name, holds a host's name.
        QTemporaryDir dir;
        const QString bar = dir.filePath(QStringLiteral("waybar"));
        QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), bar));
        QProcess process;
        process.start(bar, {QStringLiteral("--stand-in-bar")});
        QVERIFY(process.waitForReadyRead(20000));
        watcherBus_.send(QDBusMessage::createSignal(QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                                                    QStringLiteral("StatusNotifierHostRegistered")));
        QTRY_COMPARE(settings.appearance(), PanelAppearance::midTone);
        QCOMPARE(changed.count(), 1);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(20000));
    }
    if (desktop.isNull())
        qunsetenv("XDG_CURRENT_DESKTOP");
    else
        qputenv("XDG_CURRENT_DESKTOP", desktop);
}

int main(int argc, char* argv[]) {
    // A stand-in for a bar: holds a tray host's bus name until its input ends.
    if (argc > 1 && std::strcmp(argv[1], "--stand-in-bar") == 0) {
        QCoreApplication application(argc, argv);
        const QString name = QStringLiteral("org.kde.StatusNotifierHost-%1-0").arg(QCoreApplication::applicationPid());
        if (!QDBusConnection::sessionBus().registerService(name)) return 1;
        std::puts("ready");
        std::fflush(stdout);
        char byte = 0;
        while (std::fread(&byte, 1, 1, stdin) == 1) {
        }
        return 0;
    }
    // A session bus of the test's own, so nothing on the desktop running the tests sees the
    // items and no panel there answers for the fake watcher.
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                 QStringLiteral("--print-address=1")});
    if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(5000)) {
        std::fprintf(stderr, "tray_tests: dbus-daemon did not start\n");
        return 1;
    }
    const QByteArray address = daemon.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    busDaemon = &daemon;
    int status = 0;
    {
        QApplication application(argc, argv);
        TrayTests tests;
        status = QTest::qExec(&tests, argc, argv);
    }
    daemon.terminate();
    daemon.waitForFinished(5000);
    return status;
}

#include "TrayTests.moc"
