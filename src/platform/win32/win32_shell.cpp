// The shell family on Windows. Paths and texts go to the ...A calls in the system ANSI code page.
#include "platform/win32/win32_shell.h"

#include "platform/program_error.h"
#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_version_info.h"

namespace tarvello::win32 {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"TarvelloShellTimers";

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

// A path that the ANSI call would cut short or cannot name is refused before the call.
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

void RegisterTimerWindowClass(WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTimerWindowClass;
    RegisterClassW(&windowClass);  // a second shell finds the class already there
}

}  // namespace

Win32Shell::Win32Shell() {
    RegisterTimerWindowClass(&Win32Shell::TimerWindowProc);
    timerWindow_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Shell::~Win32Shell() {
    for (const auto& entry : timers_)
        KillTimer(timerWindow_, entry.first);
    DestroyWindow(timerWindow_);
}

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
    return ReadVersionRecord(ToAnsi(ModulePath()), ExeBaseName());
}

std::optional<FileAttributes> Win32Shell::GetAttributes(const std::wstring& path) {
    if (path.empty() || HasEmbeddedNul(path))
        return std::nullopt;
    const DWORD attributes = GetFileAttributesA(ToAnsi(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    FileAttributes result;
    result.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    result.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return result;
}

void Win32Shell::AppendLine(const std::wstring& path, const std::wstring& line) {
    if (path.empty() || HasEmbeddedNul(path))
        throw ProgramError(error_number::kPathNotFound);
    HANDLE file = CreateFileA(ToAnsi(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

void Win32Shell::ShowCriticalMessage(const std::wstring& text, const std::wstring& title) {
    MessageBoxA(GetActiveWindow(), ToAnsi(text).c_str(), ToAnsi(title).c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void Win32Shell::EndProcessNow() {
    ExitProcess(0);
}

TimerId Win32Shell::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const TimerId id = nextTimerId_++;
    timers_[id] = std::make_shared<std::function<void()>>(std::move(tick));
    SetTimer(timerWindow_, id, intervalMs, nullptr);
    return id;
}

void Win32Shell::StopTimer(TimerId id) {
    if (timers_.erase(id) > 0)
        KillTimer(timerWindow_, id);
}

void Win32Shell::Pause(std::uint32_t ms) {
    ::Sleep(ms);
}

void Win32Shell::WaitOnOwnProcess(std::uint32_t ms) {
    WaitForSingleObject(GetCurrentProcess(), ms);
}

void Win32Shell::ProcessPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see the quit request, so it goes back into the queue.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Shell::OnTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end())
        return;  // a WM_TIMER already queued when the timer was stopped
    const auto tick = found->second;
    (*tick)();
}

LRESULT CALLBACK Win32Shell::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* shell = reinterpret_cast<Win32Shell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && shell != nullptr) {
        shell->OnTimer(static_cast<TimerId>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvello::win32
