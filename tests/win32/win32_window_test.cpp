// The Win32 control window under Wine, without the program behind it: every caption wholly visible at 96 and
// 120 dpi, the help button's font and tool tip, the lamp, the fields, the position in twips, keeping on
// screen, and clicks, close and log-off reported in order.
#include "app/win32_control_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/resource_ids.h"

namespace tarvello::app {
namespace {

using Rect = std::array<LONG, 4>;  // left, top, right, bottom

class RecordingEvents : public ControlWindowEvents {
public:
    void HelpClicked() override { calls.push_back("help"); }
    void SelectBearingClicked() override { calls.push_back("select"); }
    void LongPathClicked() override { calls.push_back("lp"); }
    void Command1Clicked() override { calls.push_back("command1"); }
    void Unloading() override { calls.push_back("unload"); }
    void Destroyed() override { calls.push_back("destroyed"); }
    std::vector<std::string> calls;
};

std::wstring TextOf(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::string ToUtf8(const std::wstring& text) {
    std::string bytes(text.size() * 3 + 1, '\0');
    bytes.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                                static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

// The rectangle in the parent's client coordinates, or on the screen for a top-level window.
Rect RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

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

// Every caption as the control draws it: wrapped at its own width, it must not need more room than it has.
TEST(Win32ControlWindowTest, EveryLabelAndButtonShowsItsWholeTextAt96And120Dpi) {
    for (const int dpi : {96, 120}) {
        Win32ControlWindow window(dpi);
        HDC dc = GetDC(window.Handle());
        int measured = 0;
        for (HWND child = GetWindow(window.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring text = TextOf(child);
            const bool button = _wcsicmp(ClassOf(child).c_str(), L"Button") == 0;
            if (text.empty() || (!button && _wcsicmp(ClassOf(child).c_str(), L"Static") != 0))
                continue;
            RECT client{};
            GetClientRect(child, &client);
            const bool frame = (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
            if (button)
                InflateRect(&client, -3 * dpi / 96, 0);  // the button's frame
            RECT needed{0, 0, client.right - client.left, 0};
            HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
            DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, previous);
            EXPECT_LE(needed.right, client.right - client.left) << dpi << " dpi: " << ToUtf8(text);
            if (!frame) {
                EXPECT_LE(needed.bottom, client.bottom - client.top) << dpi << " dpi: " << ToUtf8(text);
            }
            ++measured;
        }
        ReleaseDC(window.Handle(), dc);
        EXPECT_EQ(measured, 13);  // seven labels, four buttons, two frames
    }
}

TEST(Win32ControlWindowTest, FixedSizeHiddenWindowWithCaptionFieldsAndTabOrder) {
    Win32ControlWindow window;
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(205L, 319L));  // 3075 x 4785 twips
    const LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_VISIBLE | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
    EXPECT_EQ(ClassOf(window.Handle()), L"TarvelloControlWindow");
    EXPECT_EQ(window.Caption(), L"Tarvello");
    window.SetCaption(L"Tarvello 1.0.0 \u00e4");
    EXPECT_EQ(TextOf(window.Handle()), L"Tarvello 1.0.0 \u00e4");
    // The bearing box is the first stop of the tab order.
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), nullptr, FALSE), window.Control(IDC_BEARING));

