#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class QDBusServiceWatcher;

namespace velmora::app {

// One icon image as StatusNotifierItem carries it: ARGB32 pixels in network byte order.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using SniPixmapList = QList<SniPixmap>;
struct SniToolTip {
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString text;
};

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& toolTip);

// Our own tray item on the session bus (org.kde.StatusNotifierItem at /StatusNotifierItem),
// registered with the session's StatusNotifierWatcher and again whenever a watcher comes
// back (a panel that restarts). Unlike the toolkit's item it passes on the point hosts send
// with a click, and it has no Menu property at all: hosts then ask for a menu with
// ContextMenu(x, y). (MATE shows an empty menu of its own for "/NO_DBUSMENU".)
class StatusNotifierItem final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ emptyText)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(velmora::app::SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyText)
    Q_PROPERTY(velmora::app::SniPixmapList OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ emptyText)
    Q_PROPERTY(velmora::app::SniPixmapList AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ emptyText)
    Q_PROPERTY(velmora::app::SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)

public:
    static constexpr char kPath[] = "/StatusNotifierItem";

    // Publishes nothing until start().
    explicit StatusNotifierItem(const QDBusConnection& bus, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Takes a bus name, exports the object and registers with the watcher. False when the
    // bus cannot be used (then nothing is published).
    bool start();
    QString serviceName() const { return serviceName_; }
    // Whether the last registration with a watcher was accepted.
    bool isRegistered() const { return registered_; }

    void setTitle(const QString& title);
    // The icon: a theme name a host may load (and recolour) itself, and the images it draws
    // otherwise. An empty name leaves only the images.
    void setIcon(const QString& themeName, const QList<QImage>& images);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const;
    QString title() const { return title_; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString emptyText() const { return {}; }
    QString iconName() const { return iconName_; }
    SniPixmapList iconPixmap() const { return pixmaps_; }
    SniPixmapList noPixmaps() const { return {}; }
    SniToolTip toolTip() const { return {QString(), {}, title_, QString()}; }
    bool itemIsMenu() const { return false; }

    static SniPixmap toPixmap(const QImage& image);

public slots:
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);
    Q_SCRIPTABLE void ProvideXdgActivationToken(const QString& token);

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString& status);

    // A primary click on the icon; `at` is the point the host sent (it may be (0, 0)).
    void activated(const QPoint& at);
    void secondaryActivated(const QPoint& at);
    void contextMenuRequested(const QPoint& at);
    // A token that lets the next window we raise take the focus (Wayland).
    void activationTokenProvided(const QString& token);
    void registrationChanged(bool registered);

private:
    void registerWithWatcher();

    QDBusConnection bus_;
    QString serviceName_;
    QString title_;
    QString iconName_;
    SniPixmapList pixmaps_;
    bool exported_ = false;
    bool registered_ = false;
    QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace velmora::app

Q_DECLARE_METATYPE(velmora::app::SniPixmap)
Q_DECLARE_METATYPE(velmora::app::SniToolTip)
