#pragma once

#include <optional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QVariant>

class QDBusVariant;

#include "Shell.h"
#include "tray/TrayAppearance.h"

namespace velmora::ui {
class SystemSettings;
}

namespace velmora::app {

// Keeps the game's view of the desktop (text size, reduce motion, increased contrast, light
// or dark panels) in step with the desktop while the program runs: GNOME's settings through
// `gsettings monitor`, the desktop portal's SettingChanged (which sandboxed programs and
// desktops without gsettings still get), KDE's kdeglobals through a file watch.
// Command-line overrides win over whatever the desktop says.
class DesktopSettings final : public QObject {
    Q_OBJECT
public:
    DesktopSettings(ui::SystemSettings* settings, const Options& options, QObject* parent = nullptr);
    ~DesktopSettings() override;

    // Reads the desktop's current values once and applies them.
    void readNow();
    // Starts following changes. Without gsettings or KDE files it follows nothing.
    void watch();
    // Part of watch(): the tray's hosts, whose bar decides what the symbol sits on.
    void followTrayHosts();

    // One line printed by `gsettings monitor SCHEMA` ("text-scaling-factor: 1.25").
    void applyGSettingsLine(const QString& schema, const QString& line);
    // One setting as the portal's SettingChanged carries it (namespace, key, value).
    void applyPortalSetting(const QString& group, const QString& key, const QVariant& value);
    // Reads kdeglobals (at `path`) again.
    void applyKdeGlobals(const QString& path);

    PanelAppearance appearance() const;

signals:
    // The desktop's light or dark guess changed: the tray symbol should be drawn again.
    void appearanceChanged();

private slots:
    void onPortalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
    void onTrayHostRegistered();

private:
    void apply();
    void startMonitor(const QString& schema);
    QString kdeGlobalsPath() const;

    QPointer<ui::SystemSettings> settings_;
    Options options_;
    std::optional<double> gnomeTextScale_;
    bool gnomeAnimationsOff_ = false;
    bool kdeAnimationsOff_ = false;
    bool highContrast_ = false;
    QString colorScheme_, gtkTheme_;
    KdeColours kde_;
    PanelAppearance appearance_ = PanelAppearance::unknown;
    QList<QProcess*> monitors_;
    QFileSystemWatcher files_;
};

}  // namespace velmora::app
