// The DDE tests' partner process and the waits that keep our side answering.
#include "dde_peer_process.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>

#include "common/program_error.h"
#include "platform/win32/win32_dde_wait.h"

namespace tarvello::win32::test {

std::string UniqueName(const std::string& stem) {
    static std::atomic<int> counter{0};
    return stem + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++counter);
}

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        PumpMessagesUntil(done, 10);
    }
    return true;
}

int ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

PeerProcess::PeerProcess(const std::string& mode,
                         const std::string& service,
                         const std::string& topic,
                         const std::vector<std::string>& extra) {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    const std::string stem = path + UniqueName("ddepeer");
    journal_ = stem + ".journal";
    control_ = stem + ".control";
    std::ofstream(control_, std::ios::binary).flush();
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "dde_peer.exe";
    std::string commandLine = "\"" + exe + "\" " + mode;
    for (const auto& arg : {service, topic, journal_, control_})
        commandLine += " \"" + arg + "\"";
    for (const auto& arg : extra)
        commandLine += " \"" + arg + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        throw std::runtime_error("dde_peer.exe did not start: " + commandLine);
    if (mode == "server" && !WaitForLine("ready", 20000)) {
        Kill();
        throw std::runtime_error("dde_peer.exe did not get ready: " + commandLine);
    }
}

PeerProcess::~PeerProcess() {
    Kill();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    DeleteFileA(journal_.c_str());
    DeleteFileA(control_.c_str());
}

std::vector<std::string> PeerProcess::JournalLines() const {
    std::vector<std::string> lines;
    std::ifstream in(journal_, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int PeerProcess::CountLines(const std::string& line) const {
    const auto lines = JournalLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

bool PeerProcess::WaitForLine(const std::string& line, unsigned timeoutMs) const {
    return WaitUntil([&] { return CountLines(line) > 0; }, timeoutMs);
}

void PeerProcess::Control(const std::string& line) const {
    std::ofstream(control_, std::ios::binary | std::ios::app) << line << "\n";
}

void PeerProcess::Kill() {
    if (!HasExited()) {
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 5000);
    }
}

bool PeerProcess::HasExited() const {
    return WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT;
}

}  // namespace tarvello::win32::test
