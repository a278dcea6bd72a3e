// Simulated shell.
#include "platform/sim/sim_shell.h"

#include "platform/codepage.h"
#include "platform/program_error.h"

namespace tarvello::sim {

SimShell::SimShell(SimEventLoop& loop, SimFiles& files) : loop_(loop), files_(files) {
    files_.AddFolder(programFolder_);
}

std::optional<FileAttributes> SimShell::GetAttributes(const std::wstring& path) {
    return files_.Attributes(path);
}

void SimShell::AppendLine(const std::wstring& path, const std::wstring& line) {
    if (journal) journal(L"AppendLine " + path);
    if (!files_.IsWritable(path)) throw ProgramError(error_number::kPermissionDenied);
    files_.Write(path, files_.Read(path) + EncodeCp1252(line) + "\r\n");
}

void SimShell::ShowCriticalMessage(const std::wstring& text, const std::wstring& title) {
    if (journal) journal(L"MessageBox " + text);
    messageBoxes_.push_back({text, title});
    if (whileMessageBox_) whileMessageBox_();
}

void SimShell::EndProcessNow() {
    if (journal) journal(L"EndProcessNow");
    processEnded_ = true;
    throw SimProcessEnded{};
}

TimerId SimShell::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    return loop_.StartTimer(intervalMs, std::move(tick));
}

void SimShell::StopTimer(TimerId id) {
    loop_.StopTimer(id);
}

void SimShell::Pause(std::uint32_t ms) {
    if (journal) journal(L"Sleep " + std::to_wstring(ms));
    sleeps_.push_back(ms);
    loop_.Block(ms);
}

void SimShell::WaitOnOwnProcess(std::uint32_t ms) {
    if (journal) journal(L"Wait " + std::to_wstring(ms));
    waits_.push_back(ms);
    loop_.Block(ms);
}

void SimShell::ProcessPendingEvents() {
    ++pendingEventsCalls_;
    loop_.RunPending();
}

}  // namespace tarvello::sim
