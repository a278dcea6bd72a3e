// Looks for DDE partners that vanished without a word: a killed program sends no WM_DDE_TERMINATE, its windows
// just disappear. Every conversation of the thread is looked at together, four times a second. The looks ride
// on the ticks of the program's own short timers (the poller's 20 ms tick), so they wake the program no more
// often than it wakes anyway; only while no such timer runs does the watch keep a timer of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>

namespace tarvello::win32 {

class PartnerWatch {
public:
    static constexpr unsigned kIntervalMs = 250;
    using Id = std::uint64_t;

    // The watch of the calling thread, whose message loop runs the looks.
    static PartnerWatch& OfThisThread();

    // look runs at every look until Forget; it may call Forget for any id, its own included.
    Id Watch(std::function<void()> look);
    void Forget(Id id);

    // The event loop's part: a timer of at most kIntervalMs started or stopped, and each tick of one.
    void CarrierStarted();
    void CarrierStopped();
    void OnCarrierTick();

private:
    static void CALLBACK OnOwnTimer(HWND, UINT, UINT_PTR, DWORD);
    void LookNow();
    void KeepOwnTimerIfNeeded();

    std::map<Id, std::function<void()>> looks_;
    Id nextId_ = 1;
    int carriers_ = 0;
    UINT_PTR ownTimer_ = 0;
    ULONGLONG lastLook_ = 0;
};

}  // namespace tarvello::win32
