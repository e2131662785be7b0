#pragma once

#include <QObject>

#include "Scheduler.h"

namespace velmora::app {

// The model's main-thread tasks on the Qt event loop: post() is a queued call, the clock a
// precise one-second QTimer that stops when its handle is cancelled or destroyed.
class QtScheduler final : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;

    void post(std::function<void()> task) override;
    std::unique_ptr<TaskHandle> everySecond(std::function<void()> tick) override;

private:
    // Queued calls target this object, so tasks posted by a scheduler that is already gone
    // are dropped instead of running against freed state.
    QObject context_;
};

}  // namespace velmora::app
