#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>

#include "DefaultsStore.h"
#include "Haptics.h"
#include "LoginItemService.h"
#include "MinesweeperGame.h"
#include "QtScheduler.h"
#include "RandomSource.h"
#include "Shell.h"
#include "tray/ActivationGate.h"
#include "tray/TrayHosts.h"

class QMenu;
class QQuickItem;
class QQuickWindow;

namespace velmora::ui {
class GameModel;
class SystemSettings;
}  // namespace velmora::ui

namespace velmora::app {

class DesktopSettings;
class FrameLog;
class PanelWindow;
struct PanelSpot;
class SingleInstance;
class TrayIcon;

// The application: the one game over the user's store, the tray icon and the panel that
// holds the game view (or an ordinary window when there is no tray).
class VelmoraApp final : public QObject {
    Q_OBJECT
public:
    explicit VelmoraApp(const Options& options);
    ~VelmoraApp() override;

    // Builds everything and shows the tray icon (or the window). Returns false when another
    // instance is running over the same store; it has been asked to show its panel.
    bool start();
    // The process's exit status when start() returned false: 0 when the running instance
    // showed its panel, 1 when it could not be reached.
    int startFailureStatus() const { return startFailureStatus_; }
    // The store file as the bytes it was named with (overrides the options' text form).
    void setStoreFile(std::filesystem::path file) { storeFile_ = std::move(file); }
    // Writes the game in progress and flushes the store, keeping the session running (the
    // session manager asks this before logging out).
    void saveNow();

    void showPanel();
    void hidePanel();
    void togglePanel();
    // Saves what is pending and flushes the store; safe to call more than once.
    void finish();

    MinesweeperGame& game() { return *game_; }
    QQuickWindow* window() const { return window_.get(); }
    TrayIcon* trayIcon() const { return tray_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWindow(bool asPanel);
    // Polls for a tray host until it turns up or the wait runs out, then opens the tray icon
    // or the ordinary window.
    void waitForTray(int remainingMilliseconds);
    void startWithTray(TrayHost host);
    void updateTrayIcon();
    PanelSpot panelSpot() const;
    // Remembers where the icon is: its rectangle where the tray tells it, else the point the
    // host sent with a click, else the pointer.
    void noteIconAt(std::optional<QPoint> hostPoint);
    // Tells the view it came on screen or left it, once per change.
    void setViewOnScreen(bool onScreen);

    void reportStoreState();

    Options options_;
    std::filesystem::path storeFile_;
    int startFailureStatus_ = 0;
    QString storePath_;
    std::unique_ptr<FileDefaultsStore> store_;
    QtScheduler scheduler_;
    SystemRandomSource random_;
    NoHaptics haptics_;
    // Deferred store writes are queued on this object, so none runs after the app is gone.
    QObject storeContext_;
    std::unique_ptr<MinesweeperGame> game_;
    int gameListener_ = 0;

    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<QQmlEngine> engine_;
    QObject* model_ = nullptr;     // owned by engine_'s lifetime (parented to this)
    QObject* settings_ = nullptr;  // likewise
    std::unique_ptr<QQuickWindow> window_;
    std::unique_ptr<PanelWindow> panel_;
    QPointer<QQuickItem> view_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<LoginItemService> loginItem_;
    std::unique_ptr<DesktopSettings> desktop_;

    FrameLog* frameLog_ = nullptr;  // parented to this; only with VELMORA_FRAME_LOG
    PanelAppearance appearance_ = PanelAppearance::unknown;
    bool statusNotifierHost_ = false;  // the tray is a StatusNotifierItem host (it can recolour)
    std::optional<QPoint> lastAnchor_;  // where the icon was at the last click on it
    QElapsedTimer clock_;
    ActivationGate gate_;
    bool dismissedByPress_ = false;
    bool finished_ = false;
    bool viewOnScreen_ = false;
};

}  // namespace velmora::app
