// A program a test starts: ended by handle when the object goes, also when the test fails, so that no leftover
// process can answer the next test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace test_support {

class ChildProcess {
public:
    ChildProcess() = default;
    // commandLine: the program (quoted when needed) and its arguments; an empty workingDir keeps ours.
    explicit ChildProcess(const std::wstring& commandLine, const std::wstring& workingDir = L"");
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ~ChildProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // The exit code once the process has ended within timeoutMs, handling this thread's messages meanwhile
    // (our own windows keep answering the child); nullopt when it is still running.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Runs a program to its end: its exit code, or nullopt when it did not start or did not end in time.
std::optional<DWORD> RunToEnd(const std::wstring& commandLine, DWORD timeoutMs = 30000);

}  // namespace test_support
