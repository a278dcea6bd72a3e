// IniAccess: the INI settings store.
#include "settings/ini_access.h"

#include <cstdint>
#include <limits>

#include "base/program_error.h"
#include "settings/number_text.h"

namespace tarvello {
namespace {

constexpr std::size_t kMaxValueChars = IniAccess::kValueBufferChars - 1;
constexpr std::size_t kMaxPosition = std::numeric_limits<std::int16_t>::max();

std::wstring TrimSpaces(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The buffer up to its first NUL, as the single-byte call would see it.
std::wstring UpToNul(const std::wstring& buffer) {
    return buffer.substr(0, buffer.find(L'\0'));
}

}  // namespace

IniAccess::IniAccess(ProfileStore& profile) : profile_(profile), ValueBuffer(kValueBufferChars, L' ') {}

void IniAccess::SetIniFile(const std::wstring& fname) {
    IniFileName = fname;
}

std::wstring IniAccess::IniFile() const {
    return IniFileName;
}

std::wstring IniAccess::ReadEntry(const std::wstring& Section, const std::wstring& Key, const std::wstring& Default) {
    // The call fills the buffer with the value (never more than the buffer less its NUL) and a NUL, and leaves
    // the rest as it was.
    const std::wstring value = profile_.GetString(Section, Key, Default, kValueBufferChars, IniFileName);
    ValueBuffer.replace(0, value.size() + 1, value + L'\0');
    return TrimSpaces(UpToNul(ValueBuffer));
}

void IniAccess::WriteEntry(const std::wstring& Section, const std::wstring& Key, const std::wstring& Value) {
    const std::wstring head = Value.substr(0, kMaxValueChars);
    ValueBuffer = head + L'\0' + std::wstring(kValueBufferChars - head.size() - 1, L' ');
    profile_.WriteString(Section, Key, UpToNul(ValueBuffer), IniFileName);
}

std::wstring IniAccess::Array2String(const std::vector<std::wstring>& ss, const std::wstring& sep) {
    if (ss.empty())
        throw ProgramError(error_number::kSubscriptOutOfRange);
    // The element counter is 16-bit: it cannot step past an upper bound of 32766.
    if (ss.size() - 1 > kMaxPosition - 1)
        throw ProgramError(error_number::kOverflow);
    std::wstring joined;
    for (std::size_t i = 0; i < ss.size(); ++i) {
        if (i > 0)
            joined += sep;
        const std::wstring quote = ReadsAsNumber(ss[i]) ? L"" : L"\"";
        joined += quote + TrimSpaces(ss[i]) + quote;
    }
    return joined;
}

void IniAccess::String2Array(std::vector<std::wstring>& ss, const std::wstring& sep, const std::wstring& s) {
    ss.assign(1, L"");
    if (s.empty())
        return;
    if (sep.empty())
        throw ProgramError(error_number::kInvalidArgument);

    // Positions are 1-based and 16-bit, as the field boundaries were always counted.
    std::size_t start = 1;
    std::size_t n = 0;
    std::size_t pos = 0;
    do {
        const std::size_t found = start - 1 < s.size() ? s.find(sep, start - 1) : std::wstring::npos;
        pos = found == std::wstring::npos ? s.size() + 1 : found + 1;
        if (pos > kMaxPosition)
            throw ProgramError(error_number::kOverflow);
        ss.resize(n + 1);
        ss[n] = pos > start ? s.substr(start - 1, pos - start) : L"";
        if (!ss[n].empty() && ss[n].front() == L'"') {
            if (ss[n].size() < 2)
                throw ProgramError(error_number::kInvalidArgument);
            ss[n] = ss[n].substr(1, ss[n].size() - 2);
        }
        ++n;
        start = pos + sep.size();
    } while (pos <= s.size());
}

}  // namespace tarvello
