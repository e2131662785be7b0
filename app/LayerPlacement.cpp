#include "LayerPlacement.h"

#include <algorithm>
#include <cstdint>

namespace velmora::app {

namespace {

// How far into the free area a tray click may land and still be on the panel that holds the
// tray: where the toolkit does not know the panel (Wayland tells it nothing), the free area
// is the whole monitor and the click lies inside it by the panel's thickness.
constexpr int kPanelReach = 64;

std::int64_t distanceSquared(const QPoint& point, const QRect& rect) {
    const std::int64_t dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
    const std::int64_t dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
    return dx * dx + dy * dy;
}

// The surface's offset along the edge, from the free area's start: centred on the point,
// inside the area as far as its size allows.
int centredOffset(int point, int areaStart, int areaLength, int panelLength) {
    const int limit = std::max(0, areaLength - panelLength);
    return std::clamp(point - panelLength / 2 - areaStart, 0, limit);
}

}  // namespace

LayerPlacement layerPlacement(const QPoint& point, const QList<ScreenArea>& screens, const QSize& panel) {
    LayerPlacement placement;
    for (int i = 0; i < screens.size() && placement.screen < 0; ++i)
        if (screens[i].geometry.contains(point)) placement.screen = i;
    // A host that reports a point on no monitor still clicked somewhere near one.
    if (placement.screen < 0 && !screens.isEmpty()) {
        placement.screen = 0;
        for (int i = 1; i < screens.size(); ++i)
            if (distanceSquared(point, screens[i].geometry) < distanceSquared(point, screens[placement.screen].geometry))
                placement.screen = i;
    }
    if (placement.screen < 0) return placement;

    const QRect screen = screens[placement.screen].geometry;
    QRect area = screens[placement.screen].available.intersected(screen);
    if (area.isEmpty()) area = screen;
    const QPoint p(std::clamp(point.x(), screen.left(), screen.right()),
                   std::clamp(point.y(), screen.top(), screen.bottom()));

    // The edge nearest the point is the one whose panel holds the tray; a horizontal panel
    // wins a tie, being by far the commoner.
    const int toTop = p.y() - screen.top();
    const int toBottom = screen.bottom() - p.y();
    const int toLeft = p.x() - screen.left();
    const int toRight = screen.right() - p.x();
    const int nearest = std::min({toTop, toBottom, toLeft, toRight});
    Qt::Edge edge = Qt::RightEdge;
    if (toTop == nearest)
        edge = Qt::TopEdge;
    else if (toBottom == nearest)
        edge = Qt::BottomEdge;
    else if (toLeft == nearest)
        edge = Qt::LeftEdge;

    const bool horizontal = edge == Qt::TopEdge || edge == Qt::BottomEdge;
    // How deep into the free area the point lies, seen from the chosen edge.
    int depth = 0;
    switch (edge) {
    case Qt::TopEdge: depth = p.y() - area.top(); break;
    case Qt::BottomEdge: depth = area.bottom() - p.y(); break;
    case Qt::LeftEdge: depth = p.x() - area.left(); break;
    case Qt::RightEdge: depth = area.right() - p.x(); break;
    }
    const int across = horizontal ? area.height() - panel.height() : area.width() - panel.width();
    const int edgeMargin = depth <= kPanelReach ? 0 : std::min(depth, std::max(0, across));

    // Along the edge the offset counts from the nearer side, so a compositor whose free area
    // differs from the toolkit's (a panel on the far side the toolkit was not told of) still
    // keeps the surface by the icon.
    const int start = horizontal ? area.left() : area.top();
    const int length = horizontal ? area.width() : area.height();
    const int panelLength = horizontal ? panel.width() : panel.height();
    const int offset = centredOffset(horizontal ? p.x() : p.y(), start, length, panelLength);
    const int farOffset = std::max(0, length - panelLength) - offset;
    const bool nearStart = (horizontal ? p.x() : p.y()) < start + length / 2;

    placement.anchors = edge;
    switch (edge) {
    case Qt::TopEdge: placement.margins.setTop(edgeMargin); break;
    case Qt::BottomEdge: placement.margins.setBottom(edgeMargin); break;
    case Qt::LeftEdge: placement.margins.setLeft(edgeMargin); break;
    case Qt::RightEdge: placement.margins.setRight(edgeMargin); break;
    }
    if (horizontal) {
        placement.anchors |= nearStart ? Qt::LeftEdge : Qt::RightEdge;
        if (nearStart)
            placement.margins.setLeft(offset);
        else
            placement.margins.setRight(farOffset);
    } else {
        placement.anchors |= nearStart ? Qt::TopEdge : Qt::BottomEdge;
        if (nearStart)
            placement.margins.setTop(offset);
        else
            placement.margins.setBottom(farOffset);
    }
    return placement;
}

}  // namespace velmora::app
