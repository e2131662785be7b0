#include "CatcherView.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

namespace velmora::ui {

TileClick classifyPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int clickCount) {
    if (button == Qt::RightButton) return TileClick::flag;
#ifdef Q_OS_MACOS
    const Qt::KeyboardModifier physicalControl = Qt::MetaModifier;
#else
    const Qt::KeyboardModifier physicalControl = Qt::ControlModifier;
#endif
    if (modifiers.testFlag(physicalControl)) return TileClick::flag;
    return clickCount > 1 ? TileClick::chord : TileClick::primary;
}

int ClickCounter::press(Qt::MouseButton button, QPointF position, quint64 timestampMs, int intervalMs, double slop) {
    const QPointF moved = position - lastPosition_;
    const bool continues = count_ > 0 && button == lastButton_ && timestampMs >= lastTimestamp_ &&
                           timestampMs - lastTimestamp_ <= quint64(std::max(0, intervalMs)) &&
                           std::abs(moved.x()) <= slop && std::abs(moved.y()) <= slop;
    count_ = continues ? count_ + 1 : 1;
    lastButton_ = button;
    lastPosition_ = position;
    lastTimestamp_ = timestampMs;
    return count_;
}

CatcherView::CatcherView(QQuickItem* parent) : QQuickItem(parent) {
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
    setFlag(ItemIsFocusScope, false);
    setActiveFocusOnTab(false);
}

void CatcherView::setController(BoardController* controller) {
    if (controller_ == controller) return;
    controller_ = controller;
    emit controllerChanged();
}

void CatcherView::mousePressEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::RightButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QStyleHints* hints = QGuiApplication::styleHints();
    const int clicks = counter_.press(button, event->position(), event->timestamp(), hints->mouseDoubleClickInterval(),
                                      hints->startDragDistance());
    // A press before the board wired us up has nowhere to go.
    if (!controller_) return;
    controller_->handleClick(classifyPress(button, event->modifiers(), clicks), event->position());
}

// The second press of a double-click already arrived as a press; the double-click event
// itself must not act again.
void CatcherView::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CatcherView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

}  // namespace velmora::ui
