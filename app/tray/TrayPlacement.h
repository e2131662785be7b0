#pragma once

#include <optional>

#include <QList>
#include <QPoint>
#include <QRect>

namespace velmora::app {

// Where the icon is, from what the tray host said about a click and where the pointer was
// (none where the platform does not say, as on Wayland). Hosts send (0, 0) when they do not
// know, points on no screen, or half a point (MATE sends x = 0 and the panel's edge): with a
// pointer to check against, the host's point counts only when it lies near the pointer,
// which was on the icon when it was clicked.
std::optional<QPoint> trayClickAnchor(std::optional<QPoint> hostPoint, std::optional<QPoint> pointer,
                                      const QList<QRect>& screens);

// Where the tray most likely is when no click said so (a second launch before any click):
// the outer end of the edge a panel keeps free on this screen, right for a horizontal panel
// and bottom for a vertical one, where trays sit on every desktop tried. Nothing when no edge
// is kept free.
std::optional<QPoint> reservedEdgeAnchor(const QRect& screen, const QRect& available);

}  // namespace velmora::app
