#include "VelmoraApp.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QQmlComponent>
#include <QQuickItem>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>

#include <unistd.h>

#ifdef VELMORA_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include "PanelWindow.h"
#include "SingleInstance.h"

#ifdef VELMORA_HAVE_UI
#include <QtQml/QQmlExtensionPlugin>

#include "GameModel.h"
#include "Symbols.h"
#include "SystemSettings.h"
// The game view is a static QML module; its types register through this plugin.
Q_IMPORT_QML_PLUGIN(VelmoraPlugin)
#else
#include "PlaceholderModel.h"
#endif

namespace velmora::app {

namespace {


// Whether a window manager runs, which decides how the panel learns that the user turned away.
bool windowManagerRunning() {
#ifdef VELMORA_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return true;  // not X11: the compositor hands out activation
    xcb_connection_t* connection = x11->connection();
    const char* name = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
    if (!atom) return false;
    const xcb_atom_t check = atom->atom;
    free(atom);
    if (check == XCB_ATOM_NONE) return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    if (!property) return false;
    const bool present = xcb_get_property_value_length(property) > 0;
    free(property);
    return present;
#else
    return true;
#endif
}

// Whether the store's folder takes new files; the store writes by renaming a new file over
// the old one, so that is what decides whether anything can be saved.
bool storeLooksWritable(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::exists(path, error) && std::filesystem::is_directory(path, error)) return false;
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

#ifndef VELMORA_HAVE_UI
const char* kPlaceholderView = R"(
import QtQuick
Rectangle {
    property var game
    property var systemSettings
    signal quitRequested()
    function viewDidAppear() { game.isViewVisible = true }
    function viewDidDisappear() { game.isViewVisible = false }
    implicitWidth: 375; implicitHeight: 400
    color: "#2b2b2b"
    Grid {
        x: 22; y: 50; columns: game.columns; spacing: 2
        Repeater {
            model: game.rows * game.columns
            Rectangle {
                width: 34; height: 34; color: "#7a8899"
                objectName: "tile-" + Math.floor(index / game.columns) + "-" + (index % game.columns)
                MouseArea { anchors.fill: parent; onClicked: game.primaryAction(index) }
            }
        }
    }
}
)";
#endif

QIcon trayIconFor(MenuBarIconOption option, const QColor& color) {
#ifdef VELMORA_HAVE_UI
    return ui::symbolIcon(menuBarSymbol(option), color, 64);
#else
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(8, 8, 48, 48), 8, 8);
    painter.end();
    (void)option;
    return QIcon(pixmap);
#endif
}

}  // namespace

VelmoraApp::VelmoraApp(const Options& options) : options_(options) {}

VelmoraApp::~VelmoraApp() {
    finish();
    if (game_ && gameListener_) game_->removeListener(gameListener_);
    // Everything that shows the model goes before it: tray, view, window, then the model's
    // QML wrappers and the engine that may still reference them.
    tray_.reset();
    menu_.reset();
    delete view_.data();
    window_.reset();
    delete model_;
    delete settings_;
    engine_.reset();
}

bool VelmoraApp::start() {
    storePath_ = options_.defaultsPath.isEmpty()
                     ? QString::fromStdString(FileDefaultsStore::defaultPath().string())
                     : QFileInfo(options_.defaultsPath).absoluteFilePath();

    // Read directly: the standard-paths lookup complains on stderr when the variable is unset.
    QString lockDirectory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (lockDirectory.isEmpty() || !QFileInfo(lockDirectory).isDir()) lockDirectory = QDir::tempPath();
    instance_ = std::make_unique<SingleInstance>(SingleInstance::keyForStore(storePath_), lockDirectory);
    if (!instance_->claim([this] { showPanel(); })) {
        if (!instance_->notifyRunning())
            std::fprintf(stderr, "velmora: another Velmora is running over %s but did not answer\n",
                         qPrintable(storePath_));
        return false;
    }

    const std::filesystem::path path = storePath_.toStdString();
    const bool writable = storeLooksWritable(path);
    if (!writable)
        std::fprintf(stderr, "velmora: cannot write %s; nothing will be saved\n", path.c_str());
    store_ = std::make_unique<FileDefaultsStore>(path, [this](std::function<void()> write) {
        QMetaObject::invokeMethod(&storeContext_, std::move(write), Qt::QueuedConnection);
    });
    // Said once: either the probe above or the first failed write.
    store_->setWriteErrorHandler([writable, path](const std::string& error) {
        if (writable)
            std::fprintf(stderr, "velmora: cannot write %s (%s); nothing will be saved\n", path.c_str(),
                         error.c_str());
    });
    if (store_->loadedDamagedFile())
        std::fprintf(stderr, "velmora: %s was not readable; it was kept as %s.damaged\n", path.c_str(),
                     path.c_str());

    game_ = std::make_unique<MinesweeperGame>(*store_, true, scheduler_, random_, haptics_);
    gameListener_ = game_->addListener([this](Property property) {
        if (property == Property::menuBarIcon) updateTrayIcon();
    });

    createView();

    const bool useTray = !options_.window && QSystemTrayIcon::isSystemTrayAvailable();
    if (!options_.window && !useTray)
        std::fprintf(stderr, "velmora: no system tray found; opening the game in a window\n");
    window_ = std::make_unique<PanelWindow>(useTray);
    window_->setColor(QGuiApplication::palette().color(QPalette::Window));
    view_->setParentItem(window_->contentItem());
    fitWindowToView();
    connect(view_, &QQuickItem::implicitWidthChanged, this, &VelmoraApp::fitWindowToView);
    connect(view_, &QQuickItem::implicitHeightChanged, this, &VelmoraApp::fitWindowToView);
    connect(window_.get(), &PanelWindow::dismissRequested, this, [this] {
        hidePanel();
        sinceDismissed_.start();
    });
    connect(window_.get(), &PanelWindow::closeRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    if (useTray) {
        menu_ = std::make_unique<QMenu>();
        menu_->addAction(QCoreApplication::translate("Velmora", "Open Velmora"), this, [this] { showPanel(); });
        menu_->addAction(QCoreApplication::translate("Velmora", "Quit Velmora"), qApp, &QCoreApplication::quit);
        tray_ = std::make_unique<QSystemTrayIcon>();
        tray_->setToolTip(QCoreApplication::translate("Velmora", "Velmora"));
        tray_->setContextMenu(menu_.get());
        updateTrayIcon();
        connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason != QSystemTrayIcon::Trigger) return;
            // Without a geometry from the tray, the pointer is the best guess of where it is.
            clickPosition_ = QCursor::pos();
            togglePanel();
        });
        tray_->show();
    } else {
        showPanel();
    }
    return true;
}

