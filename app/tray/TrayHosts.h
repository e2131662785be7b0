#pragma once

#include <QString>

namespace velmora::app {

// What shows the tray icon: nothing (yet), a StatusNotifierItem host, or an XEmbed tray.
enum class TrayHost { none, statusNotifier, xembed };

// Whether a StatusNotifierItem host has registered with the session's watcher. Asked here
// rather than through the toolkit, which settles the question once for the whole process.
bool statusNotifierHostRegistered();
// Whether an XEmbed tray host owns the screen's tray selection.
bool xembedTrayOwned();
// The tray host there is now, a StatusNotifierItem host first (it reports where clicks land
// and can recolour the symbol).
TrayHost findTrayHost();

// How the icon is published on a StatusNotifierItem host.
enum class StatusNotifierKind {
    // Our own item: a click reaches us as Activate(x, y) with the point, and the icon's menu
    // is ours to pop up at ContextMenu(x, y).
    own,
    // The toolkit's item, which exports its menu: Xfce's panel shows its own plugin menu on a
    // right click on an item without one, never asking for ours.
    toolkit,
    // GNOME's AppIndicator extension shows no item without an exported menu and opens that
    // menu on a left click (Activate only comes with a double click). On X11 its tray takes
    // XEmbed icons too and passes them a plain click: our own XEmbed icon goes there, and
    // the toolkit's item elsewhere (Wayland).
    xembedOnX11,
};
// From XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "KDE", "XFCE", ...).
StatusNotifierKind statusNotifierKindFor(const QString& currentDesktop);

// Why the game came up as a window, and what brings the icon (on GNOME: the AppIndicator
// extension); said in the window when a player's start finds no tray.
QString noTrayNotice(const QString& currentDesktop);

}  // namespace velmora::app
