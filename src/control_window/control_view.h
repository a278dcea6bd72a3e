// The control window's widgets as the logic sees them: a recording view in tests, real Win32 controls in
// the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvello {

// The boxes and labels whose text the logic reads or writes.
enum class ViewField { kBearing, kCallsign, kLocator, kCurrentBearing, kStatusText };

// The key help in "Programmsteuerung": one line per rotor action, in the order take the bearing, turn, turn on the
// long path, clear, stop. The long-path line shows only when that action has a key; the frame, the notice below
// it and the window then grow by one line.
struct KeyHelp {
    std::array<std::wstring, 5> lines;
    bool showLongPath = false;
};

class ControlView {
public:
    virtual ~ControlView() = default;
    virtual std::wstring Text(ViewField field) const = 0;
    virtual void SetText(ViewField field, const std::wstring& text) = 0;
    virtual void SetLampColour(std::uint32_t colourWord) = 0;  // 0x00BBGGRR, or 0x80000000 + system colour index
    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual void ShowKeyHelp(const KeyHelp& help) = 0;
    virtual std::wstring Caption() const = 0;
    // Position of the window's outer left and top edges, in twips.
    virtual double LeftTwips() const = 0;
    virtual double TopTwips() const = 0;
    virtual void SetLeftTwips(double twips) = 0;
    virtual void SetTopTwips(double twips) = 0;
    // Moves the window to a sensible default place on the primary work area (first start, no stored position).
    virtual void PlaceAtDefaultPosition() = 0;
    // Keeps the window on a monitor: a stored position that lies off every monitor is moved onto the nearest
    // work area.
    virtual void KeepOnScreen() = 0;
    virtual void Show() = 0;
    // Destroys the window. The unload handler has already run: the logic calls it before this, and the Win32
    // window's close message calls it before destroying itself.
    virtual void Destroy() = 0;
};

}  // namespace tarvello
