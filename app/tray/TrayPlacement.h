#pragma once

#include <optional>

#include <QList>
#include <QPoint>
#include <QRect>

namespace velmora::app {

// Where the icon is, from what the tray host said about a click: its point when that lies on
// a screen, else the pointer. Hosts send (0, 0) when they do not know, and some send points
// in another coordinate space; neither is taken for the icon's place.
QPoint trayClickAnchor(std::optional<QPoint> hostPoint, const QPoint& pointer, const QList<QRect>& screens);

// Where the tray most likely is when no click said so (a second launch before any click):
// the outer end of the edge a panel keeps free on this screen, right for a horizontal panel
// and bottom for a vertical one, where trays sit on every desktop tried. Nothing when no edge
// is kept free.
std::optional<QPoint> reservedEdgeAnchor(const QRect& screen, const QRect& available);

}  // namespace velmora::app