    const std::pair<ViewField, int> fields[] = {{ViewField::kBearing, IDC_BEARING},
                                                {ViewField::kText1, IDC_TEXT1},
                                                {ViewField::kText2, IDC_TEXT2},
                                                {ViewField::kCurrentBearing, IDC_CURRENTBEARING},
                                                {ViewField::kStatusText, IDC_LABEL9}};
    for (const auto& [field, id] : fields) {
        const std::wstring value = L"DL1ABC \u00f6 " + std::to_wstring(id);
        window.SetText(field, value);
        EXPECT_EQ(TextOf(window.Control(id)), value);
        EXPECT_EQ(window.Text(field), value);
    }
}

TEST(Win32ControlWindowTest, HelpButtonIsBoldMsSansSerifWithItsToolTip) {
    Win32ControlWindow window;
    const LOGFONTW help = FontOf(window.Control(IDC_COMMAND2));
    EXPECT_EQ(std::wstring(help.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(help.lfWeight, FW_BOLD);
    EXPECT_EQ(help.lfHeight, -13);  // 9.75 pt at 96 dpi
    EXPECT_EQ(FontOf(window.Control(IDC_LABEL3)).lfWeight, FW_NORMAL);

    ASSERT_NE(window.HelpToolTip(), nullptr);
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(window.Control(IDC_COMMAND2));
    tool.lpszText = text;
    SendMessageW(window.HelpToolTip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), L"Online-Hilfe");
}

TEST(Win32ControlWindowTest, LampPaintsButtonFaceFirstThenPlainAndSystemColours) {
    Win32ControlWindow window;
    EXPECT_EQ(window.LampColour(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(BrushColourFor(window, IDC_LABEL8), GetSysColor(COLOR_BTNFACE));
    window.SetLampColour(0x0000FF00);  // green
    EXPECT_EQ(window.LampColour(), RGB(0, 255, 0));
    EXPECT_EQ(BrushColourFor(window, IDC_LABEL8), RGB(0, 255, 0));
    window.SetLampColour(0x80000000u | COLOR_HIGHLIGHT);
    EXPECT_EQ(BrushColourFor(window, IDC_LABEL8), GetSysColor(COLOR_HIGHLIGHT));

    // A system colour Windows does not know leaves the lamp as it is.
    window.SetLampColour(0x000000FF);
    window.SetLampColour(0x800000FFu);
    window.SetLampColour(0x80010005u);
    EXPECT_EQ(BrushColourFor(window, IDC_LABEL8), RGB(255, 0, 0));
    EXPECT_NE(BrushColourFor(window, IDC_LABEL9), RGB(255, 0, 0));  // other labels keep their background
}

TEST(Win32ControlWindowTest, PositionInTwipsRoundTripsBadValuesAreIgnoredAndLostWindowsComeBack) {
    Win32ControlWindow window;
    window.SetLeftTwips(1560);
    window.SetTopTwips(2175);
    EXPECT_EQ(RectOf(window.Handle())[0], 104);
    EXPECT_EQ(RectOf(window.Handle())[1], 145);
    window.SetLeftTwips(-120);
    EXPECT_EQ(window.LeftTwips(), -120);
    window.SetLeftTwips(1567.4);  // between two pixels: the nearer one
    window.SetTopTwips(std::numeric_limits<double>::quiet_NaN());
    window.SetLeftTwips(std::numeric_limits<double>::infinity());
    EXPECT_EQ(std::pair(window.LeftTwips(), window.TopTwips()), std::pair(1560.0, 2175.0));
    window.KeepOnScreen();  // on screen: stays where it is
    EXPECT_EQ(std::pair(window.LeftTwips(), window.TopTwips()), std::pair(1560.0, 2175.0));

    // Far off to the top left it lands in the work area's top-left corner, to the bottom right in that one.
    window.SetLeftTwips(-50000);
    window.SetTopTwips(-50000);
    window.KeepOnScreen();
    RECT rect{};
    GetWindowRect(window.Handle(), &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(std::pair(rect.left, rect.top), std::pair(monitor.rcWork.left, monitor.rcWork.top));
    window.SetLeftTwips(400000);
    window.SetTopTwips(400000);
    window.KeepOnScreen();
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.right, rect.bottom), std::pair(monitor.rcWork.right, monitor.rcWork.bottom));

    // Minimised or maximised, the position is the one the window comes back to.
    window.SetLeftTwips(1560);
    window.SetTopTwips(2175);
    for (const int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ShowWindow(window.Handle(), show);
        EXPECT_EQ(std::pair(window.LeftTwips(), window.TopTwips()), std::pair(1560.0, 2175.0)) << show;
        ShowWindow(window.Handle(), SW_RESTORE);
    }
    ShowWindow(window.Handle(), SW_HIDE);

    // The default place is the top right of the work area, 240 twips from the edges.
    window.PlaceAtDefaultPosition();
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(std::pair(rect.right, rect.top), std::pair(monitor.rcWork.right - 16, monitor.rcWork.top + 16));
}

TEST(Win32ControlWindowTest, ClicksAndCloseReachTheListenerInOrder) {
    Win32ControlWindow window;
    RecordingEvents events;
    window.SetEvents(&events);
    SendMessageW(window.Control(IDC_COMMAND2), BM_CLICK, 0, 0);
    for (int id : {IDC_SELECTBEARINGCMD, IDC_LPCMD, IDC_COMMAND1})
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.Control(id)));
    // Boxes and commands without a control report nothing.
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BEARING, EN_CHANGE),
                 reinterpret_cast<LPARAM>(window.Control(IDC_BEARING)));
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"help", "select", "lp", "command1", "unload", "destroyed"}));
    EXPECT_FALSE(IsWindow(window.Handle()));
    // The gone window answers with empty texts and ignores further calls.
    window.SetText(ViewField::kBearing, L"123");
    EXPECT_EQ(window.Text(ViewField::kBearing), L"");
    window.Destroy();
    EXPECT_EQ(events.calls.size(), 6u);

    // Log-off and shut-down close the window like its close box; a log-off that is called off changes nothing.
    for (const bool ending : {false, true}) {
        Win32ControlWindow session;
        RecordingEvents sessionEvents;
        session.SetEvents(&sessionEvents);
        EXPECT_EQ(SendMessageW(session.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
        SendMessageW(session.Handle(), WM_ENDSESSION, ending, 0);
        const std::vector<std::string> expected =
            ending ? std::vector<std::string>{"unload", "destroyed"} : std::vector<std::string>{};
        EXPECT_EQ(sessionEvents.calls, expected);
        EXPECT_EQ(IsWindow(session.Handle()) != FALSE, !ending);
    }

    // Destroying from the program does not run the unload.
    Win32ControlWindow other;
    RecordingEvents otherEvents;
    other.SetEvents(&otherEvents);
    other.Destroy();
    EXPECT_EQ(otherEvents.calls, (std::vector<std::string>{"destroyed"}));
}

}  // namespace
}  // namespace tarvello::app
