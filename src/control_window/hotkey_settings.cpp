// Section "TASTEN" of the INI file and the key help; see hotkey_settings.h.
#include "control_window/hotkey_settings.h"

#include <algorithm>

#include "control_window/control_texts.h"
#include "settings/ini_access.h"

namespace tarvello {
namespace {

struct ActionNames {
    std::wstring_view iniKey;
    std::wstring_view keyHelp;
};
constexpr std::array<ActionNames, kRotorActionCount> kActionNames{{
    {L"Peilung", L"Winkel"},
    {L"Drehen", L"Rotor drehen"},
    {L"LangerWeg", L"langer Weg"},
    {L"Loeschen", L"Winkel entfernen"},
    {L"Stopp", L"Rotor anhalten"},
}};

// Two defaults no INI value can equal both of: a key that is absent reads back as whichever is asked for.
constexpr wchar_t kAbsentMarker[] = L"\x01";
constexpr wchar_t kOtherAbsentMarker[] = L"\x02";

struct KeyLabelEntry {
    std::int32_t virtualKey;
    std::wstring_view label;  // cppcheck-suppress unusedStructMember
};
// The keys the notation can name besides letters, digits and function keys, as a German keyboard calls them.
constexpr std::array<KeyLabelEntry, 17> kKeyLabels{{
    {0x0D, L"RETURN"},
    {0x1B, L"Esc"},
    {0x09, L"Tab"},
    {0x08, L"R\u00fcck"},
    {0x2E, L"Entf"},
    {0x2D, L"Einfg"},
    {0x24, L"Pos1"},
    {0x23, L"Ende"},
    {0x21, L"Bild auf"},
    {0x22, L"Bild ab"},
    {0x26, L"Pfeil oben"},
    {0x28, L"Pfeil unten"},
    {0x25, L"Pfeil links"},
    {0x27, L"Pfeil rechts"},
    {0x14, L"Feststell"},
    {0x90, L"Num"},
    {0x91, L"Rollen"},
}};
constexpr std::int32_t kF1Key = 0x70;
constexpr std::int32_t kF24Key = 0x87;

std::wstring KeyLabel(std::int32_t virtualKey) {
    if (virtualKey >= kF1Key && virtualKey <= kF24Key)
        return L"F" + std::to_wstring(virtualKey - kF1Key + 1);
    const auto named = std::find_if(kKeyLabels.begin(), kKeyLabels.end(),
                                    [virtualKey](const KeyLabelEntry& name) { return name.virtualKey == virtualKey; });
    if (named != kKeyLabels.end())
        return std::wstring(named->label);
    return std::wstring(1, static_cast<wchar_t>(virtualKey));  // a letter or a digit
}

}  // namespace

HotkeyTable DefaultHotkeys() {
    constexpr std::int32_t kReturn = 0x0D, kF11 = 0x7A, kEscape = 0x1B, kF8 = 0x77;
    return {Hotkey{kReturn}, Hotkey{kF11}, std::nullopt, Hotkey{kEscape}, Hotkey{kF8}};
}

HotkeyTable ReadHotkeys(IniAccess& ini,
                        const std::function<void(std::wstring_view iniKey, const std::wstring& value)>& reportInvalid) {
    HotkeyTable keys = DefaultHotkeys();
    const std::wstring section(texts::kHotkeySection);
    for (std::size_t i = 0; i < kRotorActionCount; ++i) {
        const std::wstring name(kActionNames[i].iniKey);
        const std::wstring value = ini.ReadEntry(section, name, kAbsentMarker);
        if (value == kAbsentMarker && ini.ReadEntry(section, name, kOtherAbsentMarker) == kOtherAbsentMarker)
            continue;
        if (value.empty()) {
            keys[i].reset();
        } else if (const auto key = ParseHotkey(value)) {
            keys[i] = key;
        } else {
            reportInvalid(kActionNames[i].iniKey, value);
        }
    }
    return keys;
}

std::wstring HotkeyLabel(const Hotkey& key) {
    std::wstring label;
    if (key.ctrl)
        label += texts::kCtrlPrefix;
    if (key.alt)
        label += texts::kAltPrefix;
    if (key.shift)
        label += texts::kShiftPrefix;
    return label + KeyLabel(key.virtualKey);
}

std::array<std::wstring, kRotorActionCount> KeyHelpLines(const HotkeyTable& keys) {
    std::array<std::wstring, kRotorActionCount> lines;
    for (std::size_t i = 0; i < kRotorActionCount; ++i) {
        const std::wstring action(kActionNames[i].keyHelp);
        lines[i] = keys[i] ? HotkeyLabel(*keys[i]) + std::wstring(texts::kKeyHelpEquals) + action
                           : action + std::wstring(texts::kNoKey);
    }
    return lines;
}

}  // namespace tarvello
