#include "VelmoraApp.h"

#include "AppIdentity.h"
#include "ModalScreenController.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QQmlComponent>
#include <QQuickItem>
#include <QScreen>
#include <QSessionManager>
#include <QStandardPaths>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTimer>

#include <unistd.h>

#ifdef VELMORA_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include "AnimationDriver.h"
#include "DesktopSettings.h"
#include "FrameLog.h"
#include "PanelWindow.h"
#include "SingleInstance.h"
#include "WelcomeWindow.h"
#include "XcbConnection.h"
#include "tray/TrayAppearance.h"
#include "tray/TrayHosts.h"
#include "tray/TrayIcon.h"
#include "tray/TrayPlacement.h"

#include <QtQml/QQmlExtensionPlugin>

#include "GameModel.h"
#include "Symbols.h"
#include "SystemSettings.h"

// The game view is a static QML module; its types register through this plugin.
Q_IMPORT_QML_PLUGIN(VelmoraPlugin)

namespace velmora::app {

namespace {

constexpr int kClockSaveMs = 5000;
constexpr int kStoreRetryMs = 5000;

// Whether a window manager runs, which decides how the panel learns that the user turned away.
bool windowManagerRunning() {
#ifdef VELMORA_HAVE_XCB
    xcb_connection_t* connection = xcbConnection();
    if (!connection) return true;  // not X11: the compositor hands out activation
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

bool platformIsX11() { return QGuiApplication::platformName() == QStringLiteral("xcb"); }

// Whether a tray can turn up at all on this platform (not on offscreen or minimal).
bool platformCanHaveTray() {
    const QString platform = QGuiApplication::platformName();
    return platform == QStringLiteral("xcb") || platform.startsWith(QStringLiteral("wayland"));
}

// Whether the store's folder takes new files; the store writes by renaming a new file over
// the old one, so that is what decides whether anything can be saved.
bool storeLooksWritable(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    makeFolders(folder, 0700);
    if (std::filesystem::exists(path, error) && std::filesystem::is_directory(path, error)) return false;
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}



}  // namespace

VelmoraApp::VelmoraApp(const Options& options)
    : options_(options), gate_(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    clock_.start();
}

VelmoraApp::~VelmoraApp() {
    finish();
    if (game_ && gameListener_) game_->removeListener(gameListener_);
    // Everything that shows the model goes before it: tray, view, window, then the model's
    // QML wrappers and the engine that may still reference them.
    tray_.reset();
    menu_.reset();
    panel_.reset();
    window_.reset();
    delete model_;
    delete settings_;
    engine_.reset();
    if (ui::ModalScreenController::loginItemService() == loginItem_.get())
        ui::ModalScreenController::setLoginItemService(nullptr);
}

bool VelmoraApp::start() {
    // The name is kept as bytes from here on: a file name need not be valid text.
    std::filesystem::path file = storeFile_;
    if (file.empty())
        file = options_.defaultsPath.isEmpty() ? FileDefaultsStore::defaultPath()
                                               : std::filesystem::path(QFile::encodeName(options_.defaultsPath).toStdString());
    if (file.empty())
        std::fprintf(stderr, "velmora: no home folder found (HOME is unset and the user has none); nothing will be saved\n");
    const std::filesystem::path path = file.empty() ? file : FileDefaultsStore::realPath(file);
    storePath_ = QFile::decodeName(path.c_str());

    QString runtimeProblem;
    const QString runtime = SingleInstance::privateRuntimeFolder(&runtimeProblem);
    instance_ = std::make_unique<SingleInstance>(SingleInstance::keyForStore(path), runtime, path);
    if (!instance_->claim([this] { showPanel(); })) {
        if (instance_->notifyRunning()) return false;
        // Another session, another machine, or a program that cannot answer: only the lock
        // next to the store tells, and this process must not write the file meanwhile.
        std::fprintf(stderr,
                     "velmora: %s is in use by another Velmora that did not answer (another session or "
                     "machine?); not starting a second one\n",
                     path.c_str());
        startFailureStatus_ = 1;
        return false;
    }
    if (!runtimeProblem.isEmpty() || !instance_->listenError().isEmpty())
        std::fprintf(stderr, "velmora: a second launch cannot reach this one: %s\n",
                     qPrintable(runtimeProblem.isEmpty() ? instance_->listenError() : runtimeProblem));

    const bool writable = !path.empty() && storeLooksWritable(path);
    if (!writable && !path.empty())
        std::fprintf(stderr, "velmora: cannot write %s; nothing will be saved\n", path.c_str());
    store_ = std::make_unique<FileDefaultsStore>(path, [this](std::function<void()> write) {
        QMetaObject::invokeMethod(&storeContext_, std::move(write), Qt::QueuedConnection);
    });
    // A full disk or a passing I/O error: what failed stays pending and is written again.
    store_->setRetryScheduler([this](std::function<void()> retry) {
        QTimer::singleShot(kStoreRetryMs, &storeContext_, std::move(retry));
    });
    // Said once: either the probe above or the first failed write.
    store_->setWriteErrorHandler([writable, path](const std::string& error) {
        if (writable)
            std::fprintf(stderr, "velmora: cannot write %s (%s); the game keeps its changes and tries again\n",
                         path.c_str(), error.c_str());
    });
    if (store_->damagedCopy()) {
        std::fprintf(stderr, "velmora: %s was not readable; it was kept as %s\n", path.c_str(),
                     store_->damagedCopy()->c_str());
    } else if (store_->loadedDamagedFile() && store_->isReadOnly()) {
        // Only a file that was moved away is kept; anything else at the path (a folder, or a
        // file that could not be moved) stays where it is and is not written over.
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            std::fprintf(stderr, "velmora: %s is not readable and could not be moved aside; it was left in place "
                                 "and nothing will be saved\n",
                         path.c_str());
    }

    game_ = std::make_unique<MinesweeperGame>(*store_, true, scheduler_, random_, haptics_);
    loginItem_ = std::make_unique<XdgAutostartLoginItem>(XdgAutostartLoginItem::forCurrentUser(kIconName));
    ui::ModalScreenController::setLoginItemService(loginItem_.get());
    frameLog_ = FrameLog::fromEnvironment(this);
    gameListener_ = game_->addListener([this](Property property) {
        if (property == Property::menuBarIcon) updateTrayIcon();
        if (property == Property::tiles && frameLog_) frameLog_->mark("tiles");
    });

    auto* settings = new ui::SystemSettings(this);
    settings_ = settings;
    desktop_ = std::make_unique<DesktopSettings>(settings, options_);
    desktop_->readNow();
    appearance_ = desktop_->appearance();
    WelcomeWindowController::shared().setSystemScale(settings->textScale());
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const auto tray = reservedEdgeAnchor(primary->geometry(), primary->availableGeometry());
        WelcomeWindowController::shared().setPanelAtBottom(tray && tray->y() > primary->geometry().center().y());
    }
    // Light or dark, the tray symbol is drawn to read on the desktop's panels as they are now.
    connect(desktop_.get(), &DesktopSettings::appearanceChanged, this, [this] {
        appearance_ = desktop_->appearance();
        updateTrayIcon();
    });
    qApp->installEventFilter(this);
    desktop_->watch();
    // The welcome check runs on a later turn, once start-up has returned.
    QMetaObject::invokeMethod(
        this, [this] { if (!finished_) showWelcomeIfNeeded(*game_); }, Qt::QueuedConnection);

