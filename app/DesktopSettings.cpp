#include "DesktopSettings.h"

#include <cmath>

#include <QDBusConnection>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "SystemSettings.h"
#include "tray/TrayAppearance.h"

namespace velmora::app {

namespace {
const QString kInterface = QStringLiteral("org.gnome.desktop.interface");
const QString kA11yInterface = QStringLiteral("org.gnome.desktop.a11y.interface");

// Where Plasma's global theme keeps its defaults, beside the user's own kdeglobals.
QString kdeDefaultsPath(const QString& kdeglobals) {
    return QFileInfo(kdeglobals).absolutePath() + QStringLiteral("/kdedefaults/kdeglobals");
}

std::optional<double> parseScale(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !(value > 0) || !std::isfinite(value)) return std::nullopt;
    return value;
}
}  // namespace

DesktopSettings::DesktopSettings(ui::SystemSettings* settings, const Options& options, QObject* parent)
    : QObject(parent), settings_(settings), options_(options) {
    connect(&files_, &QFileSystemWatcher::fileChanged, this, [this] { applyKdeGlobals(kdeGlobalsPath()); });
    // Settings programs replace the file rather than write into it, which ends a file watch;
    // the folder's watch sees the new file arrive.
    connect(&files_, &QFileSystemWatcher::directoryChanged, this, [this] { applyKdeGlobals(kdeGlobalsPath()); });
}

DesktopSettings::~DesktopSettings() {
    for (QProcess* monitor : monitors_) {
        monitor->disconnect(this);
        monitor->kill();
        monitor->waitForFinished(1000);
    }
}

QString DesktopSettings::kdeGlobalsPath() const {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/kdeglobals");
}

void DesktopSettings::readNow() {
    gnomeTextScale_ = parseScale(gsettingsValue(kInterface, QStringLiteral("text-scaling-factor")));
    gnomeAnimationsOff_ = gsettingsValue(kInterface, QStringLiteral("enable-animations")) == QStringLiteral("false");
    colorScheme_ = gsettingsValue(kInterface, QStringLiteral("color-scheme"));
    gtkTheme_ = gsettingsValue(kInterface, QStringLiteral("gtk-theme"));
    highContrast_ = gsettingsValue(kA11yInterface, QStringLiteral("high-contrast")) == QStringLiteral("true");
    const QString kde = kdeGlobalsPath();
    kdeAnimationsOff_ = kdeAnimationsOff(kde);
    kde_ = readKdeColours(kde, kdeDefaultsPath(kde));
    apply();
}

void DesktopSettings::watch() {
    if (!QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty()) {
        startMonitor(kInterface);
        startMonitor(kA11yInterface);
    }
    QDBusConnection::sessionBus().connect(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("SettingChanged"), this,
        SLOT(onPortalSettingChanged(QString, QString, QDBusVariant)));
    followTrayHosts();
    const QString kde = kdeGlobalsPath();
    const QString folder = QFileInfo(kde).absolutePath();
    if (QFileInfo(folder).isDir()) files_.addPath(folder);
    if (QFile::exists(kde)) files_.addPath(kde);
    // A global theme (Breeze Dark) changes the defaults, not the user's file.
    const QString defaults = kdeDefaultsPath(kde);
    if (QFileInfo(QFileInfo(defaults).absolutePath()).isDir()) files_.addPath(QFileInfo(defaults).absolutePath());
    if (QFile::exists(defaults)) files_.addPath(defaults);
}

void DesktopSettings::followTrayHosts() {
    // At login the bar may come up after the game, and it is what the symbol will sit on.
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection::sessionBus().connect(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher,
                                          QStringLiteral("StatusNotifierHostRegistered"), this,
                                          SLOT(onTrayHostRegistered()));
}

void DesktopSettings::onTrayHostRegistered() { apply(); }

void DesktopSettings::startMonitor(const QString& schema) {
    auto* monitor = new QProcess(this);
    monitor->setProgram(QStandardPaths::findExecutable(QStringLiteral("gsettings")));
    monitor->setArguments({QStringLiteral("monitor"), schema});
    monitor->setStandardInputFile(QProcess::nullDevice());
    // Its complaints (no such schema, no D-Bus) are not ours to print.
    monitor->setStandardErrorFile(QProcess::nullDevice());
    connect(monitor, &QProcess::readyReadStandardOutput, this, [this, monitor, schema] {
        while (monitor->canReadLine())
            applyGSettingsLine(schema, QString::fromUtf8(monitor->readLine()).trimmed());
    });
    monitor->start();
    monitors_.append(monitor);
}

void DesktopSettings::applyGSettingsLine(const QString& schema, const QString& line) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon <= 0) return;
    const QString key = line.left(colon).trimmed();
    const QString value = line.mid(colon + 1).trimmed();
    if (schema == kInterface) {
        if (key == QStringLiteral("text-scaling-factor"))
            gnomeTextScale_ = parseScale(value);
        else if (key == QStringLiteral("enable-animations"))
            gnomeAnimationsOff_ = value == QStringLiteral("false");
        else if (key == QStringLiteral("color-scheme"))
            colorScheme_ = value;
        else if (key == QStringLiteral("gtk-theme"))
            gtkTheme_ = value;
        else
            return;
    } else if (schema == kA11yInterface) {
        if (key != QStringLiteral("high-contrast")) return;
        highContrast_ = value == QStringLiteral("true");
    } else {
        return;
    }
    apply();
}

void DesktopSettings::onPortalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value) {
    applyPortalSetting(group, key, value.variant());
}

void DesktopSettings::applyPortalSetting(const QString& group, const QString& key, const QVariant& value) {
    if (group == QStringLiteral("org.freedesktop.appearance")) {
        if (key != QStringLiteral("color-scheme")) return;
        // 1 prefers dark, 2 prefers light, anything else states no preference.
        const uint scheme = value.toUInt();
        colorScheme_ = scheme == 1   ? QStringLiteral("prefer-dark")
                       : scheme == 2 ? QStringLiteral("prefer-light")
                                     : QStringLiteral("default");
        apply();
        return;
    }
    // GNOME's own keys, passed through with their values: the same as a monitor line.
    const QString text = value.typeId() == QMetaType::Bool ? (value.toBool() ? QStringLiteral("true")
                                                                              : QStringLiteral("false"))
                                                            : value.toString();
    applyGSettingsLine(group, key + QStringLiteral(": ") + text);
}

void DesktopSettings::applyKdeGlobals(const QString& path) {
    kdeAnimationsOff_ = kdeAnimationsOff(path);
    kde_ = readKdeColours(path, kdeDefaultsPath(path));
    // A replaced file is a new file: watch it again.
    if (path == kdeGlobalsPath()) {
        for (const QString& file : {path, kdeDefaultsPath(path)})
            if (QFile::exists(file) && !files_.files().contains(file)) files_.addPath(file);
    }
    apply();
}

PanelAppearance DesktopSettings::appearance() const { return appearance_; }

void DesktopSettings::apply() {
    if (settings_) {
        const double scale = options_.textScale ? *options_.textScale : gnomeTextScale_.value_or(1.0);
        settings_->setTextScale(DynamicTypeCapModifier::apply(scale));
        settings_->setReduceMotion(options_.reduceMotion || gnomeAnimationsOff_ || kdeAnimationsOff_);
        settings_->setIncreasedContrast(highContrast_);
    }
    const PanelAppearance appearance = trayPanelAppearance(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), colorScheme_,
                                                           gtkTheme_, kde_, statusNotifierHostPrograms());
    if (appearance != appearance_) {
        appearance_ = appearance;
        emit appearanceChanged();
    }
}

}  // namespace velmora::app
