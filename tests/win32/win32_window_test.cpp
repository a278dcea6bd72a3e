// The Win32 control window under Wine, without the program behind it: every caption wholly visible at 96 and
// 120 dpi, the help button's font and tool tip, the lamp, the position in twips, keeping on screen, and clicks,
// close and log-off reported in order.
#include "app/win32_control_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/resource_ids.h"

namespace tarvello::app {
namespace {

class RecordingEvents : public ControlWindowEvents {
public:
    void HelpClicked() override { calls.push_back("help"); }
    void SendBearingClicked() override { calls.push_back("select"); }
    void LongPathClicked() override { calls.push_back("lp"); }
    void TakeBearingClicked() override { calls.push_back("take bearing"); }
    void Unloading() override { calls.push_back("unload"); }
    void Destroyed() override { calls.push_back("destroyed"); }
    std::vector<std::string> calls;
};

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

COLORREF BrushColourFor(const Win32ControlWindow& window, int id) {
    HDC dc = GetDC(window.Control(id));
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(window.Control(id))));
    ReleaseDC(window.Control(id), dc);
    LOGBRUSH logBrush{};
    GetObjectW(brush, sizeof logBrush, &logBrush);
    return logBrush.lbColor;
}

// Every caption as the control draws it: wrapped at its own width, it must not need more room than it has. Returns
// how many captions it measured.
int ExpectEveryCaptionFits(const Win32ControlWindow& window, int dpi) {
    HDC dc = GetDC(window.Handle());
    int measured = 0;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {}, className[64] = {};
        GetWindowTextW(child, text, 256);
        GetClassNameW(child, className, 64);
        const bool button = _wcsicmp(className, L"Button") == 0;
        if (text[0] == L'\0' || (!button && _wcsicmp(className, L"Static") != 0))
            continue;
        RECT client{};
        GetClientRect(child, &client);
        if (button)
            InflateRect(&client, -3 * dpi / 96, 0);  // the button's frame
        RECT needed{0, 0, client.right - client.left, 0};
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SCOPED_TRACE(testing::Message() << dpi << " dpi, control " << GetDlgCtrlID(child));
        EXPECT_LE(needed.right, client.right - client.left);
        if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) {
            EXPECT_LE(needed.bottom, client.bottom - client.top);
        }
        ++measured;
    }
    ReleaseDC(window.Handle(), dc);
    return measured;
}

