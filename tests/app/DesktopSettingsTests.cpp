// The desktop's settings followed while the program runs, and the ordinary window's
// minimising treated like hiding the panel.
#include <QFile>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "AppTestSupport.h"
#include "DefaultsStore.h"
#include "DesktopSettings.h"
#include "SavedGame.h"
#include "SystemSettings.h"
#include "VelmoraApp.h"

using namespace velmora;
using namespace velmora::app;

class DesktopSettingsTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void gnomeChangesApplyWhileRunning();
    void commandLineOverridesWin();
    void portalChangesApplyLikeGnomes();
    void kdeGlobalsIsFollowed();
    void minimisingTheWindowPausesAndSaves();

private:
    QTemporaryDir config_;
};

namespace {
const QString kInterface = QStringLiteral("org.gnome.desktop.interface");
const QString kA11y = QStringLiteral("org.gnome.desktop.a11y.interface");

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

std::optional<SavedGame> storedGame(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    const InMemoryDefaultsStore store(nlohmann::json::parse(in.readAll().toStdString(), nullptr, false));
    const auto data = store.data(keys::savedGame);
    return data ? decodeSavedGame(*data) : std::nullopt;
}
}  // namespace

void DesktopSettingsTests::initTestCase() {
    // KDE's file is looked for in the test's own configuration folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
}

void DesktopSettingsTests::gnomeChangesApplyWhileRunning() {
    ui::SystemSettings settings;
    DesktopSettings desktop(&settings, Options{});
    QSignalSpy scale(&settings, &ui::SystemSettings::textScaleChanged);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("text-scaling-factor: 1.25"));
    QCOMPARE(settings.textScale(), 1.25);
    QCOMPARE(scale.count(), 1);
    // Capped like the panel's text: no larger than 33/17, no smaller than the default.
    desktop.applyGSettingsLine(kInterface, QStringLiteral("text-scaling-factor: 3.0"));
    QCOMPARE(settings.textScale(), 33.0 / 17.0);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("text-scaling-factor: 0.8"));
    QCOMPARE(settings.textScale(), 1.0);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("text-scaling-factor: nonsense"));
    QCOMPARE(settings.textScale(), 1.0);

    desktop.applyGSettingsLine(kInterface, QStringLiteral("enable-animations: false"));
    QVERIFY(settings.reduceMotion());
    desktop.applyGSettingsLine(kInterface, QStringLiteral("enable-animations: true"));
    QVERIFY(!settings.reduceMotion());

    desktop.applyGSettingsLine(kA11y, QStringLiteral("high-contrast: true"));
    QVERIFY(settings.increasedContrast());
    // The same key name under another schema means something else.
    desktop.applyGSettingsLine(kInterface, QStringLiteral("high-contrast: false"));
    QVERIFY(settings.increasedContrast());
    desktop.applyGSettingsLine(kA11y, QStringLiteral("high-contrast: false"));
    QVERIFY(!settings.increasedContrast());

    QSignalSpy appearance(&desktop, &DesktopSettings::appearanceChanged);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("color-scheme: 'prefer-dark'"));
    QCOMPARE(desktop.appearance(), PanelAppearance::dark);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("color-scheme: 'prefer-light'"));
    QCOMPARE(desktop.appearance(), PanelAppearance::light);
    QCOMPARE(appearance.count(), 2);
    // Lines that are not settings change nothing.
    desktop.applyGSettingsLine(kInterface, QStringLiteral("garbage"));
    desktop.applyGSettingsLine(kInterface, QStringLiteral(": true"));
    QCOMPARE(appearance.count(), 2);
    QCOMPARE(settings.textScale(), 1.0);
}

void DesktopSettingsTests::commandLineOverridesWin() {
    ui::SystemSettings settings;
    Options options;
    options.textScale = 1.5;
    options.reduceMotion = true;
    DesktopSettings desktop(&settings, options);
    desktop.applyGSettingsLine(kInterface, QStringLiteral("text-scaling-factor: 1.1"));
    desktop.applyGSettingsLine(kInterface, QStringLiteral("enable-animations: true"));
    QCOMPARE(settings.textScale(), 1.5);
    QVERIFY(settings.reduceMotion());
}

void DesktopSettingsTests::portalChangesApplyLikeGnomes() {
    ui::SystemSettings settings;
    DesktopSettings desktop(&settings, Options{});
    desktop.applyPortalSetting(kInterface, QStringLiteral("text-scaling-factor"), 1.5);
    QCOMPARE(settings.textScale(), 1.5);
    desktop.applyPortalSetting(kInterface, QStringLiteral("enable-animations"), false);
    QVERIFY(settings.reduceMotion());
    desktop.applyPortalSetting(kA11y, QStringLiteral("high-contrast"), true);
    QVERIFY(settings.increasedContrast());
    desktop.applyPortalSetting(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 1u);
    QCOMPARE(desktop.appearance(), PanelAppearance::dark);
    desktop.applyPortalSetting(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 2u);
    QCOMPARE(desktop.appearance(), PanelAppearance::light);
    desktop.applyPortalSetting(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 0u);
    QCOMPARE(desktop.appearance(), PanelAppearance::unknown);
}

void DesktopSettingsTests::kdeGlobalsIsFollowed() {
    const QString path = config_.filePath(QStringLiteral("kdeglobals"));
    ui::SystemSettings settings;
    DesktopSettings desktop(&settings, Options{});
    desktop.watch();
    QVERIFY(!settings.reduceMotion());
    // Created while running, the way System Settings writes it: the folder's watch sees it.
    writeFile(path, "[KDE]\nAnimationDurationFactor=0\n[General]\nColorScheme=BreezeDark\n");
    QTRY_VERIFY(settings.reduceMotion());
    QCOMPARE(desktop.appearance(), PanelAppearance::dark);
    writeFile(path, "[KDE]\nAnimationDurationFactor=0.5\n[General]\nColorScheme=BreezeLight\n");
    QTRY_VERIFY(!settings.reduceMotion());
    QTRY_COMPARE(desktop.appearance(), PanelAppearance::light);
    // GNOME saying no animations still counts while KDE allows them.
    desktop.applyGSettingsLine(kInterface, QStringLiteral("enable-animations: false"));
    QVERIFY(settings.reduceMotion());
    QFile::remove(path);
}

void DesktopSettingsTests::minimisingTheWindowPausesAndSaves() {
    QTemporaryDir dir;
    const Options options = windowOptions(dir.filePath("defaults.json"));
    VelmoraApp velmora(options);
    QVERIFY(velmora.start());
    QTRY_VERIFY(velmora.window() && velmora.window()->isVisible());
    velmora.game().primaryAction(40);
    QVERIFY(velmora.game().clockRunning());
    QVERIFY(velmora.game().isViewVisible());

    velmora.window()->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!velmora.game().isViewVisible());
    QVERIFY(!velmora.game().clockRunning());
    // Saved on the next turns, as when the panel hides.
    QTRY_VERIFY(storedGame(options.defaultsPath) && !storedGame(options.defaultsPath)->revealed.empty());

    velmora.window()->setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(velmora.game().isViewVisible());
    QVERIFY(velmora.game().clockRunning());
    // Hidden altogether (a window manager's "hide", or unmapped): likewise.
    velmora.window()->hide();
    QTRY_VERIFY(!velmora.game().isViewVisible());
    velmora.showPanel();
    QTRY_VERIFY(velmora.game().isViewVisible());
    velmora.finish();
}

QTEST_MAIN(DesktopSettingsTests)
#include "DesktopSettingsTests.moc"
