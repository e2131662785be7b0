#pragma once

#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTime>

class QQmlEngine;
class QQuickWindow;

namespace velmora {
class MinesweeperGame;
}

namespace velmora::app {

// The first-launch window that shows where the game went. One instance serves the whole
// process; it owns the window while it is open and forgets it when the window closes.
class WelcomeWindowController final : public QObject {
    Q_OBJECT
public:
    // The process's controller, made on first use and owned by the application object.
    static WelcomeWindowController& shared();

    explicit WelcomeWindowController(QObject* parent = nullptr);
    ~WelcomeWindowController() override;

    // The text size of the window's content; capped like the panel's.
    void setSystemScale(double scale);
    // Where the welcome says the icon is: at the bottom of the screen, or at the top.
    void setPanelAtBottom(bool atBottom) { panelAtBottom_ = atBottom; }
    double systemScale() const { return systemScale_; }

    // Opens the window with `iconName` highlighted in its picture, unless it is open already.
    void show(const QString& iconName);
    QQuickWindow* window() const { return window_; }

public slots:
    // The "Got it" action.
    void close();

signals:
    void windowOpened();
    void windowClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forgetWindow();
    std::unique_ptr<QQmlEngine> engine_;
    QPointer<QQuickWindow> window_;
    bool panelAtBottom_ = false;
    double systemScale_ = 1.0;
};

// The welcome check of the start-up task: on a store that has not seen the welcome, records
// that it has (before anything opens, so quitting with the window up does not show it again)
// and opens the window. Returns whether it asked for the window.
bool showWelcomeIfNeeded(MinesweeperGame& game, WelcomeWindowController& controller);
bool showWelcomeIfNeeded(MinesweeperGame& game);

// The clock in the picture: hours and minutes in the short time format of `locale`.
QString welcomeTimeText(const QLocale& locale, const QTime& time);

}  // namespace velmora::app
