#include "XEmbedTrayIcon.h"

#include <algorithm>
#include <cstdlib>

#include <QMouseEvent>
#include <QPainter>
#include <QSurfaceFormat>

#ifdef VELMORA_HAVE_XCB
#include "XcbConnection.h"
#endif

namespace velmora::app {

namespace {
#ifdef VELMORA_HAVE_XCB
xcb_atom_t atom(xcb_connection_t* connection, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return value;
}
#endif
}  // namespace

XEmbedTrayIcon::XEmbedTrayIcon() {
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    // The tray composites its icons: a visual with alpha lets the panel show around the symbol.
    QSurfaceFormat format;
    format.setAlphaBufferSize(8);
    setFormat(format);
    resize(22, 22);
    setMinimumSize(QSize(16, 16));
}

quint32 XEmbedTrayIcon::trayOwner() const {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection) return 0;
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.'), colon = display.lastIndexOf(':');
    const QByteArray screen = dot > colon ? display.mid(dot + 1) : QByteArray("0");
    const xcb_atom_t selection = atom(connection, "_NET_SYSTEM_TRAY_S" + screen);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const quint32 tray = owner ? owner->owner : 0;
    free(owner);
    return tray;
#else
    return 0;
#endif
}

bool XEmbedTrayIcon::dock() {
    const quint32 tray = trayOwner();
    if (!tray) return false;
    requestDock(tray);
    // A tray that goes leaves the window on the screen's root; the next one takes it in again.
    watch_.setInterval(1000);
    connect(&watch_, &QTimer::timeout, this, [this] {
        const quint32 tray = trayOwner();
        // A tray started right after the last one ended may get the same window id: the
        // window back on the root says that it went all the same.
        const bool lost = tray == dockedTo_ && tray && onRoot() && sinceRequest_.elapsed() > 3000;
        if (tray == dockedTo_ && !lost) return;
        if (tray) {
            requestDock(tray);
        } else {
            dockedTo_ = 0;
#ifdef VELMORA_HAVE_XCB
            // The tray mapped it, not the toolkit, which would not know to unmap it.
            if (xcb_connection_t* connection = xcbConnection()) {
                xcb_unmap_window(connection, xcb_window_t(winId()));
                xcb_flush(connection);
            }
#endif
        }
    });
    watch_.start();
    return true;
}

bool XEmbedTrayIcon::onRoot() const {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection || !handle()) return false;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, xcb_window_t(winId())), nullptr);
    const bool root = tree && tree->parent == tree->root;
    free(tree);
    return root;
#else
    return false;
#endif
}

void XEmbedTrayIcon::requestDock(quint32 tray) {
    dockedTo_ = tray;
    sinceRequest_.start();
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection) return;
    create();
    const auto id = xcb_window_t(winId());
    // The tray keeps the shape the window has when it takes it in, and the toolkit makes
    // windows 1x1 until they are shown.
    const quint32 side[] = {quint32(width()), quint32(height())};
    xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, side);
    // XEmbed protocol version 0, mapped: the tray maps the window once it has taken it in.
    const xcb_atom_t info = atom(connection, "_XEMBED_INFO");
    const quint32 infoData[] = {0, 1};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, info, info, 32, 2, infoData);
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = tray;
    message.type = atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 0;  // SYSTEM_TRAY_REQUEST_DOCK
    message.data.data32[2] = id;
    xcb_send_event(connection, 0, tray, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
#endif
}

void XEmbedTrayIcon::setImage(const QImage& image) {
    image_ = image;
    update();
}

QRect XEmbedTrayIcon::globalGeometry() const {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection || !handle()) return {};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto id = xcb_window_t(winId());
    xcb_translate_coordinates_reply_t* at =
        xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    QRect rect;
    if (at && size) rect = QRect(at->dst_x, at->dst_y, size->width, size->height);
    free(at);
    free(size);
    return rect;
#else
    return {};
#endif
}

void XEmbedTrayIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(QPoint(0, 0), size()), Qt::transparent);
    if (image_.isNull()) return;
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The symbol as large as the tray's slot allows, centred in it.
    const int side = std::min(width(), height());
    painter.drawImage(QRect((width() - side) / 2, (height() - side) / 2, side, side), image_);
}

void XEmbedTrayIcon::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit menuRequested();
    else if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        emit clicked(TrayClick::single);
}

void XEmbedTrayIcon::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked(TrayClick::doubleClick);
}

}  // namespace velmora::app
