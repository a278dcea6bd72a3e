// Simulated shell: program folder C:\Tarvello, files on the simulated disk, recorded message boxes,
// and timers on the simulated event loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_files.h"

namespace tarvello::sim {

// Thrown by EndProcessNow so that a test sees the process end where it would; it is deliberately not a
// ProgramError or std::exception, so no handler of the program catches it.
struct SimProcessEnded {};

struct SimMessageBox {
    std::wstring text;
    std::wstring title;
};

class SimShell : public Shell {
public:
    SimShell(SimEventLoop& loop, SimFiles& files);

    std::wstring ProgramFolder() override { return programFolder_; }
    std::wstring ExeBaseName() override { return exeBaseName_; }
    VersionRecord ProgramVersion() override { return version_; }
    std::optional<FileAttributes> GetAttributes(const std::wstring& path) override;
    void AppendLine(const std::wstring& path, const std::wstring& line) override;
    void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) override;
    void EndProcessNow() override;
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void Pause(std::uint32_t ms) override;
    void WaitOnOwnProcess(std::uint32_t ms) override;
    void ProcessPendingEvents() override;

    // Test controls and records.
    void SetProgramFolder(const std::wstring& folder) { programFolder_ = folder; }
    void SetExeBaseName(const std::wstring& name) { exeBaseName_ = name; }
    void SetProgramVersion(VersionRecord version) { version_ = std::move(version); }
    const std::vector<SimMessageBox>& MessageBoxes() const { return messageBoxes_; }
    // Runs while a message box is open, as the nested message loop would run events.
    void SetWhileMessageBoxOpen(std::function<void()> action) { whileMessageBox_ = std::move(action); }
    bool ProcessEnded() const { return processEnded_; }
    int ProcessPendingEventsCalls() const { return pendingEventsCalls_; }
    const std::vector<std::uint32_t>& Sleeps() const { return sleeps_; }
    const std::vector<std::uint32_t>& Waits() const { return waits_; }
    // Every call made through this shell, in order, for tests that check sequences across families.
    std::function<void(const std::wstring&)> journal;

private:
    SimEventLoop& loop_;
    SimFiles& files_;
    std::wstring programFolder_ = L"C:\\Tarvello";
    std::wstring exeBaseName_ = L"Tarvello";
    VersionRecord version_{L"Tarvello", 1, 0, 0};
    std::vector<SimMessageBox> messageBoxes_;
    std::function<void()> whileMessageBox_;
    bool processEnded_ = false;
    int pendingEventsCalls_ = 0;
    std::vector<std::uint32_t> sleeps_;
    std::vector<std::uint32_t> waits_;
};

}  // namespace tarvello::sim
