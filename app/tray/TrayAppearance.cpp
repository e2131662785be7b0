#include "TrayAppearance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace velmora::app {

namespace {

bool inDesktop(const QString& currentDesktop, const QString& name) {
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return names.contains(name, Qt::CaseInsensitive);
}

// One file into `colours`, filling only what is still unset. False when the file is there
// but cannot be used.
bool readInto(const QString& path, KdeColours& colours) {
    if (!QFileInfo::exists(path)) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // A settings file is text: a NUL means it is something else (or damaged).
    if (file.read(1 << 20).contains('\0')) return false;
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return false;
    // QSettings reads an INI file's [General] section as its top level: no "General/" here.
    if (colours.scheme.isEmpty()) colours.scheme = settings.value(QStringLiteral("ColorScheme")).toString().trimmed();
    if (!colours.windowBackground) {
        // "239,240,241" arrives as a list of three.
        const QStringList rgb = settings.value(QStringLiteral("Colors:Window/BackgroundNormal")).toStringList();
        if (rgb.size() == 3) {
            bool okR = false, okG = false, okB = false;
            const int r = rgb[0].trimmed().toInt(&okR), g = rgb[1].trimmed().toInt(&okG), b = rgb[2].trimmed().toInt(&okB);
            const QColor colour(r, g, b);
            if (okR && okG && okB && colour.isValid()) colours.windowBackground = colour;
        }
    }
    return true;
}

}  // namespace

KdeColours readKdeColours(const QString& userFile, const QString& defaultsFile) {
    KdeColours colours;
    if (!readInto(userFile, colours)) colours.unreadable = true;
    if (!readInto(defaultsFile, colours)) colours.unreadable = true;
    return colours;
}

PanelAppearance trayPanelAppearance(const QString& currentDesktop, const QString& colorScheme, const QString& gtkTheme,
                                    const KdeColours& kde, const QStringList& hostPrograms) {
    if (inDesktop(currentDesktop, QStringLiteral("GNOME"))) return PanelAppearance::dark;
    // Its style is the player's to change, but the one it comes with is what most have: the
    // tray on a mid blue strip of a dark bar.
    if (hostPrograms.contains(QStringLiteral("waybar"))) return PanelAppearance::midTone;
    if (inDesktop(currentDesktop, QStringLiteral("sway"))) return PanelAppearance::dark;
    if (inDesktop(currentDesktop, QStringLiteral("KDE"))) {
        if (kde.unreadable) return PanelAppearance::unknown;
        if (kde.windowBackground)
            return kde.windowBackground->lightnessF() < 0.5 ? PanelAppearance::dark : PanelAppearance::light;
        if (!kde.scheme.isEmpty())
            return kde.scheme.contains(QStringLiteral("dark"), Qt::CaseInsensitive) ? PanelAppearance::dark
                                                                                    : PanelAppearance::light;
        return PanelAppearance::light;
    }
    return panelAppearanceFrom(colorScheme, gtkTheme, kde.unreadable ? QString() : kde.scheme);
}

bool trayHostRecoloursSymbolicIcons(const QString& currentDesktop) {
    for (const char* desktop : {"KDE", "MATE", "XFCE"})
        if (inDesktop(currentDesktop, QString::fromLatin1(desktop))) return true;
    return false;
}

QStringList statusNotifierHostPrograms() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return {};
    const QDBusReply<QStringList> names = bus.interface()->registeredServiceNames();
    if (!names.isValid()) return {};
    QStringList programs;
    // Hosts take a name of this form; the process behind it says which bar it is.
    for (const QString& name : names.value()) {
        if (!name.startsWith(QStringLiteral("org.kde.StatusNotifierHost"))) continue;
        const QDBusReply<uint> pid = bus.interface()->servicePid(name);
        if (!pid.isValid() || pid.value() == 0) continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid.value()));
        if (!comm.open(QIODevice::ReadOnly)) continue;
        const QString program = QString::fromUtf8(comm.readAll()).trimmed();
        if (!program.isEmpty() && !programs.contains(program)) programs.append(program);
    }
    return programs;
}

}  // namespace velmora::app
