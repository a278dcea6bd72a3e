// The DDE tests' partner process and the waits that keep our side answering.
#include "dde_peer_process.h"

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/win32/win32_dde_wait.h"

namespace tarvello::win32::test {
namespace {

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

std::string PeerExe() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    return exe.substr(0, exe.find_last_of("\\/") + 1) + "dde_peer.exe";
}

std::string Quote(const std::string& arg) {
    return "\"" + arg + "\"";
}

}  // namespace

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

double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

PeerProcess::PeerProcess(const std::string& mode,
                         const std::string& service,
                         const std::string& topic,
                         const std::vector<std::string>& extra) {
    const std::string stem = TempFolder() + UniqueName("ddepeer");
    journal_ = stem + ".journal";
    control_ = stem + ".control";
    std::ofstream(control_, std::ios::binary).flush();
    std::string commandLine =
        Quote(PeerExe()) + " " + mode + " " + Quote(service) + " " + Quote(topic) + " " + Quote(journal_);
    if (mode != "client")
        commandLine += " " + Quote(control_);
    for (const auto& arg : extra)
        commandLine += " " + Quote(arg);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        throw std::runtime_error("dde_peer.exe did not start: " + commandLine);
    }
}

PeerProcess::~PeerProcess() {
    if (process_.hProcess != nullptr) {
        Kill();
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DeleteFileA(journal_.c_str());
    DeleteFileA(control_.c_str());
}

std::vector<std::string> PeerProcess::JournalLines() const {
    std::vector<std::string> lines;
    std::ifstream in(journal_, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

int PeerProcess::CountLines(const std::string& line) const {
    int count = 0;
    for (const auto& l : JournalLines())
        count += l == line ? 1 : 0;
    return count;
}

bool PeerProcess::WaitForLine(const std::string& line, unsigned timeoutMs) const {
    return WaitUntil([&] { return CountLines(line) > 0; }, timeoutMs);
}

void PeerProcess::Control(const std::string& line) const {
    std::ofstream(control_, std::ios::binary | std::ios::app) << line << "\n";
}

void PeerProcess::Kill() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 5000);
    }
}

bool PeerProcess::WaitForExit(unsigned timeoutMs) const {
    return WaitUntil([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

}  // namespace tarvello::win32::test
