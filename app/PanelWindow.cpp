#include "PanelWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace velmora::app {

PanelWindow::PanelWindow(bool asPanel) : asPanel_(asPanel) {
    setTitle(QStringLiteral("Velmora"));
    if (asPanel_) setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    connect(this, &QWindow::activeChanged, this, [this] {
        if (!asPanel_ || !isVisible()) return;
        // Only a panel that had activation loses it to the user's turning away; one that
        // never got it (no window manager) relies on the grab instead.
        if (isActive()) {
            wasActive_ = true;
        } else if (wasActive_) {
            emit dismissRequested();
        }
    });
}

void PanelWindow::present(const QPoint& topLeft, bool grab) {
    wasActive_ = false;
    if (asPanel_) setPosition(topLeft);
    show();
    raise();
    requestActivate();
    if (asPanel_ && grab) {
        grabbing_ = setMouseGrabEnabled(true);
        setKeyboardGrabEnabled(true);
    }
}

void PanelWindow::dismiss() {
    releaseGrabs();
    hide();
}

void PanelWindow::releaseGrabs() {
    if (!grabbing_) return;
    grabbing_ = false;
    setMouseGrabEnabled(false);
    setKeyboardGrabEnabled(false);
}

void PanelWindow::mousePressEvent(QMouseEvent* event) {
    // Under the grab a press anywhere on the screen arrives here, outside our rectangle.
    if (grabbing_ && !QRectF(QPointF(0, 0), QSizeF(size())).contains(event->position())) {
        event->accept();
        emit dismissRequested();
        return;
    }
    QQuickWindow::mousePressEvent(event);
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
    QQuickWindow::keyPressEvent(event);
    // Escape closes the panel unless the game used it (to close a confirmation, say).
    if (asPanel_ && event->key() == Qt::Key_Escape && !event->isAccepted()) emit dismissRequested();
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    if (!asPanel_) {
        event->ignore();
        emit closeRequested();
        return;
    }
    QQuickWindow::closeEvent(event);
}

}  // namespace velmora::app
