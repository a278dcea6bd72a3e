// The files family on Windows. Paths go to the wide calls, so that a folder the ANSI code page cannot spell is
// reached; the lines written are text in the system ANSI code page, as they always were.
#include "platform/win32/win32_files.h"

#include <windows.h>

#include "base/program_error.h"
#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {
namespace {

// A path that the call would cut short is refused before the call.
bool HasEmbeddedNul(const std::wstring& path) {
    return path.find(L'\0') != std::wstring::npos;
}

[[noreturn]] void ThrowFileError(DWORD lastError) {
    switch (lastError) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            throw ProgramError(error_number::kPathNotFound);
        default:
            throw ProgramError(error_number::kPermissionDenied);
    }
}

}  // namespace

std::optional<FileAttributes> Win32Files::Attributes(const std::wstring& path) {
    if (path.empty() || HasEmbeddedNul(path))
        return std::nullopt;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    FileAttributes result;
    result.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    result.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return result;
}

void Win32Files::AppendLine(const std::wstring& path, const std::wstring& line) {
    if (path.empty() || HasEmbeddedNul(path))
        throw ProgramError(error_number::kPathNotFound);
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ThrowFileError(GetLastError());
    const std::string bytes = ToAnsi(line) + "\r\n";
    size_t written = 0;
    bool ok = true;
    while (ok && written < bytes.size()) {
        DWORD chunk = 0;
        ok = WriteFile(file, bytes.data() + written, static_cast<DWORD>(bytes.size() - written), &chunk, nullptr) &&
             chunk > 0;
        written += chunk;
    }
    CloseHandle(file);
    if (!ok)
        throw ProgramError(error_number::kPermissionDenied);
}

}  // namespace tarvello::win32
