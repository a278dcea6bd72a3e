// Number text of the INI file, written with "." and read with "." or ",".
#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "base/program_error.h"

namespace tarvello {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

std::wstring FormatNumberText(double value) {
    if (!std::isfinite(value))
        throw ProgramError(error_number::kOverflow);
    // -0 is written as zero, with its blank.
    value = std::fabs(value) == 0.0 ? 0.0 : value;

    // Fixed notation with the fewest digits that read back as the same value: no exponent, no trailing zeros.
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    std::wstring text(digits, result.ptr);
    return value < 0.0 ? text : L" " + text;
}

std::optional<double> ParseNumberText(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;

    const bool hasPoint = text.find(L'.', begin) < end;
    std::string plain;  // sign, digits and at most one '.', ready for from_chars
    std::size_t i = begin;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-')
            plain.push_back('-');
        ++i;
    }
    bool seenDigit = false;
    bool seenSeparator = false;
    for (; i < end; ++i) {
        const wchar_t c = text[i];
        if (IsDigit(c)) {
            plain.push_back(static_cast<char>(c));
            seenDigit = true;
        } else if ((c == L'.' || (c == L',' && !hasPoint)) && !seenSeparator) {
            plain.push_back('.');
            seenSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;

    double value = 0.0;
    const char* first = plain.data();
    const char* last = first + plain.size();
    const auto parsed = std::from_chars(first, last, value, std::chars_format::fixed);
    if (parsed.ec != std::errc() || parsed.ptr != last)
        return std::nullopt;
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<double>(static_cast<float>(value));
}

bool ReadsAsNumber(const std::wstring& text) {
    std::size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos)
        return false;
    const std::size_t end = text.find_last_not_of(L' ') + 1;
    if (text[i] == L'+' || text[i] == L'-')
        ++i;
    bool seenDigit = false;
    bool seenPoint = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            seenDigit = true;
        } else if (text[i] == L'.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

}  // namespace tarvello
