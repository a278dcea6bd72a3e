// Creates the control window's children from the layout table, scaled to the window's DPI.
#pragma once

#include <windows.h>

#include "control_window/control_view.h"

namespace tarvello::app {

// Pixels for a length in twips at the given DPI.
int TwipsToPixels(int twips, int dpi);
// The tool tip "Online-Hilfe" of the help button, a top-level window of its own.
HWND CreateHelpToolTip(HWND parent, HWND helpButton);

class ControlWindowBuilder {
public:
    explicit ControlWindowBuilder(int dpi);
    ~ControlWindowBuilder();
    ControlWindowBuilder(const ControlWindowBuilder&) = delete;
    ControlWindowBuilder& operator=(const ControlWindowBuilder&) = delete;

    // Creates every control of the layout inside parent, each with its font.
    void CreateControls(HWND parent);
    // Shows chosen keys in the key help (see kKeyHelpIds) and returns by how many twips the window must grow.
    int LayOutKeyHelp(HWND parent, const KeyHelp& help);

private:
    int dpi_;
    HFONT normalFont_ = nullptr;  // Tahoma 8 pt (smaller where a substitute face is wider), every control but "?"
    HFONT helpFont_ = nullptr;    // bold "MS Sans Serif" 9.75 pt
};

}  // namespace tarvello::app
