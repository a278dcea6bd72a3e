// The control window on Win32: one small handler per message; positions kept in twips at the window's DPI.
#include "app/win32_control_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "app/control_layout.h"

namespace tarvello::app {
namespace {

// No WS_CLIPCHILDREN: the group boxes do not paint their inside, the window underneath does.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
// Window coordinates beyond 16 bits are not kept reliably by Windows; a larger stored value is cut to this.
constexpr double kLargestCoordinate = 32767.0;
// The default place keeps this distance (1/6 inch) from the work area's top and right edges.
constexpr int kDefaultMarginTwips = 240;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

// Pixels for a position in twips; a non-finite value has none, and the window stays where it is.
bool TwipsToCoordinate(double twips, int dpi, int& pixels) {
    if (!std::isfinite(twips))
        return false;
    const double value = std::clamp(std::round(twips * dpi / 1440.0), -kLargestCoordinate, kLargestCoordinate);
    pixels = static_cast<int>(value);
    return true;
}

}  // namespace

Win32ControlWindow::Win32ControlWindow(int dpi)
    : dpi_(dpi > 0 ? dpi : ScreenDpi()), builder_(std::make_unique<ControlWindowBuilder>(dpi_)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::WindowClassLook look;
    look.icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TARVELLO));
    look.smallIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TARVELLO), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    look.cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    look.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host_.Create(kClassName, look, kExStyle, kDesignCaption, kStyle,
                 {0, 0, frame.right - frame.left, frame.bottom - frame.top, nullptr},
                 [this](UINT message, WPARAM wParam, LPARAM lParam) { return HandleMessage(message, wParam, lParam); });
    builder_->CreateControls(Handle());
    SetLampColour(kSystemColourFlag | COLOR_BTNFACE);
    PlaceAtDefaultPosition();
}

Win32ControlWindow::~Win32ControlWindow() {
    events_ = nullptr;
    host_.Destroy();
    if (lampBrush_ != nullptr)
        DeleteObject(lampBrush_);
}

HWND Win32ControlWindow::FieldControl(ViewField field) const {
    switch (field) {
        case ViewField::kBearing:
            return Control(IDC_BEARING);
        case ViewField::kCallsign:
            return Control(IDC_CALLSIGN);
        case ViewField::kLocator:
            return Control(IDC_LOCATOR);
        case ViewField::kCurrentBearing:
            return Control(IDC_CURRENTBEARING);
        case ViewField::kStatusText:
            return Control(IDC_STATUS_TEXT);
    }
    return nullptr;
}

std::wstring Win32ControlWindow::Text(ViewField field) const {
    return WindowText(FieldControl(field));
}

void Win32ControlWindow::SetText(ViewField field, const std::wstring& text) {
    SetWindowTextW(FieldControl(field), text.c_str());
}

void Win32ControlWindow::SetLampColour(std::uint32_t colourWord) {
    COLORREF colour = colourWord & 0x00FFFFFFu;
    if ((colourWord & kSystemColourFlag) != 0) {
        const int index = static_cast<int>(colourWord & 0xFFu);
        // An index Windows does not know has no colour: the lamp keeps the one it shows.
        if ((colourWord & 0x7FFFFF00u) != 0 || GetSysColorBrush(index) == nullptr)
            return;
        colour = GetSysColor(index);
    }
    if (lampBrush_ != nullptr)
        DeleteObject(lampBrush_);
    lampBrush_ = CreateSolidBrush(colour);
    lampColour_ = colour;
    InvalidateRect(Control(IDC_STATUS_LAMP), nullptr, TRUE);
}

void Win32ControlWindow::SetCaption(const std::wstring& caption) {
    SetWindowTextW(Handle(), caption.c_str());
}

void Win32ControlWindow::ShowKeyHelp(const KeyHelp& help) {
    // The keys as designed keep the designed layout to the pixel.
    const auto designed = [&](std::size_t line, int id) {
        return help.lines[line] == std::find_if(kControlLayout.begin(), kControlLayout.end(), [id](const auto& spec) {
                                       return spec.id == id;
                                   })->caption;
    };
    if (!help.showLongPath && designed(0, IDC_KEY_HELP_BEARING) && designed(1, IDC_KEY_HELP_TURN) &&
        designed(3, IDC_KEY_HELP_CLEAR) && designed(4, IDC_KEY_HELP_STOP))
        return;
    const int growth = builder_->LayOutKeyHelp(Handle(), help);
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips + growth, dpi_)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring Win32ControlWindow::Caption() const {
    return WindowText(Handle());
}

