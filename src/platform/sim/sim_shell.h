// Simulated shell: program folder C:\Tarvello, the version record, recorded message boxes, and a process end
// that a test can see.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
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
    explicit SimShell(SimFiles& files);

    std::wstring ProgramFolder() override { return programFolder_; }
    std::wstring ExeBaseName() override { return exeBaseName_; }
    VersionRecord ProgramVersion() override { return version_; }
    void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) override;
    void EndProcessNow() override;

    // Test controls and records.
    void SetProgramFolder(const std::wstring& folder) { programFolder_ = folder; }
    void SetExeBaseName(const std::wstring& name) { exeBaseName_ = name; }
    void SetProgramVersion(VersionRecord version) { version_ = std::move(version); }
    const std::vector<SimMessageBox>& MessageBoxes() const { return messageBoxes_; }
    // Runs while a message box is open, as the nested message loop would run events.
    void SetWhileMessageBoxOpen(std::function<void()> action) { whileMessageBox_ = std::move(action); }
    bool ProcessEnded() const { return processEnded_; }
    // Message boxes and the process end, in order, for tests that check sequences across families.
    std::function<void(const std::wstring&)> journal;

private:
    std::wstring programFolder_ = L"C:\\Tarvello";
    std::wstring exeBaseName_ = L"Tarvello";
    VersionRecord version_{L"Tarvello", 1, 0, 0};
    std::vector<SimMessageBox> messageBoxes_;
    std::function<void()> whileMessageBox_;
    bool processEnded_ = false;
};

}  // namespace tarvello::sim