    if (options_.window || !platformCanHaveTray()) {
        startWithTray(TrayHost::none);
    } else if (const TrayHost host = findTrayHost(); host != TrayHost::none) {
        startWithTray(host);
    } else {
        // At login the panel may come up after us; the game waits for it a while. A player
        // who starts it by hand gets the window at once.
        const QByteArray waitSetting = qgetenv("VELMORA_TRAY_WAIT");
        const int wait = options_.atLogin || !waitSetting.isEmpty() ? trayWaitMilliseconds(waitSetting) : 0;
        if (wait > 0)
            std::fprintf(stderr, "velmora: no system tray yet; waiting up to %d s for one\n", (wait + 999) / 1000);
        waitForTray(wait);
    }
    // The clock's progress with the panel open reaches the store every few seconds, through
    // the ordinary deferred save, so a crash or a lost session costs at most that much.
    auto* clockSave = new QTimer(this);
    connect(clockSave, &QTimer::timeout, this, [this] {
        if (!finished_ && game_->clockRunning()) game_->scheduleSave();
    });
    clockSave->start(kClockSaveMs);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { saveNow(); },
            Qt::DirectConnection);
    return true;
}

void VelmoraApp::waitForTray(int remainingMilliseconds) {
    if (finished_) return;
    const TrayHost host = findTrayHost();
    if (host != TrayHost::none || remainingMilliseconds <= 0) {
        startWithTray(host);
        return;
    }
    constexpr int kPoll = 250;
    QTimer::singleShot(kPoll, this, [this, remainingMilliseconds] { waitForTray(remainingMilliseconds - kPoll); });
}

