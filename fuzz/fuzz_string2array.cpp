// Fuzzes String2Array and Array2String: no crash on any input, and elements free of the separator, of
// quotes and of outer spaces survive a round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/program_error.h"
#include "platform/sim/sim_codepage.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "settings/ini_access.h"

namespace {

bool FitsRoundTrip(const std::wstring& element, const std::wstring& sep) {
    if (element.find(L'"') != std::wstring::npos)
        return false;
    if (!element.empty() && (element.front() == L' ' || element.back() == L' '))
        return false;
    return sep.empty() || element.find(sep) == std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Input: separator, NUL, then the text to split.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    if (split == std::string::npos)
        return -1;
    const std::wstring sep = tarvello::DecodeCp1252(bytes.substr(0, split));
    const std::wstring text = tarvello::DecodeCp1252(bytes.substr(split + 1));

    tarvello::sim::SimFiles files;
    tarvello::sim::SimProfile profile(files);
    tarvello::IniAccess ini(profile);
    std::vector<std::wstring> parts;
    try {
        ini.String2Array(parts, sep, text);
    } catch (const tarvello::ProgramError&) {
    }
    if (parts.empty())
        std::abort();  // it always leaves at least one element

    // Round trip of the split elements that qualify.
    std::vector<std::wstring> clean;
    for (const std::wstring& part : parts) {
        if (FitsRoundTrip(part, sep))
            clean.push_back(part);
    }
    if (clean.empty() || sep.empty() || sep.find(L'"') != std::wstring::npos)
        return 0;
    // An element that ends in the separator's beginning would merge with the next one.
    for (const std::wstring& part : clean) {
        for (std::size_t k = 1; k < sep.size(); ++k) {
            if (part.size() >= k && part.compare(part.size() - k, k, sep, 0, k) == 0)
                return 0;
            if (part.compare(0, sep.size() - k, sep, k, sep.size() - k) == 0)
                return 0;
        }
    }
    std::wstring joined;
    try {
        joined = ini.Array2String(clean, sep);
    } catch (const tarvello::ProgramError&) {
        return 0;
    }
    std::vector<std::wstring> back;
    ini.String2Array(back, sep, joined);
    if (back != clean && !(clean.size() == 1 && clean[0].empty()))
        std::abort();
    return 0;
}
