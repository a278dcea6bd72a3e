// The window-tree family on Windows.
#include "platform/win32/win32_window_tree.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {
namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}
WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

std::wstring FromBuffer(const std::vector<char>& buffer, int copied) {
    if (copied <= 0)
        return L"";
    return FromAnsi(std::string(buffer.data(), static_cast<std::size_t>(copied)));
}

struct TitleSearch {
    std::string title;
    HWND exact = nullptr;
    HWND prefix = nullptr;
};

BOOL CALLBACK CompareTopLevelTitle(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TitleSearch*>(context);
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    const std::string text(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    if (text == search.title) {
        search.exact = window;
        return FALSE;
    }
    if (search.prefix == nullptr && text.compare(0, search.title.size(), search.title) == 0)
        search.prefix = window;
    return TRUE;
}

}  // namespace

WindowHandle Win32WindowTree::DesktopWindow() {
    return FromHwnd(::GetDesktopWindow());
}

WindowHandle Win32WindowTree::FirstChild(WindowHandle window) {
    return FromHwnd(::GetWindow(ToHwnd(window), GW_CHILD));
}

WindowHandle Win32WindowTree::NextSibling(WindowHandle window) {
    return FromHwnd(::GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

std::wstring Win32WindowTree::ClassName(WindowHandle window, int bufferChars) {
    if (bufferChars <= 0)
        return L"";
    std::vector<char> buffer(static_cast<std::size_t>(bufferChars), '\0');
    return FromBuffer(buffer, ::GetClassNameA(ToHwnd(window), buffer.data(), bufferChars));
}

int Win32WindowTree::TitleLength(WindowHandle window) {
    return ::GetWindowTextLengthA(ToHwnd(window));
}

std::wstring Win32WindowTree::Title(WindowHandle window, int bufferChars) {
    if (bufferChars <= 0)
        return L"";
    std::vector<char> buffer(static_cast<std::size_t>(bufferChars), '\0');
    return FromBuffer(buffer, ::GetWindowTextA(ToHwnd(window), buffer.data(), bufferChars));
}

WindowHandle Win32WindowTree::Parent(WindowHandle window) {
    return FromHwnd(::GetParent(ToHwnd(window)));
}

bool Win32WindowTree::IsWindow(WindowHandle window) {
    return ::IsWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowTree::BelongsToThisProgram(WindowHandle window) {
    DWORD process = 0;
    return ::GetWindowThreadProcessId(ToHwnd(window), &process) != 0 && process == ::GetCurrentProcessId();
}

bool Win32WindowTree::PostToWindow(WindowHandle window,
                                   std::uint32_t message,
                                   std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    return ::PostMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

bool Win32WindowTree::ActivateByTitle(const std::wstring& title) {
    if (title.empty())
        return false;
    TitleSearch search{ToAnsi(title)};
    ::EnumWindows(CompareTopLevelTitle, reinterpret_cast<LPARAM>(&search));
    HWND target = search.exact != nullptr ? search.exact : search.prefix;
    if (target == nullptr)
        return false;
    // Asks for the foreground and returns; the switch completes in the target's own time.
    ::SetForegroundWindow(target);
    return true;
}

}  // namespace tarvello::win32
