// The window host: class registration, the trampoline from the window procedure to the object, and the end.
#include "platform/win32/win32_window_host.h"

namespace tarvello::win32 {

WindowHost::~WindowHost() {
    Destroy();
}

std::wstring WindowHost::Widened(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

namespace {

// The fields an ANSI and a Unicode class share; the caller adds the name of its own kind.
template <class ClassInfo>
ClassInfo ClassWith(WNDPROC procedure, HINSTANCE instance, const WindowClassLook& look) {
    ClassInfo info{};
    info.cbSize = sizeof info;
    info.lpfnWndProc = procedure;
    info.hInstance = instance;
    info.hIcon = look.icon;
    info.hIconSm = look.smallIcon;
    info.hCursor = look.cursor;
    info.hbrBackground = look.background;
    return info;
}

}  // namespace

bool WindowHost::CreateOfClass(const Request& request, Handler handler) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    // A second window of the same class finds it registered already. An ANSI class gets ANSI text in its
    // messages, whichever call creates its windows.
    if (!GetClassInfoExW(instance, request.className.c_str(), &existing)) {
        if (request.ansi) {
            const std::string name(request.className.begin(), request.className.end());  // class names are ASCII
            auto ansiClass = ClassWith<WNDCLASSEXA>(&WindowHost::Procedure, instance, request.look);
            ansiClass.lpszClassName = name.c_str();
            RegisterClassExA(&ansiClass);
        } else {
            auto unicodeClass = ClassWith<WNDCLASSEXW>(&WindowHost::Procedure, instance, request.look);
            unicodeClass.lpszClassName = request.className.c_str();
            RegisterClassExW(&unicodeClass);
        }
    }
    handler_ = std::move(handler);
    const WindowPlace& place = request.place;
    CreateWindowExW(request.exStyle, request.className.c_str(), request.title.c_str(), request.style, place.x, place.y,
                    place.width, place.height, place.parent, nullptr, instance, this);
    return window_ != nullptr;
}

LRESULT WindowHost::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return IsWindowUnicode(window_) ? DefWindowProcW(window_, message, wParam, lParam)
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
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
    }
    return result;
}

LRESULT CALLBACK WindowHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // lpCreateParams sits at the same place in the ANSI and the Unicode record.
        auto* host = static_cast<WindowHost*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        host->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    auto* host = reinterpret_cast<WindowHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host != nullptr)
        return host->Dispatch(window, message, wParam, lParam);
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvello::win32
