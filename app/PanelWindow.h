#pragma once

#include <memory>

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

namespace velmora::app {

class LayerShellSurface;

// Where a panel opens: its top-left corner, where windows place themselves, and the point it
// belongs to (the icon or the click on it), where the compositor places it from that.
struct PanelSpot {
    QPoint topLeft;
    QPoint anchor;
};

// Drives the window that holds the game. As a panel it is a frameless tool window that goes
// away when the user turns elsewhere: when it loses activation, or, where no window manager
// hands out activation, on a press outside it while it holds the pointer grab. As an
// ordinary window (no tray, or --window) its close button asks the application to quit.
// On a Wayland compositor with the layer shell the panel is a layer surface by the tray.
// The window itself is a QML Window made by the app; this object watches its events.
class PanelWindow final : public QObject {
    Q_OBJECT
public:
    // How long a panel may be without activation before that counts as the user turning away.
    static constexpr int kDeactivationSettleMs = 100;

    PanelWindow(QQuickWindow* window, bool asPanel);
    ~PanelWindow() override;

    QQuickWindow* window() const { return window_; }
    bool isPanel() const { return asPanel_; }
    bool isVisible() const { return window_ && window_->isVisible(); }
    // Whether the compositor places the panel (a layer surface) rather than the panel itself.
    bool isLayerSurface() const { return layer_ != nullptr; }
    // Shows the window; as a panel at `spot`, grabbing input when `grab` is set.
    void present(const PanelSpot& spot, bool grab);
    // Moves the shown panel, as its size changed.
    void moveTo(const PanelSpot& spot);
    void dismiss();
    void setDeactivationSettle(int milliseconds) { deactivated_.setInterval(milliseconds); }

signals:
    // The user turned away from the panel (it deactivated or a press landed outside it).
    void dismissRequested();
    // Under the grab, a press outside the panel, where the screen would otherwise have got it
    // (dismissRequested follows).
    void pressedOutside(const QPoint& globalPosition, Qt::MouseButton button);
    // Escape reached the panel: nothing inside it (a dialog, a menu) took it first.
    void escapePressed();
    // The ordinary window's close button.
    void closeRequested();
    // The ordinary window was minimised or otherwise hidden (false), or came back (true).
    void onScreenChanged(bool onScreen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void releaseGrabs();
    void placeLayer(const QPoint& anchor);
    // Keeps the panel out of taskbars, pagers and window switchers.
    void markSkipTaskbar(bool mapped);
    QPointer<QQuickWindow> window_;
    const bool asPanel_;
    bool grabbing_ = false;
    bool wasActive_ = false;
    // A lost activation waits here a moment before it counts: see the constructor.
    QTimer deactivated_;
    std::unique_ptr<LayerShellSurface> layer_;
};

}  // namespace velmora::app
