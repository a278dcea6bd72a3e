// The control window's layout: every control with its kind, caption, geometry in twips and visibility.
#pragma once

#include <array>

#include "app/resource_ids.h"

namespace tarvello::app {

enum class ControlKind { kLabel, kTextBox, kButton, kFrame };

struct ControlSpec {
    int id;
    ControlKind kind;
    const wchar_t* caption;
    int frameId;  // 0, or the frame whose inside the geometry is relative to
    int left, top, width, height;
    bool shown;
};

inline constexpr int kClientWidthTwips = 3075;
inline constexpr int kClientHeightTwips = 4785;
inline constexpr wchar_t kDesignCaption[] = L"Tarvello";
inline constexpr wchar_t kHelpToolTip[] = L"Online-Hilfe";

// In creation order, which is also the tab order: the bearing box is the first stop.
inline constexpr std::array<ControlSpec, 19> kControlLayout{{
    {IDC_BEARING_HEADING, ControlKind::kLabel, L"Winkel", 0, 120, 120, 855, 255, true},
    {IDC_BEARING, ControlKind::kTextBox, L"", 0, 120, 480, 615, 375, true},
    {IDC_CALLSIGN_HEADING, ControlKind::kLabel, L"Call", 0, 120, 960, 975, 255, true},
    {IDC_CALLSIGN, ControlKind::kTextBox, L"", 0, 120, 1320, 1815, 375, true},
    {IDC_HELP_BUTTON, ControlKind::kButton, L"?", 0, 2160, 1320, 375, 375, true},
    {IDC_ROTOR_STATUS_FRAME, ControlKind::kFrame, L"Rotorstatus", 0, 120, 1920, 2415, 615, true},
    {IDC_STATUS_LAMP, ControlKind::kLabel, L"", IDC_ROTOR_STATUS_FRAME, 120, 240, 255, 255, true},
    {IDC_STATUS_TEXT, ControlKind::kLabel, L"", IDC_ROTOR_STATUS_FRAME, 600, 240, 1695, 255, true},
    {IDC_KEY_HELP_FRAME, ControlKind::kFrame, L"Programmsteuerung", 0, 120, 2640, 2415, 1695, true},
    {IDC_KEY_HELP_BEARING, ControlKind::kLabel, L"RETURN = Winkel", IDC_KEY_HELP_FRAME, 120, 240, 2175, 255, true},
    {IDC_KEY_HELP_TURN, ControlKind::kLabel, L"F11 = Rotor drehen", IDC_KEY_HELP_FRAME, 120, 600, 2055, 375, true},
    {IDC_KEY_HELP_CLEAR, ControlKind::kLabel, L"Esc = Winkel entfernen", IDC_KEY_HELP_FRAME, 120, 960, 1935, 375, true},
    {IDC_KEY_HELP_STOP, ControlKind::kLabel, L"F8 = Rotor anhalten", IDC_KEY_HELP_FRAME, 120, 1320, 1575, 255, true},
    {IDC_NOTICE, ControlKind::kLabel, L"Tasten wirken in Win-Contest", 0, 120, 4440, 2535, 255, true},
    {IDC_LOCATOR, ControlKind::kTextBox, L"", 0, 2160, 960, 1335, 495, false},
    {IDC_CURRENTBEARING, ControlKind::kTextBox, L"", 0, 2640, 1440, 855, 375, false},
    {IDC_SEND_BEARING_BUTTON, ControlKind::kButton, L"Select", 0, 2880, 2040, 855, 375, false},
    {IDC_LONG_PATH_BUTTON, ControlKind::kButton, L"LP", 0, 2400, 480, 375, 375, false},
    {IDC_TAKE_BEARING_BUTTON, ControlKind::kButton, L"Command1", 0, 2640, 3840, 975, 375, false},
}};

// The key help in "Programmsteuerung", line by line in the order of the rotor actions. The long-path line is not
// in the designed layout: it is made only when that action has a key, below the turn line, and the lines after
// it, the frame, the notice below the frame and the window then grow by one line.
inline constexpr std::array<int, 5> kKeyHelpIds{IDC_KEY_HELP_BEARING, IDC_KEY_HELP_TURN, IDC_KEY_HELP_LONG_PATH,
                                                IDC_KEY_HELP_CLEAR, IDC_KEY_HELP_STOP};
inline constexpr int kKeyHelpLineTwips = 360;
// Chosen keys may make a line longer than the designed label: every line then takes the frame's inner width and
// room for a second line, and the caption font steps down until each fits.
inline constexpr int kChosenKeyHelpWidthTwips = 2175;
inline constexpr int kChosenKeyHelpHeightTwips = 375;

}  // namespace tarvello::app
