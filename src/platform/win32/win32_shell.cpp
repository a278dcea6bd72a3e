// The shell family on Windows. Texts go to the ...A calls in the system ANSI code page.
#include "platform/win32/win32_shell.h"

#include <windows.h>

#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_version_info.h"

namespace tarvello::win32 {
namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FileNameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::wstring Win32Shell::ProgramFolder() {
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring Win32Shell::ExeBaseName() {
    const std::wstring name = FileNameOf(ModulePath());
    const auto dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

VersionRecord Win32Shell::ProgramVersion() {
    return ReadVersionRecord(ModulePath(), ExeBaseName());
}

void Win32Shell::ShowCriticalMessage(const std::wstring& text, const std::wstring& title) {
    MessageBoxA(GetActiveWindow(), ToAnsi(text).c_str(), ToAnsi(title).c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void Win32Shell::EndProcessNow() {
    ExitProcess(0);
}

}  // namespace tarvello::win32
