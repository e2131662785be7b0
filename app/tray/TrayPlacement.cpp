#include "TrayPlacement.h"

namespace velmora::app {

std::optional<QPoint> trayClickAnchor(std::optional<QPoint> hostPoint, std::optional<QPoint> pointer,
                                      const QList<QRect>& screens) {
    // Further than a panel is thick, or an icon is wide, is no longer the icon that was clicked.
    constexpr int kNear = 64;
    bool onScreen = false;
    if (hostPoint && !hostPoint->isNull())
        for (const QRect& screen : screens) onScreen = onScreen || screen.contains(*hostPoint);
    if (!onScreen) return pointer;
    if (pointer && (*hostPoint - *pointer).manhattanLength() > kNear) return pointer;
    return hostPoint;
}

std::optional<QPoint> reservedEdgeAnchor(const QRect& screen, const QRect& available) {
    if (!screen.isValid() || !available.isValid() || available == screen) return std::nullopt;
    const int top = available.top() - screen.top();
    const int bottom = screen.bottom() - available.bottom();
    const int left = available.left() - screen.left();
    const int right = screen.right() - available.right();
    // The widest kept edge is the panel's; its middle is inside the panel.
    if (top > 0 && top >= bottom && top >= left && top >= right) return QPoint(screen.right(), screen.top() + top / 2);
    if (bottom > 0 && bottom >= left && bottom >= right) return QPoint(screen.right(), screen.bottom() - bottom / 2);
    if (left > 0 && left >= right) return QPoint(screen.left() + left / 2, screen.bottom());
    if (right > 0) return QPoint(screen.right() - right / 2, screen.bottom());
    return std::nullopt;
}

}  // namespace velmora::app
