// The control window as a real Win32 window: the controls of the layout, the lamp, the position in twips,
// and its clicks and close handed to a listener (the program, or nothing in a test).
#pragma once

#include <windows.h>

#include <memory>

#include "app/control_window_builder.h"
#include "control_window/control_view.h"
#include "platform/win32/win32_window_host.h"

namespace tarvello::app {

// What the window reports to the program. Unloading runs before the window is destroyed by its close box.
class ControlWindowEvents {
public:
    virtual ~ControlWindowEvents() = default;
    virtual void HelpClicked() = 0;
    virtual void SendBearingClicked() = 0;
    virtual void LongPathClicked() = 0;
    virtual void TakeBearingClicked() = 0;
    virtual void Unloading() = 0;
    virtual void Destroyed() = 0;
};

class Win32ControlWindow : public ControlView {
public:
    static constexpr wchar_t kClassName[] = L"TarvelloControlWindow";

    // Creates the window hidden, with every control, at the default position; dpi 0 means the screen's.
    explicit Win32ControlWindow(int dpi = 0);
    ~Win32ControlWindow() override;
    Win32ControlWindow(const Win32ControlWindow&) = delete;
    Win32ControlWindow& operator=(const Win32ControlWindow&) = delete;

    void SetEvents(ControlWindowEvents* events) { events_ = events; }
    HWND Handle() const { return host_.Handle(); }
    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    int Dpi() const { return dpi_; }
    // The lamp's painted colour as COLORREF, after resolving a system colour.
    COLORREF LampColour() const { return lampColour_; }

    std::wstring Text(ViewField field) const override;
    void SetText(ViewField field, const std::wstring& text) override;
    void SetLampColour(std::uint32_t colourWord) override;
    void SetCaption(const std::wstring& caption) override;
    void ShowKeyHelp(const KeyHelp& help) override;
    std::wstring Caption() const override;
    double LeftTwips() const override;
    double TopTwips() const override;
    void SetLeftTwips(double twips) override;
    void SetTopTwips(double twips) override;
    void PlaceAtDefaultPosition() override;
    void KeepOnScreen() override;
    void Show() override;
    void Destroy() override;

private:
    static constexpr UINT kCreateToolTipMessage = WM_APP + 1;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void MakeHelpToolTip();
    void OnCommand(int id);
    void OnClose();
    void OnEndSession(bool ending);
    LRESULT OnControlColour(HDC dc, HWND control);
    HWND FieldControl(ViewField field) const;
    void MoveTo(int x, int y);
    RECT OuterRect() const;
    // The rectangle of the window as it is when neither minimised nor maximised.
    RECT NormalRect() const;

    win32::WindowHost host_;
    HWND toolTip_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<ControlWindowBuilder> builder_;
    ControlWindowEvents* events_ = nullptr;
    COLORREF lampColour_ = 0;
    HBRUSH lampBrush_ = nullptr;
};

}  // namespace tarvello::app