RECT Win32ControlWindow::OuterRect() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    return rect;
}

RECT Win32ControlWindow::NormalRect() const {
    if (!IsIconic(Handle()) && !IsZoomed(Handle()))
        return OuterRect();
    // A minimised window sits at a placeholder far off screen, a maximised one fills the monitor: the place to
    // keep is the one it comes back to. The placement is in work-area coordinates, which are offset from the
    // screen's when a task bar sits at the left or top.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Handle(), &placement);
    RECT rect = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &monitor))
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return rect;
}

double Win32ControlWindow::LeftTwips() const {
    return NormalRect().left * 1440.0 / dpi_;
}

double Win32ControlWindow::TopTwips() const {
    return NormalRect().top * 1440.0 / dpi_;
}

void Win32ControlWindow::SetLeftTwips(double twips) {
    int x = 0;
    if (TwipsToCoordinate(twips, dpi_, x))
        MoveTo(x, OuterRect().top);
}

void Win32ControlWindow::SetTopTwips(double twips) {
    int y = 0;
    if (TwipsToCoordinate(twips, dpi_, y))
        MoveTo(OuterRect().left, y);
}

void Win32ControlWindow::MoveTo(int x, int y) {
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlWindow::PlaceAtDefaultPosition() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT outer = OuterRect();
    const int margin = TwipsToPixels(kDefaultMarginTwips, dpi_);
    const int x = std::max(work.left, work.right - (outer.right - outer.left) - margin);
    MoveTo(x, work.top + margin);
}

void Win32ControlWindow::KeepOnScreen() {
    RECT outer = OuterRect();
    if (MonitorFromRect(&outer, MONITOR_DEFAULTTONULL) != nullptr)
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int x = std::max<LONG>(work.left, std::min<LONG>(outer.left, work.right - width));
    const int y = std::max<LONG>(work.top, std::min<LONG>(outer.top, work.bottom - height));
    MoveTo(x, y);
}

void Win32ControlWindow::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    // The tool tip is a top-level window of its own that the start does not need: it comes from the message loop
    // once the window shows.
    PostMessageW(Handle(), kCreateToolTipMessage, 0, 0);
}

void Win32ControlWindow::MakeHelpToolTip() {
    if (toolTip_ == nullptr)
        toolTip_ = CreateHelpToolTip(Handle(), Control(IDC_HELP_BUTTON));
}

void Win32ControlWindow::Destroy() {
    host_.Destroy();
}

void Win32ControlWindow::OnCommand(int id) {
    if (events_ == nullptr)
        return;
    switch (id) {
        case IDC_HELP_BUTTON:
            events_->HelpClicked();
            break;
        case IDC_SEND_BEARING_BUTTON:
            events_->SendBearingClicked();
            break;
        case IDC_LONG_PATH_BUTTON:
            events_->LongPathClicked();
            break;
        case IDC_TAKE_BEARING_BUTTON:
            events_->TakeBearingClicked();
            break;
        default:
            break;
    }
}

void Win32ControlWindow::OnClose() {
    // The unload handler never cancels the close.
    if (events_ != nullptr)
        events_->Unloading();
    Destroy();
}

void Win32ControlWindow::OnEndSession(bool ending) {
    // Log-off and shut-down end the process soon after this message returns: the window closes now, as if the
    // operator had closed it, so that the position and the release text are saved.
    if (ending)
        OnClose();
}

LRESULT Win32ControlWindow::OnControlColour(HDC dc, HWND control) {
    if (control == Control(IDC_STATUS_LAMP)) {
        SetBkColor(dc, lampColour_);
        return reinterpret_cast<LRESULT>(lampBrush_);
    }
    return DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT Win32ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0)
                OnCommand(LOWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // the window never holds up a log-off
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case kCreateToolTipMessage:
            MakeHelpToolTip();
            return 0;
        case WM_DESTROY:
            if (events_ != nullptr)
                events_->Destroyed();
            return 0;
        default:
            return host_.Default(message, wParam, lParam);
    }
}

}  // namespace tarvello::app
