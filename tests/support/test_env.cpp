// Surroundings of the Wine tests.
#include "support/test_env.h"

#include <algorithm>
#include <atomic>

#include "base/program_error.h"

namespace test_support {

std::wstring BinPath(const std::wstring& name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"TARVELLO_BIN", value, MAX_PATH);
    std::wstring folder = length > 0 && length < MAX_PATH ? value : L".";
    if (folder.front() == L'/')
        folder = L"Z:" + folder;
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder + L"\\" + name;
}

std::wstring FreshTempPath(const std::wstring& stem) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = temp + UniqueName(stem);
    DeleteFileW(path.c_str());
    return path;
}

std::wstring UniqueName(const std::wstring& stem) {
    static std::atomic<int> counter{0};
    return stem + std::to_wstring(GetCurrentProcessId()) + L"x" + std::to_wstring(++counter);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const tarvello::ProgramError& error) {
        return error.Number();
    }
    return 0;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace test_support
