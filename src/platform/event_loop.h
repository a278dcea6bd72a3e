// Event-loop family: the user-interface thread's timers, one pass of its pending events, and plain pauses.
#pragma once

#include <cstdint>
#include <functional>

namespace tarvello {

using TimerId = std::uint32_t;

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // A timer on the user-interface thread; tick runs through the message loop every intervalMs.
    virtual TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) = 0;
    virtual void StopTimer(TimerId id) = 0;
    // One pass of the message loop that handles every waiting message, timers included, and returns.
    virtual void ProcessPendingEvents() = 0;
    // A plain pause of the calling thread, with no message handling meanwhile.
    virtual void Pause(std::uint32_t ms) = 0;
    // WaitForSingleObject on the current process with a time-out of ms: a pause that always runs out.
    virtual void WaitOnOwnProcess(std::uint32_t ms) = 0;
};

}  // namespace tarvello
