#include "PanelWindow.h"

#include <QMouseEvent>

namespace velmora::app {

PanelWindow::PanelWindow(QQuickWindow* window, bool asPanel) : window_(window), asPanel_(asPanel) {
    window_->setTitle(QStringLiteral("Velmora"));
    window_->setFlags(asPanel_ ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint : Qt::Window);
    window_->installEventFilter(this);
    connect(window_, &QWindow::activeChanged, this, [this] {
        if (!asPanel_ || !window_->isVisible()) return;
        // Only a panel that had activation loses it to the user's turning away; one that
        // never got it (no window manager) relies on the grab instead.
        if (window_->isActive()) {
            wasActive_ = true;
        } else if (wasActive_) {
            emit dismissRequested();
        }
    });
}

PanelWindow::~PanelWindow() {
    if (window_) window_->removeEventFilter(this);
}

void PanelWindow::present(const QPoint& topLeft, bool grab) {
    wasActive_ = false;
    if (asPanel_) window_->setPosition(topLeft);
    window_->show();
    window_->raise();
    window_->requestActivate();
    if (asPanel_ && grab) {
        grabbing_ = window_->setMouseGrabEnabled(true);
        window_->setKeyboardGrabEnabled(true);
    }
}

void PanelWindow::dismiss() {
    releaseGrabs();
    if (window_) window_->hide();
}

void PanelWindow::releaseGrabs() {
    if (!grabbing_ || !window_) return;
    grabbing_ = false;
    window_->setMouseGrabEnabled(false);
    window_->setKeyboardGrabEnabled(false);
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    if (event->type() == QEvent::MouseButtonPress && grabbing_) {
        // Under the grab a press anywhere on the screen arrives here, outside our rectangle.
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!QRectF(QPointF(0, 0), QSizeF(window_->size())).contains(press->position())) {
            emit dismissRequested();
            return true;
        }
    }
    if (event->type() == QEvent::Close && !asPanel_) {
        event->ignore();
        emit closeRequested();
        return true;
    }
    return false;
}

}  // namespace velmora::app
