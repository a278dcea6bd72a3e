// A hidden window that carries one side of raw DDE: the base of every conversation and of the topic window.
// The window procedure keeps its owner alive while a message is handled, so a callback that drops the
// last reference (a link destroyed from inside its own notice) cannot pull the object out from under it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace tarvello::win32 {

class DdeWindow : public std::enable_shared_from_this<DdeWindow> {
public:
    DdeWindow() = default;
    DdeWindow(const DdeWindow&) = delete;
    DdeWindow& operator=(const DdeWindow&) = delete;
    virtual ~DdeWindow();

    HWND Hwnd() const { return hwnd_; }

protected:
    // A top-level WS_POPUP window that is never shown: Wine broadcasts WM_DDE_INITIATE only to top-level
    // windows. The class is ANSI on purpose: DDEML partners then exchange ANSI text with us, not UTF-16.
    // Call after the object is owned by a shared_ptr. Throws ProgramError when the window cannot be made.
    void CreateHiddenWindow(const std::wstring& caption);
    void DestroyHiddenWindow();
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace tarvello::win32
