// BarePoller.exe: the floor of the poll design, the yardstick of the benchmarks. Every 20 ms it reads Return,
// F11, Esc and F8 with GetAsyncKeyState, as Tarvello's poller does, and does nothing else.
//   BarePoller.exe          only the poll: the idle yardstick
//   BarePoller.exe --dde    Return and F11 also send Tarvello's commands to DXView over one DDE link, and F8
//                           walks the window tree with the calls the window finder must make and posts the
//                           click to the "SP" window: the key-to-command yardstick
//   BarePoller.exe --window the poll beside one plain visible window: what any windowed program pays under Wine
//                           (its X connection is looked at on every wake-up), the idle yardstick for a program
//                           with a window
#include <windows.h>

#include <cstring>
#include <memory>

#include "bare_walk.h"
#include "platform/win32/win32_dde.h"

namespace {

std::unique_ptr<tarvello::DdeLink> g_dxview;

bool FreshPress(int key) {
    return GetAsyncKeyState(key) == static_cast<SHORT>(0x8001);
}

void Send(const wchar_t* command) {
    try {
        if (g_dxview)
            g_dxview->Execute(command);
    } catch (...) {
    }
}

void StopRotor() {
    bench::BareWalk walk;
    walk.Below(GetDesktopWindow());
    PostMessageA(walk.sp, WM_LBUTTONDOWN, 0, 1);
    PostMessageA(walk.sp, WM_LBUTTONUP, 0, 1);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const bool ret = FreshPress(VK_RETURN);
    const bool f11 = FreshPress(VK_F11);
    const bool esc = FreshPress(VK_ESCAPE);
    const bool f8 = FreshPress(VK_F8);
    if (!g_dxview)
        return;
    if (ret)
        Send(L"003selectbearing180");
    if (f11)
        Send(L"003rotatesp");
    if (esc)
        Send(L"003selectbearing");
    if (f8)
        StopRotor();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--dde") == 0) {
        // DXView may still be starting: it is asked for a while.
        tarvello::win32::Win32Dde dde;
        for (int attempt = 0; attempt < 100 && !g_dxview; ++attempt) {
            try {
                g_dxview = dde.OpenHotLink({L"DXView", L"DDEServer", L"DDECommand"}, {});
            } catch (...) {
                Sleep(100);
            }
        }
        if (!g_dxview)
            return 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "--window") == 0) {
        CreateWindowExW(0, L"STATIC", L"BarePoller window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 200, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    SetTimer(nullptr, 0, 20, Tick);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
