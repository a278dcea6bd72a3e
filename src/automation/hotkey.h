// One key the operator chooses for a rotor action, written in the notation of the program's SendKeys strings:
// "{F8}", "{ENTER}" or "~", one letter or digit, with any of "^" (Ctrl), "%" (Alt) and "+" (Shift) before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvello {

struct Hotkey {
    std::int32_t virtualKey = 0;
    // Without modifiers the key fires whatever Ctrl, Alt and Shift are doing; with any, only while exactly
    // those are down.
    bool ctrl = false;
    bool alt = false;
    bool shift = false;

    bool HasModifiers() const { return ctrl || alt || shift; }
    bool operator==(const Hotkey&) const = default;
};

// The one key that text names, blanks around it ignored, brace names and letters in any letter case (a letter
// names its key: Shift is "+"). Brace names are those of the key-name table and "F1" to "F24". nullopt for
// anything else: an unknown name, two keys, a modifier alone or twice, a broken brace, a repeat count, a control
// byte.
std::optional<Hotkey> ParseHotkey(std::wstring_view text);

}  // namespace tarvello