void VelmoraApp::startWithTray(TrayHost host) {
    statusNotifierHost_ = host == TrayHost::statusNotifier;
    const bool useTray = host != TrayHost::none && QSystemTrayIcon::isSystemTrayAvailable();
    if (!options_.window && !useTray)
        std::fprintf(stderr, "velmora: no system tray found; opening the game in a window\n");
    createWindow(useTray);
    if (!useTray && !options_.window) window_->setProperty("notice", noTrayNotice(qEnvironmentVariable("XDG_CURRENT_DESKTOP")));
    if (!useTray) {
        showPanel();
        return;
    }
    menu_ = std::make_unique<QMenu>();
    menu_->addAction(QCoreApplication::translate("Velmora", "Open Velmora"), this, [this] {
        // A menu the host drew says nothing of where it was: the pointer that chose the item
        // is right below the icon.
        if (!lastAnchor_) noteIconAt(std::nullopt);
        showPanel();
    });
    menu_->addAction(QCoreApplication::translate("Velmora", "Quit Velmora"), qApp, &QCoreApplication::quit);
    const StatusNotifierKind itemKind = statusNotifierKindFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    TrayIcon::Kind kind = TrayIcon::Kind::toolkit;
    if (statusNotifierHost_ && itemKind == StatusNotifierKind::own)
        kind = TrayIcon::Kind::statusNotifierItem;
    else if (itemKind == StatusNotifierKind::xembedOnX11 && platformIsX11() && xembedTrayOwned())
        kind = TrayIcon::Kind::xembed;
    // A StatusNotifierItem host draws an exported menu itself. On XEmbed the toolkit would pop
    // the menu up on the press, and the panel, losing activation to it, would take it down
    // again as it hides: there the panel goes first.
    const bool exportMenu = kind == TrayIcon::Kind::toolkit && (statusNotifierHost_ || !platformIsX11());
    tray_ = std::make_unique<TrayIcon>(kind, menu_.get(), exportMenu);
    tray_->setTitle(QCoreApplication::translate("Velmora", "Velmora"));
    updateTrayIcon();
    connect(tray_.get(), &TrayIcon::menuRequested, this, [this](std::optional<QPoint> hostPoint) {
        noteIconAt(hostPoint);
        hidePanel();
        menu_->popup(lastAnchor_.value_or(QCursor::pos()));
    });
    connect(tray_.get(), &TrayIcon::clicked, this, [this](std::optional<QPoint> hostPoint, TrayClick click) {
        if (frameLog_) frameLog_->mark("trigger");
        noteIconAt(hostPoint);
        const QPoint pointer = QCursor::pos();
        switch (gate_.activate(clock_.elapsed(), panel_->isVisible(), click, pointer)) {
        case PanelAction::show: showPanel(); break;
        case PanelAction::hide: hidePanel(); break;
        case PanelAction::ignore: break;
        }
    });
    if (!tray_->show()) {
        // The bus or the tray refused our own icon: the toolkit's still reaches the tray.
        tray_ = std::make_unique<TrayIcon>(TrayIcon::Kind::toolkit, menu_.get(), true);
        tray_->setTitle(QCoreApplication::translate("Velmora", "Velmora"));
        updateTrayIcon();
        connect(tray_.get(), &TrayIcon::clicked, this, [this](std::optional<QPoint>, TrayClick click) {
            noteIconAt(std::nullopt);
            const auto action = gate_.activate(clock_.elapsed(), panel_->isVisible(), click, QCursor::pos());
            if (action == PanelAction::show) showPanel();
            if (action == PanelAction::hide) hidePanel();
        });
        tray_->show();
    }
    reportStoreState();
}

