// The keys of the five rotor actions: what section "TASTEN" of the INI file says, or the defaults, and how the
// key help in "Programmsteuerung" names them.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "automation/hotkey.h"

namespace tarvello {

class IniAccess;

// In the order a poller tick runs them.
enum class RotorAction { kTakeBearing, kTurnShortPath, kTurnLongPath, kClearBearing, kStopRotor };
inline constexpr std::size_t kRotorActionCount = 5;

// Each action's key, in RotorAction order; nullopt: the action has no key.
using HotkeyTable = std::array<std::optional<Hotkey>, kRotorActionCount>;

// Return, F11, no long-path key, Esc, F8.
HotkeyTable DefaultHotkeys();

// Reads the five keys once. A missing key keeps its default, an empty value leaves the action without a key, and a
// value that names no single key keeps the default and goes to reportInvalid with the INI key's name. The program
// never writes the section.
HotkeyTable ReadHotkeys(IniAccess& ini,
                        const std::function<void(std::wstring_view iniKey, const std::wstring& value)>& reportInvalid);

// "RETURN", "F11", "Esc", "Strg+F8", "Alt+L": how the key help names a key.
std::wstring HotkeyLabel(const Hotkey& key);

// The key help's lines in RotorAction order: "F11 = Rotor drehen", or "langer Weg: keine Taste".
std::array<std::wstring, kRotorActionCount> KeyHelpLines(const HotkeyTable& keys);

}  // namespace tarvello
