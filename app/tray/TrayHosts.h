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
    // The toolkit's item, which exports its menu: GNOME's AppIndicator extension shows no item
    // that lacks one, and only ever activates on a double click.
    toolkit,
};
// From XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "KDE", ...).
StatusNotifierKind statusNotifierKindFor(const QString& currentDesktop);

}  // namespace velmora::app
