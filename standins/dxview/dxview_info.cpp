// DXView stand-in's info window and "SP" window; see dxview_info.h.
#include "dxview_info.h"

#include "../common/standin_names.h"
#include "../common/standin_text.h"

namespace standin {

DxViewInfo::DxViewInfo(ClickHandler onClick) : onClick_(std::move(onClick)) {}

bool DxViewInfo::Create(HINSTANCE instance, HWND owner, bool withInfoWindow) {
    WNDCLASSA infoClass = {};
    infoClass.lpfnWndProc = &DxViewInfo::InfoProc;
    infoClass.hInstance = instance;
    infoClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    infoClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    infoClass.lpszClassName = kDxViewInfoClass;
    RegisterClassA(&infoClass);

    WNDCLASSA spClass = infoClass;
    spClass.lpfnWndProc = &DxViewInfo::SpProc;
    spClass.lpszClassName = kDxViewSpClass;
    RegisterClassA(&spClass);

    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND spParent = owner;
    if (withInfoWindow) {
        info_ = CreateWindowExA(WS_EX_TOOLWINDOW, kDxViewInfoClass, kDxViewInfoTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 420, 40, 300, 170, owner, nullptr,
                                instance, nullptr);
        if (info_ == nullptr)
            return false;
        SetWindowLongPtrA(info_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        for (int i = 0; i < 3; ++i) {
            lines_[i] = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10 + i * 24, 270, 20, info_,
                                        nullptr, instance, nullptr);
            SendMessageA(lines_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        spParent = info_;
    }
    sp_ = CreateWindowExA(0, kDxViewSpClass, kSpWindowTitle,
                          WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 90, 60, 26, spParent, nullptr, instance, nullptr);
    if (sp_ == nullptr)
        return false;
    SetWindowLongPtrA(sp_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void DxViewInfo::Show(const std::string& command, const std::string& bearing, const std::string& rotor) {
    if (info_ == nullptr)
        return;
    SetWindowTextA(lines_[0], ("Letzter Befehl: " + EscapeForJournal(command)).c_str());
    SetWindowTextA(lines_[1], ("Peilung: " + bearing).c_str());
    SetWindowTextA(lines_[2], ("Rotor: " + rotor).c_str());
}

LRESULT CALLBACK DxViewInfo::InfoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // Closing the info window ends the stand-in in order, as closing its main window does.
        PostMessageA(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK DxViewInfo::SpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DxViewInfo*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            if (self != nullptr)
                self->onClick_(message, wParam, lParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT area;
            GetClientRect(window, &area);
            SetBkMode(dc, TRANSPARENT);
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(dc, "SP", 2, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace standin
