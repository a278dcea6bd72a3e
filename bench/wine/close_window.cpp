// CloseWindow.exe CLASS: closes the top-level window of that class as its close box does (WM_CLOSE) and waits
// up to 10 s until it is gone. The start-up benchmark ends each program so, as an operator would: a killed
// Tarvello never ends its DDE conversations, and the partners keep a window for each of them.
// Exit code 0 when the window is gone, 1 when there was none, 2 when it outlived the wait.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    HWND window = argc == 2 ? FindWindowW(argv[1], nullptr) : nullptr;
    if (window == nullptr)
        return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    for (int waited = 0; waited < 10000; waited += 10) {
        if (!IsWindow(window))
            return 0;
        Sleep(10);
    }
    return 2;
}
