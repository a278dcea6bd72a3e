// A hidden window that carries one side of raw DDE: the base of every conversation and of the topic window.
// A message keeps the window's owner alive while it is handled, so a callback that drops the last reference
// (a link destroyed from inside its own notice) cannot pull the object out from under it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/win32_window_host.h"

namespace tarvello::win32 {

class DdeWindow : public std::enable_shared_from_this<DdeWindow> {
public:
    DdeWindow() = default;
    DdeWindow(const DdeWindow&) = delete;
    DdeWindow& operator=(const DdeWindow&) = delete;
    virtual ~DdeWindow() = default;

    HWND Hwnd() const { return host_.Handle(); }

protected:
    // A hidden window, ANSI on purpose: DDEML partners then exchange ANSI text with us, not UTF-16. The window
    // that answers initiates is a top-level WS_POPUP window that is never shown, since WM_DDE_INITIATE is
    // broadcast to top-level windows only; a conversation's window is message-only, so that no broadcast and no
    // walk of the window tree has to visit it. Call after the object is owned by a shared_ptr. Throws
    // ProgramError when the window cannot be made.
    enum class Reach { kTopLevel, kMessageOnly };
    void CreateHiddenWindow(const std::wstring& caption, Reach reach);
    void DestroyHiddenWindow() { host_.Destroy(); }
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) const {
        return host_.Default(message, wParam, lParam);
    }
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    WindowHost host_;
};

}  // namespace tarvello::win32
