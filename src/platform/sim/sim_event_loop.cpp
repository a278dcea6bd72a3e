// Simulated message loop and timers.
#include "platform/sim/sim_event_loop.h"

#include <limits>
#include <memory>
#include <utility>

namespace tarvello::sim {

void SimEventLoop::Post(std::function<void()> event) {
    posted_.push_back(std::move(event));
}

void SimEventLoop::RunPending() {
    auto batch = std::move(posted_);
    posted_.clear();
    for (auto& event : batch)
        event();
}

void SimEventLoop::After(std::uint64_t delayMs, std::function<void()> event) {
    auto id = std::make_shared<TimerId>(0);
    *id = StartTimer(static_cast<std::uint32_t>(delayMs), [this, id, event = std::move(event)] {
        StopTimer(*id);
        event();
    });
}

TimerId SimEventLoop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    TimerId id = nextTimerId_++;
    timers_[id] = Timer{intervalMs, nowMs_ + intervalMs, std::move(tick)};
    return id;
}

void SimEventLoop::StopTimer(TimerId id) {
    timers_.erase(id);
}

void SimEventLoop::ProcessPendingEvents() {
    ++pendingEventsCalls_;
    RunPending();
}

void SimEventLoop::Pause(std::uint32_t ms) {
    if (journal)
        journal(L"Pause " + std::to_wstring(ms));
    pauses_.push_back(ms);
    Block(ms);
}

void SimEventLoop::WaitOnOwnProcess(std::uint32_t ms) {
    if (journal)
        journal(L"Wait " + std::to_wstring(ms));
    waits_.push_back(ms);
    Block(ms);
}

void SimEventLoop::Advance(std::uint64_t ms) {
    const std::uint64_t end = nowMs_ + ms;
    RunPending();
    for (;;) {
        TimerId nextId = 0;
        std::uint64_t nextDue = std::numeric_limits<std::uint64_t>::max();
        for (const auto& [id, timer] : timers_) {
            if (timer.dueMs < nextDue) {
                nextDue = timer.dueMs;
                nextId = id;
            }
        }
        if (nextId == 0 || nextDue > end)
            break;
        if (nextDue > nowMs_)
            nowMs_ = nextDue;
        Timer& timer = timers_.at(nextId);
        // Like WM_TIMER: a tick that blocked past later due times is not repeated for each of them.
        timer.dueMs = nowMs_ + timer.intervalMs;
        auto tick = timer.tick;
        tick();
        RunPending();
    }
    if (nowMs_ < end)
        nowMs_ = end;
    RunPending();
}

}  // namespace tarvello::sim
