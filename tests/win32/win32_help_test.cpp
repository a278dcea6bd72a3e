// The help family under Wine: Win32Help opens the compiled help file in a top-level "HH Parent" window, and a
// path the ANSI call cannot carry opens nothing.
#include "platform/win32/win32_help.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_shell.h"

namespace tarvello::win32 {
namespace {

constexpr char kHelpWindowClass[] = "HH Parent";

// Pumps the message loop (the help window belongs to this thread) until the help window is there or gone.
HWND PumpUntilHelpWindow(bool wanted, DWORD timeoutMs) {
    Win32EventLoop loop;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; ::Sleep(10)) {
        if ((FindWindowA(kHelpWindowClass, nullptr) != nullptr) == wanted)
            break;
        loop.ProcessPendingEvents();
    }
    return FindWindowA(kHelpWindowClass, nullptr);
}

TEST(Win32HelpTest, ShowHelpOpensTheHelpFileInItsOwnWindow) {
    Win32Help help;
    const std::wstring chm = Win32Shell().ProgramFolder() + L"\\Tarvello.chm";
    ASSERT_NE(GetFileAttributesW(chm.c_str()), INVALID_FILE_ATTRIBUTES) << "Tarvello.chm is not built beside the tests";
    ASSERT_EQ(FindWindowA(kHelpWindowClass, nullptr), nullptr) << "a help window is left over";

    // A path with an embedded NUL would open a shorter, different path: nothing opens.
    help.ShowHelp(std::wstring(L"C:\\x\0", 5) + chm);
    EXPECT_EQ(PumpUntilHelpWindow(true, 1500), nullptr);

    help.ShowHelp(chm);
    HWND window = PumpUntilHelpWindow(true, 15000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(PumpUntilHelpWindow(false, 15000), nullptr);
}

}  // namespace
}  // namespace tarvello::win32
