#include "TrayPlacement.h"

namespace velmora::app {

QPoint trayClickAnchor(std::optional<QPoint> hostPoint, const QPoint& pointer, const QList<QRect>& screens) {
    if (!hostPoint || hostPoint->isNull()) return pointer;
    for (const QRect& screen : screens)
        if (screen.contains(*hostPoint)) return *hostPoint;
    return pointer;
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
