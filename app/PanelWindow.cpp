#include "PanelWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>
#include <QScreen>

#include "LayerPlacement.h"
#include "LayerShellSurface.h"

#ifdef VELMORA_HAVE_XCB
#include "XcbConnection.h"
#endif

namespace velmora::app {

PanelWindow::PanelWindow(QQuickWindow* window, bool asPanel) : window_(window), asPanel_(asPanel) {
    window_->setTitle(QStringLiteral("Velmora"));
    window_->setFlags(asPanel_ ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint : Qt::Window);
    window_->installEventFilter(this);
    // Items pass a key they leave unaccepted on to their parents, up to the content item: a
    // key seen there is one no control or dialog in the panel wanted.
    if (asPanel_) window_->contentItem()->installEventFilter(this);
    // The surface's role is fixed when the window is first shown, so it is chosen here.
    if (asPanel_ && LayerShellSurface::available()) layer_ = std::make_unique<LayerShellSurface>(window_);
    window_->setProperty("framed", asPanel_);
    if (!asPanel_) {
        // A minimised window is still "visible" to Qt; only its visibility says it is gone.
        connect(window_, &QWindow::visibilityChanged, this, [this](QWindow::Visibility visibility) {
            emit onScreenChanged(visibility != QWindow::Hidden && visibility != QWindow::Minimized);
        });
    }
    // A window manager may take activation away and hand it straight back: openbox does so
    // when the panel opens just after the icon's menu closed. Only a loss that lasts is the
    // user turning away; one that is undone at once would otherwise close the panel it opened.
    deactivated_.setSingleShot(true);
    deactivated_.setInterval(kDeactivationSettleMs);
    connect(&deactivated_, &QTimer::timeout, this, [this] {
        if (window_ && window_->isVisible() && !window_->isActive()) emit dismissRequested();
    });
    connect(window_, &QWindow::activeChanged, this, [this] {
        if (!asPanel_ || !window_->isVisible()) return;
        // Only a panel that had activation loses it to the user's turning away; one that
        // never got it (no window manager) relies on the grab instead.
        if (window_->isActive()) {
            wasActive_ = true;
            deactivated_.stop();
        } else if (wasActive_) {
            deactivated_.start();
        }
    });
}

PanelWindow::~PanelWindow() {
    if (!window_) return;
    window_->removeEventFilter(this);
    window_->contentItem()->removeEventFilter(this);
}

void PanelWindow::markSkipTaskbar(bool mapped) {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection || !window_) return;
    auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, qstrlen(name), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    const xcb_atom_t state = atom("_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = atom("_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = atom("_NET_WM_STATE_SKIP_PAGER");
    const xcb_atom_t above = atom("_NET_WM_STATE_ABOVE");
    const auto id = xcb_window_t(window_->winId());
    if (!mapped) {
        // Before mapping, the window manager reads the states from the property.
        const xcb_atom_t states[] = {skipTaskbar, skipPager, above};
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, 3, states);
    } else {
        // Once mapped, only a request to the window manager changes them.
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = state;
        message.data.data32[0] = 1;  // add
        message.data.data32[1] = skipTaskbar;
        message.data.data32[2] = skipPager;
        message.data.data32[3] = 1;  // from an application
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(connection);
#else
    Q_UNUSED(mapped);
#endif
}

void PanelWindow::placeLayer(const QPoint& anchor) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<ScreenArea> areas;
    for (const QScreen* screen : screens) areas.append({screen->geometry(), screen->availableGeometry()});
    const LayerPlacement placement = layerPlacement(anchor, areas, window_->size());
    layer_->place(placement, placement.screen >= 0 ? screens[placement.screen] : nullptr);
}

void PanelWindow::moveTo(const PanelSpot& spot) {
    if (!asPanel_ || !window_) return;
    if (layer_)
        placeLayer(spot.anchor);
    else
        window_->setPosition(spot.topLeft);
}

void PanelWindow::present(const PanelSpot& spot, bool grab) {
    wasActive_ = false;
    deactivated_.stop();
    if (layer_) {
        placeLayer(spot.anchor);
    } else if (asPanel_) {
        window_->setPosition(spot.topLeft);
        window_->create();
        markSkipTaskbar(false);
    }
    window_->show();
    if (asPanel_) markSkipTaskbar(true);
    window_->raise();
    window_->requestActivate();
    if (asPanel_ && grab) {
        grabbing_ = window_->setMouseGrabEnabled(true);
        window_->setKeyboardGrabEnabled(true);
    }
}

void PanelWindow::dismiss() {
    deactivated_.stop();
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
    if (window_ && watched == window_->contentItem()) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                emit escapePressed();
                return true;
            }
        }
        return false;
    }
    if (watched != window_) return false;
    if (event->type() == QEvent::MouseButtonPress && grabbing_) {
        // Under the grab a press anywhere on the screen arrives here, outside our rectangle.
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!QRectF(QPointF(0, 0), QSizeF(window_->size())).contains(press->position())) {
            emit pressedOutside(press->globalPosition().toPoint(), press->button());
            emit dismissRequested();
            return true;
        }
    }
    if (event->type() == QEvent::Close) {
        event->ignore();
        // A panel closed from outside (a window manager's close key, a compositor taking a
        // layer surface down with its monitor) goes the way of any other turning away, so
        // the clock stops and the game is saved.
        if (asPanel_)
            emit dismissRequested();
        else
            emit closeRequested();
        return true;
    }
    return false;
}

}  // namespace velmora::app
