// libFuzzer target for the keys an operator writes into section "TASTEN": whatever the value, reading it never
// crashes and ends in exactly one of three ways (a key, no key, or one report with the default kept), a key is
// a real virtual-key code with a name in the key help, and neither blanks around it nor the letter case of a
// brace name change what it means.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/hotkey.h"
#include "control_window/hotkey_settings.h"
#include "platform/sim/sim_codepage.h"
#include "platform/sim/sim_desktop.h"
#include "settings/ini_access.h"

namespace {

std::wstring LowerBraceNames(const std::wstring& text) {
    std::wstring lower = text;
    bool inBraces = false;
    for (wchar_t& c : lower) {
        inBraces = c == L'{' ? true : c == L'}' ? false : inBraces;
        if (inBraces && c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

void CheckParse(const std::wstring& value) {
    const auto key = tarvello::ParseHotkey(value);
    if (tarvello::ParseHotkey(L"  " + value + L" ") != key || tarvello::ParseHotkey(LowerBraceNames(value)) != key)
        std::abort();
    if (key && (key->virtualKey < 1 || key->virtualKey > 255 || tarvello::HotkeyLabel(*key).empty()))
        std::abort();
}

// The value as the INI file holds it for "Stopp": one line, so without CR, LF and NUL.
void CheckRead(std::string bytes) {
    std::erase_if(bytes, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    tarvello::sim::SimDesktop desk;
    desk.files.Write(L"C:\\t.ini", "[TASTEN]\r\nStopp=" + bytes + "\r\n");
    tarvello::IniAccess ini(desk.profile);
    ini.SetIniFile(L"C:\\t.ini");
    int reports = 0;
    const auto keys = tarvello::ReadHotkeys(
        ini, [&](std::wstring_view name, const std::wstring&) { reports += name == L"Stopp" ? 1 : 100; });
    const auto& stop = keys[static_cast<std::size_t>(tarvello::RotorAction::kStopRotor)];
    const auto defaults = tarvello::DefaultHotkeys();
    const bool keptDefault = stop == defaults[static_cast<std::size_t>(tarvello::RotorAction::kStopRotor)];
    if (reports > 1 || (reports == 1 && !keptDefault))
        std::abort();
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
        if (keys[i] != defaults[i])
            std::abort();  // only "Stopp" was written
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckParse(tarvello::DecodeCp1252(bytes));
    CheckRead(bytes);
    return 0;
}
