#include "TrayIcon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QSystemTrayIcon>

#include "AppIdentity.h"
#include "StatusNotifierItem.h"
#include "XEmbedTrayIcon.h"

namespace velmora::app {

TrayIcon::TrayIcon(Kind kind, QMenu* menu, bool exportMenu) : kind_(kind), menu_(menu) {
    if (kind_ == Kind::statusNotifierItem) {
        item_ = std::make_unique<StatusNotifierItem>(QDBusConnection::sessionBus());
        connect(item_.get(), &StatusNotifierItem::activated, this,
                [this](const QPoint& at) { emit clicked(at, TrayClick::single); });
        // The middle button opens the panel too, as on icons that have no other use for it.
        connect(item_.get(), &StatusNotifierItem::secondaryActivated, this,
                [this](const QPoint& at) { emit clicked(at, TrayClick::single); });
        connect(item_.get(), &StatusNotifierItem::contextMenuRequested, this,
                [this](const QPoint& at) { emit menuRequested(at); });
        // Wayland compositors let the window the user asked for take the focus only with it.
        connect(item_.get(), &StatusNotifierItem::activationTokenProvided, this,
                [](const QString& token) { qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8()); });
        return;
    }
    if (kind_ == Kind::xembed) {
        xembed_ = std::make_unique<XEmbedTrayIcon>();
        connect(xembed_.get(), &XEmbedTrayIcon::clicked, this,
                [this](TrayClick click) { emit clicked(std::nullopt, click); });
        connect(xembed_.get(), &XEmbedTrayIcon::menuRequested, this, [this] { emit menuRequested(std::nullopt); });
        return;
    }
    toolkit_ = std::make_unique<QSystemTrayIcon>();
    if (exportMenu) toolkit_->setContextMenu(menu_);
    connect(toolkit_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Context) {
            if (!toolkit_->contextMenu()) emit menuRequested(std::nullopt);
            return;
        }
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick)
            emit clicked(std::nullopt, TrayClick::single);
        else if (reason == QSystemTrayIcon::DoubleClick)
            emit clicked(std::nullopt, TrayClick::doubleClick);
    });
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::show() {
    if (item_) return item_->start();
    if (xembed_) return xembed_->dock();
    toolkit_->show();
    return true;
}

void TrayIcon::setTitle(const QString& title) {
    if (item_) item_->setTitle(title);
    if (toolkit_) toolkit_->setToolTip(title);
}

void TrayIcon::setIcon(const QString& themeName, const QIcon& drawn) {
    if (toolkit_) {
        toolkit_->setIcon(themeName.isEmpty() ? drawn : QIcon::fromTheme(themeName));
        return;
    }
    if (xembed_) {
        xembed_->setImage(drawn.pixmap(QSize(64, 64)).toImage());
        return;
    }
    QList<QImage> images;
    for (const QSize& size : drawn.availableSizes()) images.append(drawn.pixmap(size).toImage());
    item_->setIcon(themeName, images);
}

QRect TrayIcon::geometry() const {
    if (xembed_) return xembed_->globalGeometry();
    return toolkit_ ? toolkit_->geometry() : QRect();
}

void TrayIcon::showMessage(const QString& title, const QString& text) {
    if (toolkit_) {
        toolkit_->showMessage(title, text, QSystemTrayIcon::Warning);
        return;
    }
    // Desktops with a StatusNotifierItem host show notifications through this service.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << title << uint(0) << QString::fromLatin1(kIconName) << title << text << QStringList() << QVariantMap()
         << int(-1);
    QDBusConnection::sessionBus().asyncCall(call);
}

}  // namespace velmora::app
