#pragma once

#include <optional>

#include <QColor>
#include <QString>

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
// (Breeze) when none is set; elsewhere what the desktop publishes decides. A KDE file that
// cannot be read leaves it unknown, which draws the symbol that reads on both.
PanelAppearance trayPanelAppearance(const QString& currentDesktop, const QString& colorScheme, const QString& gtkTheme,
                                    const KdeColours& kde);

}  // namespace velmora::app
