// Helpers of the automation tests under Wine: a window class that records the keys it receives, a
// bounded message pump.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tarvello::test {

struct ReceivedKeys {
    std::vector<int> keyDowns;
    std::vector<int> keyUps;
    std::string chars;
};

inline ReceivedKeys& Received() {
    static ReceivedKeys received;
    return received;
}

inline LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int key = static_cast<int>(wParam);
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        Received().keyDowns.push_back(key);
    if (message == WM_KEYUP || message == WM_SYSKEYUP)
        Received().keyUps.push_back(key);
    if (message == WM_CHAR)
        Received().chars += static_cast<char>(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

inline const char* RecordingClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TarvelloAutomationTest";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        return RegisterClassA(&wc) != 0;
    }();
    return registered ? "TarvelloAutomationTest" : nullptr;
}

inline void PumpOnce() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps messages until done() holds or the time-out passes; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < end) {
        PumpOnce();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    PumpOnce();
    return done();
}

}  // namespace tarvello::test
