// Windows-1252 both ways; 0x80 to 0x9F carry the typographic characters, the rest is Latin-1.
#include "platform/sim/sim_codepage.h"

#include <array>

namespace tarvello {
namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes, which map to themselves as MultiByteToWideChar does.
constexpr std::array<wchar_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string EncodeCp1252(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHigh.size(); ++i) {
            if ((kHigh[i] != 0 && kHigh[i] == c) || (kHigh[i] == 0 && c == static_cast<wchar_t>(0x80 + i))) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}

std::wstring DecodeCp1252(const std::string& bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0) {
            out.push_back(kHigh[b - 0x80]);
        } else {
            out.push_back(static_cast<wchar_t>(b));
        }
    }
    return out;
}

}  // namespace tarvello
