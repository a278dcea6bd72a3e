// Tarvello.exe: builds the Win32 platform, creates the control window hidden, runs the start-up sequence,
// shows the window when start-up left it open, and runs the message loop until the window is gone.
#include <windows.h>

#include <commctrl.h>

#include "app/program_events.h"
#include "app/win32_control_window.h"
#include "app/win32_services.h"
#include "control_window/tarvello_program.h"

namespace {

int RunMessageLoop(HWND dialogWindow) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move between the boxes as in a dialog. Only keys are offered: the poller's 50 ticks
        // a second would otherwise each pay for the dialog manager's checks.
        const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
        if (key && IsWindow(dialogWindow) && IsDialogMessageW(dialogWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunTarvello() {
    using namespace tarvello;
    app::Win32Services services;
    const Platform platform = services.AsPlatform();

    app::Win32ControlWindow window;
    TarvelloProgram program(platform, window);
    app::ProgramEvents events(program.MainWindow());
    window.SetEvents(&events);

    try {
        program.MainWindow().Start();
    } catch (...) {
        // The start-up sequence handles its own failures; anything else leaves a degraded but open window.
    }
    if (!program.MainWindow().Closed() && IsWindow(window.Handle()))
        window.Show();
    const int exitCode = RunMessageLoop(window.Handle());
    window.SetEvents(nullptr);
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // COM waits for the bearing source's first use: see ComBearingSourceFactory.
    return RunTarvello();
}