void VelmoraApp::createView() {
    engine_ = std::make_unique<QQmlEngine>();
    engine_->addImportPath(QStringLiteral("qrc:/"));
    engine_->addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQmlComponent component(engine_.get());
    QVariantMap properties;
#ifdef VELMORA_HAVE_UI
    auto* settings = new ui::SystemSettings(this);
    settings->setTextScale(capTextScale(options_.textScale ? *options_.textScale : systemTextScale()));
    settings->setReduceMotion(options_.reduceMotion || systemReduceMotion());
    settings_ = settings;
    model_ = new ui::GameModel(*game_, this);
    component.setData("import Velmora\nMinesweeperView {}\n", QUrl(QStringLiteral("qrc:/velmora/Panel.qml")));
#else
    model_ = new PlaceholderModel(*game_, this);
    settings_ = new QObject(this);
    component.setData(kPlaceholderView, QUrl(QStringLiteral("qrc:/velmora/Panel.qml")));
#endif
    properties.insert(QStringLiteral("game"), QVariant::fromValue(model_));
    properties.insert(QStringLiteral("systemSettings"), QVariant::fromValue(settings_));
    QObject* object = component.createWithInitialProperties(properties);
    view_ = qobject_cast<QQuickItem*>(object);
    if (!view_) {
        std::fprintf(stderr, "velmora: the game view failed to load: %s\n", qPrintable(component.errorString()));
        std::exit(1);
    }
    view_->setObjectName(QStringLiteral("minesweeperView"));
    connect(view_, SIGNAL(quitRequested()), qApp, SLOT(quit()), Qt::QueuedConnection);
}

void VelmoraApp::fitWindowToView() {
    if (!window_ || !view_) return;
    const QSize size(qCeil(view_->implicitWidth()), qCeil(view_->implicitHeight()));
    view_->setSize(size);
    if (window_->size() == size) return;
    window_->resize(size);
    if (window_->isPanel() && window_->isVisible()) window_->setPosition(panelTopLeft());
}

QPoint VelmoraApp::panelTopLeft() const {
    const QRect icon = tray_ ? tray_->geometry() : QRect();
    const QPoint anchor = icon.isValid() ? icon.center() : clickPosition_;
    QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(anchor, window_->size());
    return panelPosition(icon, clickPosition_, window_->size(), available);
}

void VelmoraApp::showPanel() {
    if (!window_ || finished_) return;
    if (window_->isVisible()) {
        window_->raise();
        window_->requestActivate();
        return;
    }
    fitWindowToView();
    window_->present(window_->isPanel() ? panelTopLeft() : QPoint(), window_->isPanel() && !windowManagerRunning());
    QMetaObject::invokeMethod(view_, "viewDidAppear");
}

void VelmoraApp::hidePanel() {
    if (!window_ || !window_->isVisible()) return;
    window_->dismiss();
    QMetaObject::invokeMethod(view_, "viewDidDisappear");
}

void VelmoraApp::togglePanel() {
    if (window_->isVisible()) {
        hidePanel();
        return;
    }
    // The click on the icon that took activation from the panel also arrives here: it
    // closed the panel and must not open it again.
    if (sinceDismissed_.isValid() && sinceDismissed_.elapsed() < 300) return;
    showPanel();
}

void VelmoraApp::updateTrayIcon() {
    if (!tray_) return;
    const QColor color = QGuiApplication::palette().color(QPalette::WindowText);
    tray_->setIcon(trayIconFor(game_->menuBarIcon(), color));
}

void VelmoraApp::finish() {
    if (finished_ || !game_) return;
    // Hiding pauses the clock and schedules the save; both must land before the process ends.
    hidePanel();
    finished_ = true;
    game_->runPendingSave();
    store_->flush();
}

}  // namespace velmora::app
