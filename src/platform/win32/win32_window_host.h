// A window whose messages reach an object, the one way this program and its stand-ins make windows of their
// own: the window class is registered once per name, the object gets every message from WM_NCCREATE on, and
// the window goes with the host.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tarvello::win32 {

// What a window class shows; all optional.
struct WindowClassLook {
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;  // or the owner of a top-level window, or HWND_MESSAGE
};

class WindowHost {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    WindowHost() = default;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;
    ~WindowHost();

    // Char char makes an ANSI window: DDE partners and the stand-ins exchange text in the ANSI code page with it.
    // Char wchar_t makes a Unicode one, for the program's own visible window. False when the window could not
    // be made.
    template <class Char>
    bool Create(const Char* className,
                const WindowClassLook& look,
                DWORD exStyle,
                const Char* title,
                DWORD style,
                const WindowPlace& place,
                Handler handler) {
        return CreateOfClass({sizeof(Char) == 1, Widened(className), look, exStyle, Widened(title), style, place},
                             std::move(handler));
    }

    HWND Handle() const { return window_; }
    // The default handling of a message, as the window's own character set has it.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Destroys the window now; the handler sees its WM_DESTROY and nothing after it.
    void Destroy();

private:
    static std::wstring Widened(const char* text);
    static std::wstring Widened(const wchar_t* text) { return text; }
    struct Request {
        bool ansi;  // the class decides the window's character set
        std::wstring className;
        WindowClassLook look;
        DWORD exStyle;
        std::wstring title;
        DWORD style;
        WindowPlace place;
    };
    bool CreateOfClass(const Request& request, Handler handler);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    Handler handler_;
};

}  // namespace tarvello::win32
