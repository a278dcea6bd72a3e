// The event-loop family on Windows.
#include "platform/win32/win32_event_loop.h"

namespace tarvello::win32 {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"TarvelloTimers";

void RegisterTimerWindowClass(WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTimerWindowClass;
    RegisterClassW(&windowClass);  // a second loop finds the class already there
}

}  // namespace

Win32EventLoop::Win32EventLoop() {
    RegisterTimerWindowClass(&Win32EventLoop::TimerWindowProc);
    timerWindow_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32EventLoop::~Win32EventLoop() {
    for (const auto& entry : timers_)
        KillTimer(timerWindow_, entry.first);
    DestroyWindow(timerWindow_);
}

TimerId Win32EventLoop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const TimerId id = nextTimerId_++;
    timers_[id] = std::make_shared<std::function<void()>>(std::move(tick));
    SetTimer(timerWindow_, id, intervalMs, nullptr);
    return id;
}

void Win32EventLoop::StopTimer(TimerId id) {
    if (timers_.erase(id) > 0)
        KillTimer(timerWindow_, id);
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
    const auto tick = found->second;
    (*tick)();
}

LRESULT CALLBACK Win32EventLoop::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* loop = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && loop != nullptr) {
        loop->OnTimer(static_cast<TimerId>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvello::win32
