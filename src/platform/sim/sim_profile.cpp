// Simulated private-profile calls.
#include "platform/sim/sim_profile.h"

#include <cwctype>
#include <optional>

#include "platform/sim/sim_codepage.h"

namespace tarvello::sim {
namespace {

std::wstring Trim(const std::wstring& s) {
    const auto first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return L"";
    const auto last = s.find_last_not_of(L" \t\r");
    return s.substr(first, last - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\n') {
            if (!line.empty() && line.back() == L'\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The section name of a "[name]" line, or nullopt.
std::optional<std::wstring> SectionName(const std::wstring& line) {
    const std::wstring t = Trim(line);
    if (t.size() < 2 || t.front() != L'[')
        return std::nullopt;
    const auto close = t.find(L']');
    return Trim(t.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
}

}  // namespace

std::wstring SimProfile::GetString(const std::wstring& section,
                                   const std::wstring& key,
                                   const std::wstring& defaultValue,
                                   int bufferChars,
                                   const std::wstring& file) {
    // As documented for the Windows call: trailing blanks of the default are dropped.
    std::wstring result = defaultValue.substr(0, defaultValue.find_last_not_of(L' ') + 1);
    bool inSection = false;
    bool seenSection = false;
    for (const auto& line : Lines(DecodeCp1252(files_.Read(file)))) {
        if (auto name = SectionName(line)) {
            if (seenSection && inSection)
                break;  // only the first section of that name counts
            inSection = SameName(*name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection || key.empty())
            continue;  // an empty key name never matches: the default is returned
        const auto eq = line.find(L'=');
        if (eq == std::wstring::npos || !SameName(Trim(line.substr(0, eq)), key))
            continue;
        // The value is a C string on Windows: a NUL byte in the file ends it.
        result = Trim(line.substr(eq + 1, line.find(L'\0', eq + 1) - eq - 1));
        if (result.size() >= 2 && (result.front() == L'"' || result.front() == L'\'') &&
            result.back() == result.front()) {
            result = result.substr(1, result.size() - 2);
        }
        break;
    }
    if (bufferChars <= 0)
        return L"";
    return result.substr(0, static_cast<std::size_t>(bufferChars - 1));
}

bool SimProfile::WriteString(const std::wstring& section,
                             const std::wstring& key,
                             const std::wstring& value,
                             const std::wstring& file) {
    writes_.push_back({section, key, value, file});
    if (!files_.IsWritable(file))
        return false;
    auto lines = Lines(DecodeCp1252(files_.Read(file)));
    const std::wstring entry = key + L"=" + value;
    std::size_t sectionAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i]);
        if (name && SameName(*name, section)) {
            sectionAt = i;
            break;
        }
    }
    if (sectionAt == lines.size()) {
        lines.push_back(L"[" + section + L"]");
        lines.push_back(entry);
    } else {
        std::size_t insertAt = sectionAt + 1;
        bool replaced = false;
        for (std::size_t i = sectionAt + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
            const auto eq = lines[i].find(L'=');
            if (eq != std::wstring::npos && SameName(Trim(lines[i].substr(0, eq)), key)) {
                lines[i] = Trim(lines[i].substr(0, eq)) + L"=" + value;  // the key keeps its spelling
                replaced = true;
                break;
            }
            if (!Trim(lines[i]).empty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    }
    std::wstring text;
    for (const auto& line : lines)
        text += line + L"\r\n";
    files_.Write(file, EncodeCp1252(text));
    return true;
}

}  // namespace tarvello::sim
