// The DDE tests' partner process.
#include "dde_peer_process.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace tarvello::win32::test {

PeerProcess::PeerProcess(const std::string& mode,
                         const std::string& service,
                         const std::string& topic,
                         const std::vector<std::string>& extra) {
    const std::string stem = test_support::Narrow(test_support::FreshTempPath(L"ddepeer"));
    journal_ = stem + ".journal";
    control_ = stem + ".control";
    std::ofstream(control_, std::ios::binary).flush();
    std::string commandLine = "\"" + test_support::Narrow(test_support::BinPath(L"dde_peer.exe")) + "\" " + mode;
    for (const auto& arg : {service, topic, journal_, control_})
        commandLine += " \"" + arg + "\"";
    for (const auto& arg : extra)
        commandLine += " \"" + arg + "\"";
    process_ = test_support::ChildProcess(test_support::Widen(commandLine));
    if (!process_.Started())
        throw std::runtime_error("dde_peer.exe did not start: " + commandLine);
    if (mode == "server" && !WaitForLine("ready", 20000))
        throw std::runtime_error("dde_peer.exe did not get ready: " + commandLine);
}

PeerProcess::~PeerProcess() {
    process_.Kill();
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

}  // namespace tarvello::win32::test
