#include "Scheduler.h"

#include <algorithm>
#include <limits>

namespace velmora {

struct ManualScheduler::Clock {
    std::function<void()> tick;
    std::int64_t due = 0;
    std::uint64_t order = 0;
    bool cancelled = false;
};

class ManualScheduler::Handle final : public TaskHandle {
public:
    explicit Handle(std::weak_ptr<Clock> clock) : clock_(std::move(clock)) {}
    ~Handle() override { cancel(); }
    void cancel() override {
        if (auto c = clock_.lock()) c->cancelled = true;
    }

private:
    std::weak_ptr<Clock> clock_;
};

ManualScheduler::ManualScheduler() = default;
ManualScheduler::~ManualScheduler() = default;

void ManualScheduler::post(std::function<void()> task) { queue_.push_back(std::move(task)); }

std::unique_ptr<TaskHandle> ManualScheduler::everySecond(std::function<void()> tick) {
    auto clock = std::make_shared<Clock>();
    clock->tick = std::move(tick);
    clock->due = now_ + 1000;
    clock->order = nextOrder_++;
    clocks_.push_back(clock);
    return std::make_unique<Handle>(clock);
}

void ManualScheduler::runPending() {
    while (!queue_.empty()) {
        auto task = std::move(queue_.front());
        queue_.pop_front();
        task();
    }
}

std::size_t ManualScheduler::activeClockCount() const {
    return static_cast<std::size_t>(
        std::count_if(clocks_.begin(), clocks_.end(), [](const auto& c) { return !c->cancelled; }));
}

void ManualScheduler::advance(std::int64_t milliseconds) {
    const std::int64_t end = now_ + std::max<std::int64_t>(0, milliseconds);
    for (;;) {
        std::erase_if(clocks_, [](const auto& c) { return c->cancelled; });
        std::shared_ptr<Clock> next;
        for (const auto& c : clocks_) {
            if (c->due > end) continue;
            if (!next || c->due < next->due || (c->due == next->due && c->order < next->order)) next = c;
        }
        if (!next) break;
        now_ = next->due;
        next->due += 1000;
        auto tick = next->tick;  // the tick may cancel its own clock
        tick();
        runPending();
    }
    now_ = end;
}

}  // namespace velmora
