// Starts tests/win32/peer's dde_peer.exe as a DDE partner in its own process, reads its journal and writes its
// control file; the process is ended by handle when the object goes, also when a test fails.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/test_env.h"

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
    // Handles this thread's messages while waiting, so our own DDE windows keep answering the peer.
    bool WaitForLine(const std::string& line, unsigned timeoutMs) const;
    int CountLines(const std::string& line) const;
    void Control(const std::string& line) const;
    void Kill() { process_.Kill(); }
    bool HasExited() const { return !process_.Running(); }

private:
    std::string journal_;
    std::string control_;
    test_support::ChildProcess process_;
};

// A DDE name no other test run uses, so leftovers of another run cannot answer.
inline std::string UniqueName(const std::string& stem) {
    return test_support::Narrow(test_support::UniqueName(test_support::Widen(stem)));
}
inline bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    return test_support::WaitFor(done, timeoutMs);
}
using test_support::ErrorOf;

}  // namespace tarvello::win32::test
