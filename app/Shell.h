#pragma once

// Decisions of the application shell that can be wrong, kept free of windows so tests reach them.

#include <optional>

#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "Types.h"

namespace velmora::app {

// Where the panel's top-left corner goes. `icon` is the tray icon's rectangle when the tray
// reports one (XEmbed), else empty and `cursor` (read when the icon was clicked) stands in
// for it. The panel drops below an icon in the upper half of the screen and rises above one
// in the lower half, and always lies inside `available` as far as its size allows.
QPoint panelPosition(const QRect& icon, const QPoint& cursor, const QSize& panel, const QRect& available);

// Caps the text size of the panel's content: from the desktop's default size up to the
// second accessibility size (33 over 17 points of body text). Values that are not numbers
// fall to the default.
struct DynamicTypeCapModifier {
    static constexpr double minimum = 1.0;
    static constexpr double maximum = 33.0 / 17.0;
    static double apply(double scale);
};

// One GNOME setting as `gsettings get` prints it; empty when there is none to read.
QString gsettingsValue(const QString& schema, const QString& key);
// The desktop's text size factor (GNOME text-scaling-factor), 1.0 where there is none.
double systemTextScale();
// Whether the desktop asks for reduced motion (GNOME enable-animations off, or KDE's
// AnimationDurationFactor 0).
bool systemReduceMotion();
// Reads KDE's kdeglobals text: true when [KDE] AnimationDurationFactor is 0.
bool kdeAnimationsOff(const QString& kdeglobalsPath);

// The interface language: the first of the user's languages (`QLocale::uiLanguages()`
// order, "pl-PL" style) whose language we ship, else "en". English is always shipped.
QString chooseInterfaceLanguage(const QStringList& uiLanguages, const QStringList& shipped);

// The symbol shown in the tray for an icon option.
QString systemImageName(MenuBarIconOption option);

// How light the desktop's panels are, as far as the desktop says. `midTone` is a strip neither
// light nor dark (waybar's tray, a mid blue).
enum class PanelAppearance { light, dark, unknown, midTone };
// From the values desktops publish: GNOME's color-scheme ("'prefer-dark'", quoted as
// gsettings prints it), the GTK theme name and KDE's colour scheme name. Empty means unread.
PanelAppearance panelAppearanceFrom(const QString& colorScheme, const QString& gtkTheme, const QString& kdeColorScheme);
PanelAppearance systemPanelAppearance();

// The tray symbol at `pixelSize`: filled in the colour that reads on the panel and ringed
// by the opposite colour, so it still reads on a panel that does not match the guess. On a
// mid-tone strip it is light and has no ring: at tray sizes a dark ring is as large as the
// fill and pulls the whole symbol toward the strip's own brightness.
QImage traySymbolImage(const QString& symbolName, PanelAppearance appearance, int pixelSize);
QIcon traySymbolIcon(const QString& symbolName, PanelAppearance appearance);
// The installed symbolic icon of an option, for tray hosts that recolour symbolic icons.
QString traySymbolicIconName(MenuBarIconOption option);

// How long to wait for a tray host at start-up: VELMORA_TRAY_WAIT seconds when it is a
// number from 0 to 600, else the default.
int trayWaitMilliseconds(const QByteArray& setting);

struct Options {
    QString defaultsPath;       // empty: the standard location
    bool window = false;        // an ordinary window instead of the tray panel
    std::optional<double> textScale;
    bool reduceMotion = false;
    bool atLogin = false;       // started with the session: wait a while for a tray
};
// Parses the command line (program name first). On a bad argument returns nothing and sets
// `error` to a one-line message.
std::optional<Options> parseOptions(const QStringList& arguments, QString* error);

}  // namespace velmora::app
