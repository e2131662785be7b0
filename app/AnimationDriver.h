#pragma once

#include <QAnimationDriver>
#include <QBasicTimer>

class QQuickWindow;

namespace velmora::app {

// Steps the animations of the thread it is installed on at 60 Hz, like Qt's own timer-driven
// stepping, but takes the first step at once when animations start from rest instead of one
// full interval later. With Qt's stepping, an animation started by a click (the board's
// reveal) shows its first moving frame 16 ms after the click's own frame plus the window's
// update delay, so every animation from rest opened with one long frame.
//
// Only for render loops that leave the stepping to the timer (the software renderer's basic
// loop): the threaded loops install a driver of their own that follows the display.
class PromptAnimationDriver final : public QAnimationDriver {
public:
    explicit PromptAnimationDriver(QObject* parent = nullptr);
    static constexpr int kIntervalMs = 16;

    // Installs one for the GUI thread once the window's scene graph turns out to step its
    // animations by timer.
    static void installFor(QQuickWindow* window);

protected:
    void start() override;
    void stop() override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer prompt_;
    QBasicTimer steady_;
};

}  // namespace velmora::app
