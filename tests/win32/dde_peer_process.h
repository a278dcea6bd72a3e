// Starts tests/win32/peer's dde_peer.exe as a DDE partner in its own process, reads its journal and writes its
// control file; the process is ended by handle when the object goes, also when a test fails.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvello::win32::test {

class PeerProcess {
public:
    // mode "server" (returns once it serves) or "client"; extra arguments follow the file paths.
    PeerProcess(const std::string& mode,
                const std::string& service,
                const std::string& topic,
                const std::vector<std::string>& extra);
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    std::vector<std::string> JournalLines() const;
    // Pumps this thread's messages while waiting, so our own DDE windows keep answering the peer.
    bool WaitForLine(const std::string& line, unsigned timeoutMs) const;
    int CountLines(const std::string& line) const;
    void Control(const std::string& line) const;
    void Kill();
    bool HasExited() const;

private:
    std::string journal_;
    std::string control_;
    PROCESS_INFORMATION process_{};
};

// A name no other test run uses, so leftovers of another run cannot answer.
std::string UniqueName(const std::string& stem);
// Pumps messages until done() or the time-out, checking done() at least every 10 ms.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs);
// The ProgramError number call() throws, 0 when it returns.
int ErrorOf(const std::function<void()>& call);

}  // namespace tarvello::win32::test