RECT PlaceOf(const Win32ControlWindow& window, int id) {
    RECT r{};
    GetWindowRect(window.Control(id), &r);
    MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(Win32ControlWindowTest, EveryCaptionFitsAt96And120DpiAndTheHelpButtonIsBoldWithItsToolTip) {
    // The longest key help chosen keys can make, with the long-path line that makes the window grow.
    const KeyHelp longest{{L"Strg+Alt+Umschalt+Pfeil rechts = Winkel", L"Strg+Alt+Umschalt+Bild auf = Rotor drehen",
                           L"Strg+Alt+Umschalt+F12 = langer Weg", L"Strg+Alt+Umschalt+Pfeil rechts = Winkel entfernen",
                           L"Strg+Alt+Umschalt+Pfeil unten = Rotor anhalten"},
                          true};
    for (const int dpi : {96, 120}) {
        Win32ControlWindow window(dpi);
        EXPECT_EQ(ExpectEveryCaptionFits(window, dpi), 13);  // seven labels, four buttons, two frames
        RECT client{};
        GetClientRect(window.Handle(), &client);
        const RECT frame = PlaceOf(window, IDC_KEY_HELP_FRAME);
        window.ShowKeyHelp(longest);
        EXPECT_EQ(ExpectEveryCaptionFits(window, dpi), 14) << "the long-path line";
        RECT grown{};
        GetClientRect(window.Handle(), &grown);
        const int line = MulDiv(360, dpi, 1440);
        EXPECT_EQ(grown.bottom - client.bottom, line);
        EXPECT_EQ(PlaceOf(window, IDC_KEY_HELP_FRAME).bottom - frame.bottom, line);
        EXPECT_GE(PlaceOf(window, IDC_NOTICE).top, PlaceOf(window, IDC_KEY_HELP_FRAME).bottom);
        EXPECT_EQ(PlaceOf(window, IDC_KEY_HELP_CLEAR).top - PlaceOf(window, IDC_KEY_HELP_LONG_PATH).top, line);
    }

    Win32ControlWindow window;
    const LOGFONTW help = FontOf(window.Control(IDC_HELP_BUTTON));
    EXPECT_EQ(std::wstring(help.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(help.lfWeight, FW_BOLD);
    EXPECT_EQ(help.lfHeight, -13);  // 9.75 pt at 96 dpi
    EXPECT_EQ(FontOf(window.Control(IDC_KEY_HELP_BEARING)).lfWeight, FW_NORMAL);
    // The tool tip comes from the message loop once the window shows.
    const auto toolTipOf = [&] {
        HWND toolTip = nullptr;
        while ((toolTip = FindWindowExW(nullptr, toolTip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
            if (GetWindow(toolTip, GW_OWNER) == window.Handle())
                return toolTip;
        }
        return HWND{};
    };
    EXPECT_EQ(toolTipOf(), nullptr);
    window.Show();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    wchar_t tip[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(window.Control(IDC_HELP_BUTTON));
    tool.lpszText = tip;
    SendMessageW(toolTipOf(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(tip), L"Online-Hilfe");
}

TEST(Win32ControlWindowTest, LampPaintsButtonFaceFirstThenPlainAndSystemColours) {
    Win32ControlWindow window;
    EXPECT_EQ(BrushColourFor(window, IDC_STATUS_LAMP), GetSysColor(COLOR_BTNFACE));
    window.SetLampColour(0x0000FF00);  // green
    EXPECT_EQ(BrushColourFor(window, IDC_STATUS_LAMP), RGB(0, 255, 0));
    window.SetLampColour(0x80000000u | COLOR_HIGHLIGHT);
    EXPECT_EQ(BrushColourFor(window, IDC_STATUS_LAMP), GetSysColor(COLOR_HIGHLIGHT));

    // Red, then two system colours Windows does not know, which leave the lamp as it is.
    for (const std::uint32_t colour : {0x000000FFu, 0x800000FFu, 0x80010005u})
        window.SetLampColour(colour);
    EXPECT_EQ(BrushColourFor(window, IDC_STATUS_LAMP), RGB(255, 0, 0));
    EXPECT_NE(BrushColourFor(window, IDC_STATUS_TEXT), RGB(255, 0, 0));  // other labels keep their background
}

TEST(Win32ControlWindowTest, PositionInTwipsRoundTripsBadValuesAreIgnoredAndLostWindowsComeBack) {
    Win32ControlWindow window;
    const auto place = [&](double left, double top) {
        window.SetLeftTwips(left);
        window.SetTopTwips(top);
    };
    const auto twips = [&] { return std::pair(window.LeftTwips(), window.TopTwips()); };
    RECT rect{};
    place(1560, 2175);
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.left, rect.top), std::pair(104L, 145L));
    window.SetLeftTwips(-120);
    EXPECT_EQ(window.LeftTwips(), -120);
    window.SetLeftTwips(1567.4);  // between two pixels: the nearer one
    window.SetTopTwips(std::numeric_limits<double>::quiet_NaN());
    window.SetLeftTwips(std::numeric_limits<double>::infinity());
    EXPECT_EQ(twips(), std::pair(1560.0, 2175.0));
    window.KeepOnScreen();  // on screen: stays where it is
    EXPECT_EQ(twips(), std::pair(1560.0, 2175.0));

    // Far off to the top left it lands in the work area's top-left corner, to the bottom right in that one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    place(-50000, -50000);
    window.KeepOnScreen();
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.left, rect.top), std::pair(monitor.rcWork.left, monitor.rcWork.top));
    place(400000, 400000);
    window.KeepOnScreen();
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.right, rect.bottom), std::pair(monitor.rcWork.right, monitor.rcWork.bottom));

    // Minimised or maximised, the position is the one the window comes back to.
    place(1560, 2175);
    for (const int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ShowWindow(window.Handle(), show);
        EXPECT_EQ(twips(), std::pair(1560.0, 2175.0)) << show;
        ShowWindow(window.Handle(), SW_RESTORE);
    }
    ShowWindow(window.Handle(), SW_HIDE);

    // The default place is the top right of the work area, 240 twips from the edges.
    window.PlaceAtDefaultPosition();
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.right, rect.top), std::pair(monitor.rcWork.right - 16, monitor.rcWork.top + 16));
}

TEST(Win32ControlWindowTest, ClicksCloseAndLogOffReachTheListenerInOrder) {
    Win32ControlWindow window;
    RecordingEvents events;
    window.SetEvents(&events);
    SendMessageW(window.Control(IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    for (int id : {IDC_SEND_BEARING_BUTTON, IDC_LONG_PATH_BUTTON, IDC_TAKE_BEARING_BUTTON})
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.Control(id)));
    // Boxes and commands without a control report nothing.
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BEARING, EN_CHANGE),
                 reinterpret_cast<LPARAM>(window.Control(IDC_BEARING)));
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"help", "select", "lp", "take bearing"}));

    // Log-off and shut-down close the window like its close box; a log-off that is called off changes nothing,
    // and destroying it from the program (message 0 here) does not run the unload.
    const struct {
        UINT message;
        WPARAM wParam;
        std::vector<std::string> expected;
    } ends[] = {{WM_CLOSE, 0, {"unload", "destroyed"}},
                {WM_ENDSESSION, TRUE, {"unload", "destroyed"}},
                {WM_ENDSESSION, FALSE, {}},
                {0, 0, {"destroyed"}}};
    for (const auto& [message, wParam, expected] : ends) {
        Win32ControlWindow closing;
        RecordingEvents closingEvents;
        closing.SetEvents(&closingEvents);
        EXPECT_EQ(SendMessageW(closing.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
        message == 0 ? closing.Destroy() : void(SendMessageW(closing.Handle(), message, wParam, 0));
        EXPECT_EQ(closingEvents.calls, expected);
        EXPECT_EQ(IsWindow(closing.Handle()) == FALSE, !expected.empty());
        if (!expected.empty()) {
            // The gone window answers with empty texts and ignores further calls.
            closing.SetText(ViewField::kBearing, L"123");
            EXPECT_EQ(closing.Text(ViewField::kBearing), L"");
            closing.Destroy();
            EXPECT_EQ(closingEvents.calls, expected);
        }
    }
}

}  // namespace
}  // namespace tarvello::app
