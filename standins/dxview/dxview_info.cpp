// DXView stand-in's info window and "SP" window; see dxview_info.h.
#include "dxview_info.h"

#include "../common/standin_look.h"
#include "../common/standin_names.h"
#include "../common/standin_text.h"

namespace standin {

DxViewInfo::DxViewInfo(ClickHandler onClick) : onClick_(std::move(onClick)) {}

bool DxViewInfo::Create(HINSTANCE instance, HWND owner, bool withInfoWindow) {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND spParent = owner;
    if (withInfoWindow) {
        if (!info_.Create(
                kDxViewInfoClass, StandInLook(), WS_EX_TOOLWINDOW, kDxViewInfoTitle,
                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {420, 40, 300, 170, owner},
                [this](UINT message, WPARAM wParam, LPARAM lParam) { return OnInfoMessage(message, wParam, lParam); }))
            return false;
        for (int i = 0; i < 3; ++i) {
            lines_[i] = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10 + i * 24, 270, 20,
                                        info_.Handle(), nullptr, instance, nullptr);
            SendMessageA(lines_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        spParent = info_.Handle();
    }
    return sp_.Create(
        kDxViewSpClass, StandInLook(), 0, kSpWindowTitle, WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 90, 60, 26, spParent},
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return OnSpMessage(message, wParam, lParam); });
}

void DxViewInfo::Show(const std::string& command, const std::string& bearing, const std::string& rotor) {
    if (info_.Handle() == nullptr)
        return;
    SetWindowTextA(lines_[0], ("Letzter Befehl: " + EscapeForJournal(command)).c_str());
    SetWindowTextA(lines_[1], ("Peilung: " + bearing).c_str());
    SetWindowTextA(lines_[2], ("Rotor: " + rotor).c_str());
}

LRESULT DxViewInfo::OnInfoMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // Closing the info window ends the stand-in in order, as closing its main window does.
        PostMessageA(GetWindow(info_.Handle(), GW_OWNER), WM_CLOSE, 0, 0);
        return 0;
    }
    return info_.Default(message, wParam, lParam);
}

LRESULT DxViewInfo::OnSpMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            onClick_(message, wParam, lParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(sp_.Handle(), &paint);
            RECT area;
            GetClientRect(sp_.Handle(), &area);
            SetBkMode(dc, TRANSPARENT);
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(dc, "SP", 2, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(sp_.Handle(), &paint);
            return 0;
        }
        default:
            return sp_.Default(message, wParam, lParam);
    }
}

}  // namespace standin
