// The help family on Windows: HtmlHelpA of hhctrl.ocx, loaded on first use.
#pragma once

#include <windows.h>

#include "platform/help.h"

namespace tarvello::win32 {

class Win32Help : public Help {
public:
    Win32Help() = default;
    ~Win32Help() override;
    Win32Help(const Win32Help&) = delete;
    Win32Help& operator=(const Win32Help&) = delete;

    // Opens the help file; without hhctrl.ocx nothing happens.
    void ShowHelp(const std::wstring& path) override;

private:
    using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    bool loadAttempted_ = false;
    HMODULE library_ = nullptr;
    HtmlHelpProc htmlHelp_ = nullptr;
};

}  // namespace tarvello::win32
