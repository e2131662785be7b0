#include "StatusNotifierItem.h"

#include <atomic>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QtEndian>

#include <unistd.h>

#include "AppIdentity.h"

namespace velmora::app {

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
std::atomic<int> itemCount{0};
}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap) {
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.pixels;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap) {
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& toolTip) {
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& toolTip) {
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.text;
    argument.endStructure();
    return argument;
}

StatusNotifierItem::StatusNotifierItem(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus), title_(QStringLiteral("Velmora")) {
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmapList>();
    qDBusRegisterMetaType<SniToolTip>();
}

StatusNotifierItem::~StatusNotifierItem() {
    if (!exported_) return;
    bus_.unregisterObject(QString::fromLatin1(kPath));
    bus_.unregisterService(serviceName_);
}

QString StatusNotifierItem::id() const { return QString::fromLatin1(kApplicationId); }

bool StatusNotifierItem::start() {
    if (exported_) return true;
    if (!bus_.isConnected()) return false;
    // The name the watcher knows us by, in the form hosts expect, unique within the session.
    serviceName_ = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(++itemCount);
    if (!bus_.registerObject(QString::fromLatin1(kPath), this,
                             QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals |
                                 QDBusConnection::ExportAllProperties))
        return false;
    if (!bus_.registerService(serviceName_)) {
        bus_.unregisterObject(QString::fromLatin1(kPath));
        return false;
    }
    exported_ = true;
    // A watcher that appears (the panel started or restarted) knows nothing of us yet.
    watcher_ = new QDBusServiceWatcher(kWatcherService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    if (registered_) {
                        registered_ = false;
                        emit registrationChanged(false);
                    }
                    return;
                }
                registerWithWatcher();
            });
    registerWithWatcher();
    return true;
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherService,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    // Asynchronous: the watcher may be slow to answer, or live in this very process.
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call, 5000), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        const bool accepted = !reply->isError();
        if (accepted == registered_) return;
        registered_ = accepted;
        emit registrationChanged(accepted);
    });
}

void StatusNotifierItem::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit NewTitle();
    emit NewToolTip();
}

SniPixmap StatusNotifierItem::toPixmap(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    SniPixmap pixmap{argb.width(), argb.height(), QByteArray()};
    pixmap.pixels.resize(qsizetype(argb.width()) * argb.height() * 4);
    auto* out = reinterpret_cast<quint32*>(pixmap.pixels.data());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) *out++ = qToBigEndian(line[x]);
    }
    return pixmap;
}

void StatusNotifierItem::setIcon(const QString& themeName, const QList<QImage>& images) {
    iconName_ = themeName;
    pixmaps_.clear();
    for (const QImage& image : images)
        if (!image.isNull()) pixmaps_.append(toPixmap(image));
    emit NewIcon();
}

void StatusNotifierItem::Activate(int x, int y) { emit activated(QPoint(x, y)); }
void StatusNotifierItem::SecondaryActivate(int x, int y) { emit secondaryActivated(QPoint(x, y)); }
void StatusNotifierItem::ContextMenu(int x, int y) { emit contextMenuRequested(QPoint(x, y)); }
void StatusNotifierItem::Scroll(int, const QString&) {}
void StatusNotifierItem::ProvideXdgActivationToken(const QString& token) { emit activationTokenProvided(token); }

}  // namespace velmora::app
