// DXView stand-in's visible windows: the info window (class "ThunderRT6FormDC", title "DXView Info") with the
// last command, the selected bearing and the rotor state, and the "SP" window that reports every left click.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/win32_window_host.h"

namespace standin {

class DxViewInfo {
public:
    // Called for each WM_LBUTTONDOWN/WM_LBUTTONUP the "SP" window receives.
    using ClickHandler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit DxViewInfo(ClickHandler onClick);
    // The info window is owned by owner and holds the "SP" window; without it "SP" is a child of owner.
    bool Create(HINSTANCE instance, HWND owner, bool withInfoWindow);
    void Show(const std::string& command, const std::string& bearing, const std::string& rotor);
    HWND InfoWindow() const { return info_.Handle(); }

private:
    LRESULT OnInfoMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSpMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ClickHandler onClick_;
    tarvello::win32::WindowHost info_;
    tarvello::win32::WindowHost sp_;
    HWND lines_[3] = {};
};

}  // namespace standin
