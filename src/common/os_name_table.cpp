// The operating-system name table. Newer systems than Windows XP are deliberately not named.
#include "common/os_name_table.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tarvello {

namespace {

struct OsNameRow {
    std::uint32_t platformId;
    std::optional<std::uint32_t> major;  // nullopt matches any
    std::optional<std::uint32_t> minor;
    const wchar_t* name;  // cppcheck-suppress unusedStructMember
};

constexpr std::uint32_t kWindows9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kWindowsNt = 2;  // VER_PLATFORM_WIN32_NT

const std::array<OsNameRow, 7> kRows{{
    {kWindows9x, std::nullopt, 0, L"Windows 95"},
    {kWindows9x, std::nullopt, 10, L"Windows 98"},
    {kWindows9x, std::nullopt, 90, L"Windows Millennium"},
    {kWindowsNt, 3, std::nullopt, L"Windows NT 3.51"},
    {kWindowsNt, 4, std::nullopt, L"Windows NT 4.0"},
    {kWindowsNt, 5, 0, L"Windows 2000"},
    {kWindowsNt, 5, 1, L"Windows XP"},
}};

bool Matches(const std::optional<std::uint32_t>& wanted, std::uint32_t actual) {
    return !wanted || *wanted == actual;
}

}  // namespace

std::wstring OsNameFor(std::uint32_t platformId, std::uint32_t majorVersion, std::uint32_t minorVersion) {
    const auto row = std::find_if(kRows.begin(), kRows.end(), [&](const OsNameRow& r) {
        return r.platformId == platformId && Matches(r.major, majorVersion) && Matches(r.minor, minorVersion);
    });
    return row != kRows.end() ? row->name : L"unknown";
}

}  // namespace tarvello
