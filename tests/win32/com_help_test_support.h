// Helpers for the bearing-component and help tests: the bin folder, child processes ended by handle,
// and waiting for a window with a time-out.
#pragma once

#include <windows.h>

#include <string>

namespace com_help_test {

// The build's bin folder as a Windows path, from TARVELLO_BIN (a Unix path is mapped to drive Z:).
// Empty when the variable is missing, which the tests report as a failure.
std::string BinFolder();

// A started process; the destructor ends it if it still runs, so a failing test leaves nothing behind.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    // The exit code, or -1 when the process did not end within timeoutMs.
    long WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_{};
};

// Runs a program to its end; its exit code, or -1 when it could not start or did not end in time.
long RunToEnd(const std::string& commandLine, DWORD timeoutMs);

// The first visible top-level window of the class (and title, when given) to appear within timeoutMs.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs);
// True when no window of the class exists any more within timeoutMs.
bool WaitForWindowGone(const char* windowClass, DWORD timeoutMs);

}  // namespace com_help_test
