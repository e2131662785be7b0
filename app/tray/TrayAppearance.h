#pragma once

#include <optional>

#include <QColor>
#include <QString>
#include <QStringList>

#include "Shell.h"

namespace velmora::app {

// KDE's colours as its settings files give them.
struct KdeColours {
    QString scheme;                        // [General] ColorScheme
    std::optional<QColor> windowBackground;  // [Colors:Window] BackgroundNormal
    bool unreadable = false;               // a file there that cannot be read or parsed
};

// Reads the user's kdeglobals, then the look-and-feel defaults Plasma keeps beside it
// (kdedefaults/kdeglobals, where a global theme such as Breeze Dark writes its colour scheme)
// for what the first leaves unset. Missing files are simply unset.
KdeColours readKdeColours(const QString& userFile, const QString& defaultsFile);

// How light the panel holding the tray is, for the symbol drawn for it. GNOME Shell's top bar
// is dark whatever the colour scheme; Plasma's panel follows its colour scheme and is light
// (Breeze) when none is set; sway's own bar is black, and waybar's tray (on any compositor)
// sits on a mid blue strip of a dark bar, where only a light symbol stands out; elsewhere what the
// desktop publishes decides. A KDE file that cannot be read leaves it unknown, which draws the
// symbol that reads on both. `hostPrograms` names the programs that show StatusNotifierItems.
PanelAppearance trayPanelAppearance(const QString& currentDesktop, const QString& colorScheme, const QString& gtkTheme,
                                    const KdeColours& kde, const QStringList& hostPrograms = {});

// Whether the panel recolours the installed symbolic icon to suit itself, so that it may be
// handed the icon by name: Plasma does for icons drawn in its ColorScheme-Text class, MATE's
// and Xfce's panels draw a symbolic icon in their own text colour. GNOME's AppIndicator
// extension draws ours in the file's own dark grey on its black bar, and waybar in GTK's
// default dark grey on its blue; those, and hosts not known, get the symbol drawn for their panel.
bool trayHostRecoloursSymbolicIcons(const QString& currentDesktop);

// The programs that registered as StatusNotifierItem hosts on the session bus (their process
// names: "plasmashell", "waybar", ...); empty without a bus.
QStringList statusNotifierHostPrograms();

}  // namespace velmora::app
