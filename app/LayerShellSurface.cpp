#include "LayerShellSurface.h"

#include <QGuiApplication>
#include <QWindow>

#include "LayerPlacement.h"

#ifdef VELMORA_HAVE_LAYER_SHELL
#include <cstring>

#include <LayerShellQt/Window>
#include <QtGui/qguiapplication_platform.h>
#include <wayland-client.h>
#endif

namespace velmora::app {

#ifdef VELMORA_HAVE_LAYER_SHELL

namespace {

// Lists the compositor's globals on a queue of our own, so the toolkit's queue never sees
// the replies.
bool compositorOffersLayerShell() {
    auto* wayland = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>();
    wl_display* display = wayland ? wayland->display() : nullptr;
    if (!display) return false;
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* proxy = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(proxy), queue);
    wl_registry* registry = wl_display_get_registry(proxy);
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) *static_cast<bool*>(data) = true;
        },
        [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = wl_display_roundtrip_queue(display, queue) >= 0;
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(proxy);
    wl_event_queue_destroy(queue);
    return answered && offered;
}

}  // namespace

bool LayerShellSurface::available() {
    static const bool offered =
        QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) && compositorOffersLayerShell();
    return offered;
}

LayerShellSurface::LayerShellSurface(QWindow* window) : window_(window), layer_(LayerShellQt::Window::get(window)) {
    layer_->setLayer(LayerShellQt::Window::LayerTop);
    layer_->setScope(QStringLiteral("velmora"));
    // Keys only once the player turns to the panel (or the compositor hands it focus as it
    // opens): a panel that took every key while open would lock the desktop out.
    layer_->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityOnDemand);
    // Zero: the compositor measures the margins from the area other panels keep free, so the
    // surface rests against the tray's panel without covering it, whatever its thickness.
    layer_->setExclusiveZone(0);
    // The monitor is the window's own screen, which every LayerShellQt release reads by default
    // (newer ones deprecate saying so).
    // A monitor that goes away takes the surface with it: that arrives as a close, which the
    // panel takes as the player turning away.
    layer_->setCloseOnDismissed(true);
}

void LayerShellSurface::place(const LayerPlacement& placement, QScreen* screen) {
    if (!layer_ || !window_) return;
    LayerShellQt::Window::Anchors anchors;
    if (placement.anchors & Qt::TopEdge) anchors |= LayerShellQt::Window::AnchorTop;
    if (placement.anchors & Qt::BottomEdge) anchors |= LayerShellQt::Window::AnchorBottom;
    if (placement.anchors & Qt::LeftEdge) anchors |= LayerShellQt::Window::AnchorLeft;
    if (placement.anchors & Qt::RightEdge) anchors |= LayerShellQt::Window::AnchorRight;
    // The monitor is read when the surface is made, as the window is shown.
    if (screen && !window_->isVisible()) window_->setScreen(screen);
    layer_->setAnchors(anchors);
    layer_->setMargins(placement.margins);
}

#else

bool LayerShellSurface::available() { return false; }

LayerShellSurface::LayerShellSurface(QWindow* window) : window_(window) {}

void LayerShellSurface::place(const LayerPlacement&, QScreen*) {}

#endif

}  // namespace velmora::app
