#pragma once

#include <QQuickWindow>

namespace velmora::app {

// The window that holds the game. As a panel it is a frameless tool window that goes away
// when the user turns elsewhere: when it loses activation, or, where no window manager hands
// out activation, on a press outside it while it holds the pointer grab. As an ordinary
// window (no tray, or --window) closing it asks the application to quit.
class PanelWindow final : public QQuickWindow {
    Q_OBJECT
public:
    explicit PanelWindow(bool asPanel);

    bool isPanel() const { return asPanel_; }
    // Shows the window; as a panel at `topLeft`, grabbing input when `grab` is set.
    void present(const QPoint& topLeft, bool grab);
    void dismiss();

signals:
    // The user turned away from the panel (it deactivated or a press landed outside it).
    void dismissRequested();
    // The ordinary window's close button.
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void releaseGrabs();
    const bool asPanel_;
    bool grabbing_ = false;
    bool wasActive_ = false;
};

}  // namespace velmora::app
