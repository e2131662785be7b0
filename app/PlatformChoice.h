#pragma once

#include <QByteArray>

namespace velmora::app {

// What start-up knows before the toolkit exists, for the choice of its platform plugin.
struct PlatformEnvironment {
    QByteArray qpaPlatform;       // QT_QPA_PLATFORM as set by the player
    QByteArray sessionType;       // XDG_SESSION_TYPE
    QByteArray currentDesktop;    // XDG_CURRENT_DESKTOP
    bool x11Display = false;      // DISPLAY is set (on a Wayland session: XWayland is there)
    bool windowMode = false;      // --window: an ordinary window, no panel
};

// The platform plugin to ask for, or empty to leave the toolkit's own choice.
//
// GNOME's compositor offers no way for a Wayland window to place itself or stay out of the
// window lists, and its AppIndicator extension shows a Wayland client's item menu-first. Through
// XWayland the game docks its own icon in the extension's tray, which passes a single click
// through and says where the icon is, and the panel opens under it, out of Alt+Tab, the overview
// and the dash. So on a GNOME Wayland session with XWayland the panel runs as an X11 client.
// A player's own QT_QPA_PLATFORM always wins, and --window keeps the native
// platform, which scales crisply and needs none of that.
QByteArray preferredPlatform(const PlatformEnvironment& environment);

// This process's environment; `windowMode` from the command line.
PlatformEnvironment currentPlatformEnvironment(bool windowMode);

}  // namespace velmora::app
