// libFuzzer target for the executes other programs send to Tarvello|DDEClient: the parser must never crash,
// must accept only three digits followed by "start" in any letter case, and the window must answer every
// execute with the parser's verdict while connecting only for accepted ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dde_link/execute_command.h"
#include "dde_link/hidden_dde_window.h"
#include "platform/sim/sim_codepage.h"
#include "platform/sim/sim_desktop.h"

namespace {

// The two halves of the input give two ways in: single-byte text as a DDE client sends it, and UTF-16.
std::wstring WideFrom(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

bool LooksLikeStart(const std::wstring& s) {
    if (s.size() != 8)
        return false;
    for (int i = 0; i < 3; ++i) {
        if (s[i] < L'0' || s[i] > L'9')
            return false;
    }
    static const wchar_t kUpper[] = L"START";
    static const wchar_t kLower[] = L"start";
    for (int i = 0; i < 5; ++i) {
        if (s[3 + i] != kUpper[i] && s[3 + i] != kLower[i])
            return false;
    }
    return true;
}

void Check(const std::wstring& command) {
    const auto parsed = tarvello::ParseStartCommand(command);
    if (parsed.has_value() != LooksLikeStart(command))
        std::abort();
    if (parsed && *parsed != (command[0] - L'0') * 100 + (command[1] - L'0') * 10 + (command[2] - L'0')) {
        std::abort();
    }

    tarvello::sim::SimDesktop desk;
    int connects = 0;
    tarvello::HiddenDdeWindow window(
        desk.dde, desk.shell, desk.loop, [&](std::int16_t) { ++connects; }, [] {});
    if (window.OnExecute(command) != parsed.has_value())
        std::abort();
    if (connects != (parsed ? 1 : 0))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(tarvello::DecodeCp1252(std::string(reinterpret_cast<const char*>(data), size)));
    Check(WideFrom(data, size));
    return 0;
}
