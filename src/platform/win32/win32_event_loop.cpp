// The event-loop family on Windows.
#include "platform/win32/win32_event_loop.h"

#include "platform/win32/win32_partner_watch.h"

namespace tarvello::win32 {

Win32EventLoop::Win32EventLoop() {
    WindowPlace messageOnly;
    messageOnly.parent = HWND_MESSAGE;
    timerWindow_.Create("TarvelloTimers", {}, 0, "", 0, messageOnly,
                        [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                            if (message != WM_TIMER)
                                return timerWindow_.Default(message, wParam, lParam);
                            OnTimer(static_cast<TimerId>(wParam));
                            return 0;
                        });
}

Win32EventLoop::~Win32EventLoop() {
    for (const auto& entry : timers_) {
        KillTimer(timerWindow_.Handle(), entry.first);
        if (entry.second.carriesPartnerWatch)
            PartnerWatch::OfThisThread().CarrierStopped();
    }
}

TimerId Win32EventLoop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const TimerId id = nextTimerId_++;
    const bool carrier = intervalMs <= PartnerWatch::kIntervalMs;
    timers_[id] = {std::make_shared<std::function<void()>>(std::move(tick)), carrier};
    SetTimer(timerWindow_.Handle(), id, intervalMs, nullptr);
    if (carrier)
        PartnerWatch::OfThisThread().CarrierStarted();
    return id;
}

void Win32EventLoop::StopTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end())
        return;
    const bool carrier = found->second.carriesPartnerWatch;
    timers_.erase(found);
    KillTimer(timerWindow_.Handle(), id);
    if (carrier)
        PartnerWatch::OfThisThread().CarrierStopped();
}

void Win32EventLoop::ProcessPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see the quit request, so it goes back into the queue.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32EventLoop::Pause(std::uint32_t ms) {
    ::Sleep(ms);
}

void Win32EventLoop::WaitOnOwnProcess(std::uint32_t ms) {
    WaitForSingleObject(GetCurrentProcess(), ms);
}

void Win32EventLoop::OnTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end())
        return;  // a WM_TIMER already queued when the timer was stopped
    const auto tick = found->second.tick;
    const bool carrier = found->second.carriesPartnerWatch;
    (*tick)();
    if (carrier)
        PartnerWatch::OfThisThread().OnCarrierTick();
}

}  // namespace tarvello::win32
