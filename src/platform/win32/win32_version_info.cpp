// GetFileVersionInfoA / VerQueryValueA: "\" for the fixed numbers, the first translation's ProductName.
#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "common/program_error.h"
#include "platform/win32/win32_ansi.h"

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
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\ProductName", translations[0].language,
                  translations[0].codePage);
    char* name = nullptr;
    if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&name), &size) || size == 0)
        return {};
    return FromAnsi(std::string(name));
}

}  // namespace

VersionRecord ReadVersionRecord(const std::string& ansiPath, const std::wstring& fallbackName) {
    VersionRecord record;
    record.productName = fallbackName;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ansiPath.c_str(), &ignored);
    if (size == 0)
        return record;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(ansiPath.c_str(), 0, size, block.data()))
        return record;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
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
