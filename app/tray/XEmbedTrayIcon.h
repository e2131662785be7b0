#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRasterWindow>
#include <QTimer>

#include "ActivationGate.h"

namespace velmora::app {

// The icon as an XEmbed tray icon of our own, docked with the tray that owns the screen's
// tray selection. GNOME's AppIndicator extension hands a plain click on such an icon straight
// to it, where on a StatusNotifierItem it opens the item's menu; the toolkit's icon cannot be
// made to take this path while a StatusNotifierItem host is around.
class XEmbedTrayIcon final : public QRasterWindow {
    Q_OBJECT
public:
    XEmbedTrayIcon();

    // Asks the tray to take the window in, and again whenever another tray takes the selection
    // (the shell restarted). False when no tray owns the selection now.
    bool dock();
    void setImage(const QImage& image);
    // The icon's rectangle on the screen, as the X server has it now.
    QRect globalGeometry() const;

signals:
    void clicked(velmora::app::TrayClick click);
    void menuRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The window of the tray that owns the selection now, or none.
    quint32 trayOwner() const;
    void requestDock(quint32 tray);
    // Whether the window sits on the screen's root, where a tray that ended leaves it.
    bool onRoot() const;
    QImage image_;
    quint32 dockedTo_ = 0;
    QElapsedTimer sinceRequest_;
    QTimer watch_;
};

}  // namespace velmora::app
