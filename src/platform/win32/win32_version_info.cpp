// GetFileVersionInfoW / VerQueryValueW: "\" for the fixed numbers, the first translation's ProductName. Wide, so
// that a program in a folder the ANSI code page cannot spell still finds its own version.
#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <cwchar>
#include <iterator>
#include <vector>

#include "base/program_error.h"

namespace tarvello::win32 {
namespace {

std::int16_t Narrow(WORD value) {
    if (value > 32767)
        throw ProgramError(error_number::kOverflow);
    return static_cast<std::int16_t>(value);
}

std::wstring QueryProductName(std::vector<char>& block) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t query[64];
    std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04x%04x\\ProductName", translations[0].language,
                  translations[0].codePage);
    wchar_t* name = nullptr;
    if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&name), &size) || size == 0)
        return {};
    return std::wstring(name);
}

}  // namespace

VersionRecord ReadVersionRecord(const std::wstring& path, const std::wstring& fallbackName) {
    VersionRecord record;
    record.productName = fallbackName;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return record;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return record;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
        fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        record.major = Narrow(HIWORD(fixed->dwFileVersionMS));
        record.minor = Narrow(LOWORD(fixed->dwFileVersionMS));
        record.revision = Narrow(HIWORD(fixed->dwFileVersionLS));
    }
    std::wstring name = QueryProductName(block);
    if (!name.empty())
        record.productName = std::move(name);
    return record;
}

}  // namespace tarvello::win32
