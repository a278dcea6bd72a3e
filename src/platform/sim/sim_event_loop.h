// The simulated user-interface thread: a clock that only moves when a test advances it, window timers,
// posted events and pauses, recorded. Nothing here reads the real clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/event_loop.h"

namespace tarvello::sim {

class SimEventLoop : public EventLoop {
public:
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void ProcessPendingEvents() override;
    void Pause(std::uint32_t ms) override;
    void WaitOnOwnProcess(std::uint32_t ms) override;

    std::uint64_t NowMs() const { return nowMs_; }

    // Queues an event for the next pass of the message loop.
    void Post(std::function<void()> event);
    // Something another program or the operator does delayMs from now, seen by the loop as it advances.
    void After(std::uint64_t delayMs, std::function<void()> event);
    // Runs every event queued so far (one pass); events they post wait for the next pass.
    void RunPending();

    bool IsTimerRunning(TimerId id) const { return timers_.count(id) != 0; }
    std::size_t RunningTimerCount() const { return timers_.size(); }

    // Moves the clock forward by ms, firing due timers in time order and running posted events between.
    void Advance(std::uint64_t ms);
    // Moves the clock without firing anything: a blocking wait of the thread.
    void Block(std::uint64_t ms) { nowMs_ += ms; }

    // Records of what the program asked of the thread.
    int ProcessPendingEventsCalls() const { return pendingEventsCalls_; }
    const std::vector<std::uint32_t>& Pauses() const { return pauses_; }
    const std::vector<std::uint32_t>& Waits() const { return waits_; }
    // Pauses and waits, in order, for tests that check sequences across families.
    std::function<void(const std::wstring&)> journal;

private:
    struct Timer {
        std::uint32_t intervalMs;
        std::uint64_t dueMs;
        std::function<void()> tick;
    };
    std::uint64_t nowMs_ = 1'000'000;
    TimerId nextTimerId_ = 1;
    std::map<TimerId, Timer> timers_;
    std::deque<std::function<void()>> posted_;
    int pendingEventsCalls_ = 0;
    std::vector<std::uint32_t> pauses_;
    std::vector<std::uint32_t> waits_;
};

}  // namespace tarvello::sim
