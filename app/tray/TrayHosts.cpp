#include "TrayHosts.h"

#include <cstdlib>
#include <cstring>

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

#ifdef VELMORA_HAVE_XCB
#include <xcb/xcb.h>

#include "XcbConnection.h"
#endif

namespace velmora::app {

namespace {

// The screen number in DISPLAY (":0.1" is screen 1), which names the tray selection.
int defaultScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int colon = display.lastIndexOf(':');
    bool ok = false;
    const int number = dot > colon ? display.mid(dot + 1).toInt(&ok) : 0;
    return ok ? number : 0;
}

}  // namespace

bool statusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.interface()->isServiceRegistered(watcher)) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusReply<QDBusVariant> reply = bus.call(call, QDBus::Block, 1000);
    return reply.isValid() && reply.value().variant().toBool();
}

bool xembedTrayOwned() {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection) return false;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(defaultScreenNumber());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr);
    if (!atom) return false;
    const xcb_atom_t selection = atom->atom;
    free(atom);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    if (!owner) return false;
    const bool owned = owner->owner != XCB_NONE;
    free(owner);
    return owned;
#else
    return false;
#endif
}

TrayHost findTrayHost() {
    if (statusNotifierHostRegistered()) return TrayHost::statusNotifier;
    if (xembedTrayOwned()) return TrayHost::xembed;
    return TrayHost::none;
}

StatusNotifierKind statusNotifierKindFor(const QString& currentDesktop) {
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (name.compare(QStringLiteral("GNOME"), Qt::CaseInsensitive) == 0) return StatusNotifierKind::xembedOnX11;
        if (name.compare(QStringLiteral("XFCE"), Qt::CaseInsensitive) == 0) return StatusNotifierKind::toolkit;
    }
    return StatusNotifierKind::own;
}

QString noTrayNotice(const QString& currentDesktop) {
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'));
    if (desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive))
        return QCoreApplication::translate(
            "Velmora",
            "Velmora's icon needs a system tray, which GNOME shows only with the AppIndicator extension. Install it "
            "(package gnome-shell-extension-appindicator), turn it on in Extensions, then start Velmora again. "
            "Until then, the game opens in this window.");
    return QCoreApplication::translate(
        "Velmora",
        "Velmora's icon needs a system tray, and none was found. Add a system tray (notification area) to your "
        "panel, then start Velmora again. Until then, the game opens in this window.");
}

}  // namespace velmora::app
