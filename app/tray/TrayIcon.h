#pragma once

#include <memory>
#include <optional>

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QRect>

#include "ActivationGate.h"

class QMenu;
class QSystemTrayIcon;

namespace velmora::app {

class StatusNotifierItem;
class XEmbedTrayIcon;

// The game's icon in the tray, whichever way it is published: our own StatusNotifierItem, or
// the toolkit's icon (XEmbed trays, and hosts that show only items with an exported menu).
// It reports clicks with the point the host gave, if any; the application decides the rest.
class TrayIcon final : public QObject {
    Q_OBJECT
public:
    // xembed: our own XEmbed icon, for GNOME's AppIndicator extension (see XEmbedTrayIcon).
    enum class Kind { statusNotifierItem, xembed, toolkit };

    // `menu` holds "Open Velmora" and "Quit Velmora"; with `exportMenu` the toolkit hands it
    // to the host, otherwise menuRequested asks the application to pop it up.
    TrayIcon(Kind kind, QMenu* menu, bool exportMenu);
    ~TrayIcon() override;

    // Publishes the icon. False when our own item cannot be put on the session bus.
    bool show();
    Kind kind() const { return kind_; }
    void setTitle(const QString& title);
    // `themeName` is an installed icon a host may load and recolour itself (empty: none);
    // `drawn` holds the images drawn for the panel as it looks now.
    void setIcon(const QString& themeName, const QIcon& drawn);
    // The icon's rectangle where the tray tells it (XEmbed), else empty.
    QRect geometry() const;
    void showMessage(const QString& title, const QString& text);

    StatusNotifierItem* statusNotifierItem() const { return item_.get(); }
    QSystemTrayIcon* toolkitIcon() const { return toolkit_.get(); }

signals:
    // A primary click; `hostPoint` is where the host said it was, when it said so.
    void clicked(std::optional<QPoint> hostPoint, velmora::app::TrayClick click);
    // A secondary click on an icon whose menu is ours to show.
    void menuRequested(std::optional<QPoint> hostPoint);

private:
    Kind kind_;
    QMenu* menu_;
    std::unique_ptr<StatusNotifierItem> item_;
    std::unique_ptr<XEmbedTrayIcon> xembed_;
    std::unique_ptr<QSystemTrayIcon> toolkit_;
};

}  // namespace velmora::app
