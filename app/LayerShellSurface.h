#pragma once

#include <QPointer>

class QScreen;
class QWindow;

namespace LayerShellQt {
class Window;
}

namespace velmora::app {

struct LayerPlacement;

// A window that the compositor places as a layer-shell surface on the top layer, out of task
// managers and window switchers, where a Wayland compositor offers wlr-layer-shell and the
// build has LayerShellQt. Elsewhere (X11, GNOME's Mutter, a build without it) there is none
// and the window stays what it was.
class LayerShellSurface final {
public:
    // Whether this session's compositor offers the layer shell; asked once per process.
    static bool available();

    // Makes `window` a layer surface; call before it is first shown, and only when available.
    explicit LayerShellSurface(QWindow* window);

    // Takes effect at the next show, and at once on a shown surface for everything but the
    // monitor.
    void place(const LayerPlacement& placement, QScreen* screen);

private:
    QPointer<QWindow> window_;
    // Owned by the window.
    QPointer<LayerShellQt::Window> layer_;
};

}  // namespace velmora::app
