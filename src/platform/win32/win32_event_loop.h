// The event-loop family on Windows: timers owned by a message-only window, the message pump, and pauses.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/event_loop.h"
#include "platform/win32/win32_window_host.h"

namespace tarvello::win32 {

class Win32EventLoop : public EventLoop {
public:
    Win32EventLoop();
    ~Win32EventLoop() override;
    Win32EventLoop(const Win32EventLoop&) = delete;
    Win32EventLoop& operator=(const Win32EventLoop&) = delete;

    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void ProcessPendingEvents() override;
    void Pause(std::uint32_t ms) override;
    void WaitOnOwnProcess(std::uint32_t ms) override;

private:
    void OnTimer(TimerId id);

    // Timers belong to a message-only window of this loop, so they end with it and need no global table.
    WindowHost timerWindow_;
    TimerId nextTimerId_ = 1;
    struct Timer {
        // shared_ptr: a tick that stops its own timer must not destroy the function it is running in.
        std::shared_ptr<std::function<void()>> tick;
        bool carriesPartnerWatch;  // short enough for the DDE partner looks to ride on its ticks
    };
    std::map<TimerId, Timer> timers_;
};

}  // namespace tarvello::win32
