// Child processes of an end-to-end test: started with CreateProcess, always ended by handle.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class ChildProcess {
public:
    ChildProcess() = default;
    // commandLine: the exe path (quoted if needed) and its arguments; workingDir may be empty.
    ChildProcess(const std::wstring& commandLine, const std::wstring& workingDir = L"");
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // Waits for the process to end on its own; true when it did within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
