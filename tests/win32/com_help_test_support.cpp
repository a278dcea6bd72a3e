// Process and window helpers of the bearing-component and help tests. Waits poll a condition every 10 ms
// up to a time-out; none of them sleeps in the hope that the other side is done.
#include "com_help_test_support.h"

#include <cstdlib>
#include <vector>

namespace com_help_test {
namespace {

constexpr DWORD kPollMs = 10;

template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        // Keeps this thread's own windows (the help viewer's) answering while we wait.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(kPollMs);
    }
}

}  // namespace

std::string BinFolder() {
    const char* value = std::getenv("TARVELLO_BIN");
    if (value == nullptr || *value == '\0')
        return {};
    std::string folder = value;
    if (folder.front() == '/')
        folder = "Z:" + folder;
    for (char& c : folder) {
        if (c == '/')
            c = '\\';
    }
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

ChildProcess::ChildProcess(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
        info_ = PROCESS_INFORMATION{};
    }
}

ChildProcess::~ChildProcess() {
    if (!Started())
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

long ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (!Started() || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

long RunToEnd(const std::string& commandLine, DWORD timeoutMs) {
    ChildProcess process(commandLine);
    return process.WaitForExit(timeoutMs);
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(timeoutMs, [&] {
        found = FindWindowA(windowClass, title);
        return found != nullptr && IsWindowVisible(found);
    });
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool WaitForWindowGone(const char* windowClass, DWORD timeoutMs) {
    return WaitFor(timeoutMs, [&] { return FindWindowA(windowClass, nullptr) == nullptr; });
}

}  // namespace com_help_test