void VelmoraApp::noteIconAt(std::optional<QPoint> hostPoint) {
    const QRect icon = tray_ ? tray_->geometry() : QRect();
    if (icon.isValid() && QGuiApplication::screenAt(icon.center())) {
        lastAnchor_ = icon.center();
        return;
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->geometry());
    // Wayland tells a program nothing of the pointer outside its own windows.
    const std::optional<QPoint> pointer = platformIsX11() ? std::optional<QPoint>(QCursor::pos()) : std::nullopt;
    if (const auto anchor = trayClickAnchor(hostPoint, pointer, screens)) lastAnchor_ = anchor;
}

// A tray program has no terminal to read: what happened to an unreadable store is said where
// the user looks.
void VelmoraApp::reportStoreState() {
    if (!tray_ || !store_) return;
    const QString title = QCoreApplication::translate("Velmora", "Velmora");
    QString text;
    if (store_->damagedCopy())
        text = QCoreApplication::translate(
                   "Velmora",
                   "Velmora could not read its saved data and started afresh. The damaged file was kept as %1.")
                   .arg(QFile::decodeName(store_->damagedCopy()->c_str()));
    else if (store_->loadedDamagedFile() && store_->isReadOnly())
        text = QCoreApplication::translate(
                   "Velmora", "Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.")
                   .arg(storePath_);
    if (text.isEmpty()) return;
    // The notice points at the icon, which the tray host places a moment after it is shown;
    // without a place after a few seconds it is shown wherever the desktop puts it.
    auto* wait = new QTimer(this);
    auto tries = std::make_shared<int>(0);
    connect(wait, &QTimer::timeout, this, [this, wait, tries, title, text] {
        if (tray_ && tray_->kind() == TrayIcon::Kind::toolkit && !tray_->geometry().isValid() && ++*tries < 30)
            return;
        wait->deleteLater();
        if (tray_) tray_->showMessage(title, text);
    });
    wait->start(100);
}

void VelmoraApp::saveNow() {
    if (finished_ || !game_) return;
    game_->saveGame();
    store_->flush();
}

void VelmoraApp::createWindow(bool asPanel) {
    engine_ = std::make_unique<QQmlEngine>();
    model_ = new ui::GameModel(*game_, this);

    QQmlComponent component(engine_.get(), QUrl(QStringLiteral("qrc:/velmora/app/GameWindow.qml")));
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("game"), QVariant::fromValue(model_)},
         {QStringLiteral("systemSettings"), QVariant::fromValue(settings_)}});
    window_.reset(qobject_cast<QQuickWindow*>(object));
    view_ = window_ ? window_->findChild<QQuickItem*>(QStringLiteral("minesweeperView")) : nullptr;
    if (!window_ || !view_) {
        std::fprintf(stderr, "velmora: the game view failed to load: %s\n", qPrintable(component.errorString()));
        std::exit(1);
    }
    window_->setColor(QGuiApplication::palette().color(QPalette::Window));
    connect(view_, SIGNAL(quitRequested()), qApp, SLOT(quit()), Qt::QueuedConnection);
    if (frameLog_) frameLog_->watch(window_.get());
    PromptAnimationDriver::installFor(window_.get());

    panel_ = std::make_unique<PanelWindow>(window_.get(), asPanel);
    connect(panel_.get(), &PanelWindow::dismissRequested, this, [this] {
        hidePanel();
        // A press taken by the grab never reaches the icon, so no click on it is to be
        // ignored afterwards.
        if (!dismissedByPress_) gate_.panelTurnedAway(clock_.elapsed(), QCursor::pos());
        dismissedByPress_ = false;
    });
    // Under the grab the icon never sees the press: a right click on it still gets the menu.
    connect(panel_.get(), &PanelWindow::pressedOutside, this, [this](const QPoint& at, Qt::MouseButton button) {
        dismissedByPress_ = true;
        if (button != Qt::RightButton || !tray_ || !menu_ || !tray_->geometry().contains(at)) return;
        QMetaObject::invokeMethod(this, [this, at] { if (menu_ && !finished_) menu_->popup(at); }, Qt::QueuedConnection);
    });
    connect(panel_.get(), &PanelWindow::escapePressed, this, [this] {
        // A confirmation in the header or a screen over the board is cancelled by its own
        // keys; the panel only goes when neither is up.
        if (game_->isShowingScreen()) return;
        if (view_ && view_->property("controller").value<QObject*>() &&
            view_->property("controller").value<QObject*>()->property("isConfirmingNewGame").toBool())
            return;
        hidePanel();
    });
    connect(panel_.get(), &PanelWindow::closeRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    // Minimising the ordinary window pauses the clock and saves, as hiding the panel does.
    connect(panel_.get(), &PanelWindow::onScreenChanged, this, [this](bool onScreen) {
        if (!finished_) setViewOnScreen(onScreen);
    });
    // The game size or the difficulty may change the size while the panel shows.
    auto follow = [this] {
        if (panel_->isPanel() && panel_->isVisible()) panel_->moveTo(panelSpot());
    };
    connect(window_.get(), &QWindow::widthChanged, this, follow);
    connect(window_.get(), &QWindow::heightChanged, this, follow);
}

