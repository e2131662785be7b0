#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace velmora {

// A running repeating task; destroying the handle or calling cancel() stops it for good.
class TaskHandle {
public:
    virtual ~TaskHandle() = default;
    virtual void cancel() = 0;
};

// Main-thread tasks. Everything runs on one thread; tasks run between two user events.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Runs the task on the next turn of the main loop, after the current work.
    virtual void post(std::function<void()> task) = 0;
    // Calls tick every second on a monotonic clock; the first call comes one full second from now.
    virtual std::unique_ptr<TaskHandle> everySecond(std::function<void()> tick) = 0;
};

// Virtual time for tests and tools: nothing happens until runPending() or advance().
class ManualScheduler final : public Scheduler {
public:
    ManualScheduler();
    ~ManualScheduler() override;

    void post(std::function<void()> task) override;
    std::unique_ptr<TaskHandle> everySecond(std::function<void()> tick) override;

    // Runs queued tasks until none is left (tasks queued while running included).
    void runPending();
    // Moves the clock forward, firing every due tick in time order and running queued
    // tasks after each.
    void advance(std::int64_t milliseconds);

    std::size_t pendingCount() const { return queue_.size(); }
    std::size_t activeClockCount() const;
    std::int64_t nowMilliseconds() const { return now_; }

private:
    struct Clock;
    class Handle;
    std::deque<std::function<void()>> queue_;
    std::vector<std::shared_ptr<Clock>> clocks_;
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace velmora
