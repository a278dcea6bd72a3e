// Upper-casing of window titles, class names and patterns.
#include "automation/upper_case.h"

#include <algorithm>

namespace tarvello {
namespace {

wchar_t UpperCaseChar(wchar_t c) {
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - 0x20);
    // Latin-1 small letters a-grave to thorn, except the division sign.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<wchar_t>(c - 0x20);
    switch (c) {
        case 0xFF:
            return 0x178;  // y with diaeresis
        case 0x161:
            return 0x160;  // s with caron
        case 0x153:
            return 0x152;  // ligature oe
        case 0x17E:
            return 0x17D;  // z with caron
        default:
            return c;
    }
}

}  // namespace

std::wstring UpperCaseText(std::wstring_view text) {
    std::wstring upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperCaseChar);
    return upper;
}

}  // namespace tarvello
