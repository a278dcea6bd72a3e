// The shell's critical message under Wine, read by a timer of this thread while the box waits for its OK.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace tarvello::win32 {
namespace {

std::vector<int> g_buttonIds;
bool g_stopIcon = false;

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child))
        g_buttonIds.push_back(GetDlgCtrlID(child));
    if (_wcsicmp(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        g_stopIcon = SendMessageW(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_HAND));
    return TRUE;
}

void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND box = FindWindowW(L"#32770", L"Tarvello Test")) {
        KillTimer(nullptr, timer);
        EnumChildWindows(box, ReadBoxChild, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

TEST(Win32ShellTest, TheCriticalMessageHasOnlyAnOkButtonAndTheStopIcon) {
    g_buttonIds.clear();
    g_stopIcon = false;
    SetTimer(nullptr, 0, 50, ReadAndCloseBox);
    Win32Shell().ShowCriticalMessage(L"Bitte starten Sie zun\u00e4chst Win-Contest", L"Tarvello Test");
    EXPECT_EQ(g_buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(g_stopIcon);
}

}  // namespace
}  // namespace tarvello::win32
