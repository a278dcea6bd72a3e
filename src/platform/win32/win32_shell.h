// The shell family on Windows: module file name, VERSIONINFO, file attributes and appends, message boxes,
// process end, timers on the user-interface thread and the message pump.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/shell.h"

namespace tarvello::win32 {

class Win32Shell : public Shell {
  public:
    Win32Shell();
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    std::wstring ProgramFolder() override;
    std::wstring ExeBaseName() override;
    VersionRecord ProgramVersion() override;
    std::optional<FileAttributes> GetAttributes(const std::wstring& path) override;
    void AppendLine(const std::wstring& path, const std::wstring& line) override;
    void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) override;
    void EndProcessNow() override;
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void Pause(std::uint32_t ms) override;
    void WaitOnOwnProcess(std::uint32_t ms) override;
    void ProcessPendingEvents() override;

  private:
    static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(TimerId id);

    // Timers belong to a message-only window of this shell, so they end with it and need no global table.
    HWND timerWindow_ = nullptr;
    TimerId nextTimerId_ = 1;
    // shared_ptr: a tick that stops its own timer must not destroy the function it is running in.
    std::map<TimerId, std::shared_ptr<std::function<void()>>> timers_;
};

}  // namespace tarvello::win32
