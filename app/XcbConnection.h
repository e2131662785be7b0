#pragma once

#ifdef VELMORA_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace velmora::app {

// The X server's connection, or null when the program does not run on one. The offscreen
// platform answers for X11 too, with no connection behind it.
inline xcb_connection_t* xcbConnection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

}  // namespace velmora::app
#endif
