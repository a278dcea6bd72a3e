// Reading one key in SendKeys notation; see hotkey.h.
#include "automation/hotkey.h"

#include <algorithm>
#include <string>

#include "automation/key_name_table.h"

namespace tarvello {
namespace {

constexpr std::int32_t kReturnKey = 0x0D;
constexpr std::int32_t kF1Key = 0x70;
constexpr int kHighestFunctionKey = 24;

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// "F1" to "F24", without leading zeros; upperName is already upper case.
std::optional<std::int32_t> FunctionKey(std::wstring_view upperName) {
    if (upperName.size() < 2 || upperName.size() > 3 || upperName[0] != L'F' || upperName[1] == L'0')
        return std::nullopt;
    int number = 0;
    for (wchar_t c : upperName.substr(1)) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        number = number * 10 + (c - L'0');
    }
    if (number > kHighestFunctionKey)
        return std::nullopt;
    return kF1Key + number - 1;
}

std::optional<std::int32_t> NamedKey(std::wstring_view name) {
    std::wstring upper;
    for (wchar_t c : name) {
        if (c < 0x21 || c > 0x7E)
            return std::nullopt;  // blanks (a repeat count), control bytes, anything beyond ASCII
        upper.push_back(AsciiUpper(c));
    }
    if (const auto function = FunctionKey(upper))
        return function;
    const auto table = KeyNameTable();
    const auto named = std::find_if(table.begin(), table.end(), [&](const KeyName& key) { return key.name == upper; });
    if (named == table.end())
        return std::nullopt;
    return named->virtualKey;
}

}  // namespace

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
    text = TrimBlanks(text);
    Hotkey key;
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        bool* modifier = text[pos] == L'^'   ? &key.ctrl
                         : text[pos] == L'%' ? &key.alt
                         : text[pos] == L'+' ? &key.shift
                                             : nullptr;
        if (modifier == nullptr)
            break;
        if (*modifier)
            return std::nullopt;
        *modifier = true;
    }
    const std::wstring_view rest = text.substr(pos);
    if (rest == L"~") {
        key.virtualKey = kReturnKey;
    } else if (rest.size() == 1 && IsAsciiLetterOrDigit(rest[0])) {
        key.virtualKey = AsciiUpper(rest[0]);
    } else if (rest.size() > 2 && rest.front() == L'{' && rest.back() == L'}') {
        const auto named = NamedKey(rest.substr(1, rest.size() - 2));
        if (!named)
            return std::nullopt;
        key.virtualKey = *named;
    } else {
        return std::nullopt;
    }
    return key;
}

}  // namespace tarvello
