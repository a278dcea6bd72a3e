// Fuzzes the window finder's pattern matcher: any pattern and text, split at the first NUL byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "automation/pattern_match.h"
#include "platform/sim/sim_codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::wstring pattern = tarvello::DecodeCp1252(bytes.substr(0, split));
    const std::wstring text = split == std::string::npos ? L"" : tarvello::DecodeCp1252(bytes.substr(split + 1));
    const tarvello::WildcardPattern compiled(pattern);
    const bool matches = compiled.Matches(text);
    // Whatever the pattern, '*' around it can only widen the match.
    if (matches && compiled.IsWellFormed() && !tarvello::MatchesPattern(text, L"*" + pattern + L"*"))
        __builtin_trap();
    if (!compiled.IsWellFormed() && matches)
        __builtin_trap();
    return 0;
}
