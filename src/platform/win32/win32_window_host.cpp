// The window host: class registration, the trampoline from the window procedure to the object, and the end.
#include "platform/win32/win32_window_host.h"

namespace tarvello::win32 {
namespace {

WindowHost* HostOf(HWND window, bool unicode) {
    return reinterpret_cast<WindowHost*>(unicode ? GetWindowLongPtrW(window, GWLP_USERDATA)
                                                 : GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

WindowHost::~WindowHost() {
    Destroy();
}

bool WindowHost::Create(const char* className,
                        const WindowClassLook& look,
                        DWORD exStyle,
                        const char* title,
                        DWORD style,
                        const WindowPlace& place,
                        Handler handler) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // A second window of the same class finds it registered already.
    if (!GetClassInfoExA(instance, className, &windowClass)) {
        windowClass = WNDCLASSEXA{sizeof windowClass, 0, &WindowHost::AnsiProcedure, 0, 0, instance, look.icon,
                                  look.cursor, look.background, nullptr, className, look.smallIcon};
        RegisterClassExA(&windowClass);
    }
    unicode_ = false;
    handler_ = std::move(handler);
    CreateWindowExA(exStyle, className, title, style, place.x, place.y, place.width, place.height, place.parent,
                    nullptr, instance, this);
    return window_ != nullptr;
}

bool WindowHost::CreateUnicode(const wchar_t* className,
                               const WindowClassLook& look,
                               DWORD exStyle,
                               const wchar_t* title,
                               DWORD style,
                               const WindowPlace& place,
                               Handler handler) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass = WNDCLASSEXW{sizeof windowClass, 0, &WindowHost::UnicodeProcedure, 0, 0, instance, look.icon,
                                  look.cursor, look.background, nullptr, className, look.smallIcon};
        RegisterClassExW(&windowClass);
    }
    unicode_ = true;
    handler_ = std::move(handler);
    CreateWindowExW(exStyle, className, title, style, place.x, place.y, place.width, place.height, place.parent,
                    nullptr, instance, this);
    return window_ != nullptr;
}

LRESULT WindowHost::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return unicode_ ? DefWindowProcW(window_, message, wParam, lParam)
                    : DefWindowProcA(window_, message, wParam, lParam);
}

void WindowHost::Destroy() {
    if (window_ != nullptr && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT WindowHost::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The handler runs from a copy: it may destroy the window, and so end this host's part, while it runs.
    const Handler handler = handler_;
    const LRESULT result = handler ? handler(message, wParam, lParam) : Default(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        unicode_ ? SetWindowLongPtrW(window, GWLP_USERDATA, 0) : SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
    }
    return result;
}

LRESULT CALLBACK WindowHost::AnsiProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* host = static_cast<WindowHost*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        host->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    WindowHost* host = HostOf(window, false);
    return host != nullptr ? host->Dispatch(window, message, wParam, lParam)
                           : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowHost::UnicodeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* host = static_cast<WindowHost*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        host->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    WindowHost* host = HostOf(window, true);
    return host != nullptr ? host->Dispatch(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvello::win32
