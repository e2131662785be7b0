#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora::app {

// A monitor as the toolkit reports it: its whole rectangle and the part panels leave free.
struct ScreenArea {
    QRect geometry;
    QRect available;
};

// Where a panel that the compositor positions (a layer surface) goes, in the terms the
// compositor takes: the edges it is anchored to and the margins from them.
struct LayerPlacement {
    // Index into the screens given; -1 when there were none.
    int screen = -1;
    // The edge the panel rests against, plus the side of the other axis its offset is
    // measured from.
    Qt::Edges anchors;
    // From the screen's free area, on the anchored edges only.
    QMargins margins;
};

// The placement of a `panel`-sized surface that belongs to `point` (where the tray icon was
// clicked): on the monitor holding the point (or the nearest one when the point is on none),
// against the edge of that monitor nearest the point, centred on the point along that edge
// and kept inside the free area. A point on or near the edge's own panel puts the surface
// flush against it; a point out in the open puts the surface's edge at the point.
LayerPlacement layerPlacement(const QPoint& point, const QList<ScreenArea>& screens, const QSize& panel);

}  // namespace velmora::app
