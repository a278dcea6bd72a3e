// Window-tree family: walking every window of the desktop, posting to one, and activating one by title.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_handle.h"

namespace tarvello {

class WindowTree {
public:
    virtual ~WindowTree() = default;
    virtual WindowHandle DesktopWindow() = 0;
    virtual WindowHandle FirstChild(WindowHandle window) = 0;   // GetWindow(GW_CHILD)
    virtual WindowHandle NextSibling(WindowHandle window) = 0;  // GetWindow(GW_HWNDNEXT)
    // GetClassNameA with a buffer of bufferChars: at most bufferChars - 1 characters.
    virtual std::wstring ClassName(WindowHandle window, int bufferChars) = 0;
    virtual int TitleLength(WindowHandle window) = 0;  // GetWindowTextLengthA
    // GetWindowTextA with a buffer of bufferChars: at most bufferChars - 1 characters.
    virtual std::wstring Title(WindowHandle window, int bufferChars) = 0;
    virtual WindowHandle Parent(WindowHandle window) = 0;  // GetParent: parent, or owner of a pop-up
    virtual bool IsWindow(WindowHandle window) = 0;
    // True for a window of this program's own process.
    virtual bool BelongsToThisProgram(WindowHandle window) = 0;
    virtual bool PostToWindow(WindowHandle window,
                              std::uint32_t message,
                              std::uintptr_t wParam,
                              std::intptr_t lParam) = 0;
    // Brings the top-level window whose title equals title (else one whose title begins with it) to the
    // foreground without waiting. Returns false when no window qualifies.
    virtual bool ActivateByTitle(const std::wstring& title) = 0;
};

}  // namespace tarvello
