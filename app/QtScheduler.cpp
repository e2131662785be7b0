#include "QtScheduler.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>

namespace velmora::app {

namespace {

class TimerHandle final : public TaskHandle {
public:
    explicit TimerHandle(std::function<void()> tick) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, tick = std::move(tick)] {
            // The tick may destroy this very handle (the game drops its clock on a win), so
            // it runs from a copy that outlives the handle.
            if (!timer_.isActive()) return;
            auto run = tick;
            run();
        });
        timer_.start();
    }
    void cancel() override { timer_.stop(); }

private:
    QTimer timer_;
};

}  // namespace

QtScheduler::QtScheduler() = default;
QtScheduler::~QtScheduler() = default;

void QtScheduler::post(std::function<void()> task) {
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

std::unique_ptr<TaskHandle> QtScheduler::everySecond(std::function<void()> tick) {
    return std::make_unique<TimerHandle>(std::move(tick));
}

}  // namespace velmora::app