PanelSpot VelmoraApp::panelSpot() const {
    const QRect icon = tray_ ? tray_->geometry() : QRect();
    const bool iconKnown = icon.isValid() && QGuiApplication::screenAt(icon.center());
    // Opened before any click told where the icon is (a second launch): where panels keep
    // their tray, or else where the pointer is.
    std::optional<QPoint> anchor = iconKnown ? icon.center() : lastAnchor_;
    if (!anchor) {
        if (const QScreen* primary = QGuiApplication::primaryScreen())
            anchor = reservedEdgeAnchor(primary->geometry(), primary->availableGeometry());
    }
    const QPoint at = anchor.value_or(QCursor::pos());
    // The panel stays on the icon's monitor.
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(at, window_->size());
    return {panelPosition(iconKnown ? icon : QRect(), at, window_->size(), available), at};
}

void VelmoraApp::showPanel() {
    if (!panel_ || finished_) return;
    if (panel_->isVisible()) {
        if (window_->visibility() == QWindow::Minimized) window_->showNormal();
        window_->raise();
        window_->requestActivate();
        return;
    }
    panel_->present(panel_->isPanel() ? panelSpot() : PanelSpot(), panel_->isPanel() && !windowManagerRunning());
    gate_.panelShown(clock_.elapsed());
    setViewOnScreen(true);
}

void VelmoraApp::hidePanel() {
    if (!panel_ || !panel_->isVisible()) return;
    panel_->dismiss();
    setViewOnScreen(false);
}

void VelmoraApp::setViewOnScreen(bool onScreen) {
    if (!view_ || onScreen == viewOnScreen_) return;
    viewOnScreen_ = onScreen;
    QMetaObject::invokeMethod(view_, onScreen ? "viewDidAppear" : "viewDidDisappear");
    // The first open shows the panel with a stand-in for the tiles and makes them right after
    // its first frame, so the click on the icon does not wait for 484 of them.
    if (onScreen && !view_->property("boardBuilt").toBool()) {
        connect(window_.get(), &QQuickWindow::frameSwapped, view_, [this] {
            if (!view_) return;
            QMetaObject::invokeMethod(view_, "buildBoard");
            if (frameLog_) frameLog_->mark("built");
        }, static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    }
}

void VelmoraApp::togglePanel() {
    if (panel_->isVisible())
        hidePanel();
    else
        showPanel();
}

void VelmoraApp::updateTrayIcon() {
    if (!tray_) return;
    const MenuBarIconOption option = game_->menuBarIcon();
    // A host that recolours symbolic icons gets the installed one by name, to suit its panel;
    // every host also gets the symbol drawn to read on the panel as the desktop describes it
    // (a game run from its build folder has no installed icon), and the others only that.
    const QString name = traySymbolicIconName(option);
    const bool installed = statusNotifierHost_ && tray_->kind() != TrayIcon::Kind::xembed &&
                           trayHostRecoloursSymbolicIcons(qEnvironmentVariable("XDG_CURRENT_DESKTOP")) &&
                           QIcon::hasThemeIcon(name);
    tray_->setIcon(installed ? name : QString(), traySymbolIcon(systemImageName(option), appearance_));
}

bool VelmoraApp::eventFilter(QObject* watched, QEvent* event) {
    // A palette change is how a theme switch reaches a Qt program: the window and the tray
    // symbol are drawn again for it.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !finished_) {
        if (window_) window_->setColor(QGuiApplication::palette().color(QPalette::Window));
        if (desktop_) {
            desktop_->readNow();
            appearance_ = desktop_->appearance();
        }
        updateTrayIcon();
    }
    return QObject::eventFilter(watched, event);
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
