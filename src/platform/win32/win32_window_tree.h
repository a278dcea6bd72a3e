// The window-tree family on Windows: the desktop walk, class names and titles through the ANSI calls,
// posting, and bringing a top-level window to the foreground by its title.
#pragma once

#include <windows.h>

#include "platform/window_tree.h"

namespace tarvello::win32 {

class Win32WindowTree : public WindowTree {
public:
    WindowHandle DesktopWindow() override;
    WindowHandle FirstChild(WindowHandle window) override;
    WindowHandle NextSibling(WindowHandle window) override;
    std::wstring ClassName(WindowHandle window, int bufferChars) override;
    int TitleLength(WindowHandle window) override;
    std::wstring Title(WindowHandle window, int bufferChars) override;
    WindowHandle Parent(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    bool BelongsToThisProgram(WindowHandle window) override;
    bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool ActivateByTitle(const std::wstring& title) override;
};

}  // namespace tarvello::win32
