// Simulated shell.
#include "platform/sim/sim_shell.h"

namespace tarvello::sim {

SimShell::SimShell(SimFiles& files) {
    files.AddFolder(programFolder_);
}

void SimShell::ShowCriticalMessage(const std::wstring& text, const std::wstring& title) {
    if (journal)
        journal(L"MessageBox " + text);
    messageBoxes_.push_back({text, title});
    if (whileMessageBox_)
        whileMessageBox_();
}

void SimShell::EndProcessNow() {
    if (journal)
        journal(L"EndProcessNow");
    processEnded_ = true;
    throw SimProcessEnded{};
}

}  // namespace tarvello::sim
