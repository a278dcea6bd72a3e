// What the DDE tests share: tests/win32/peer's dde_peer.exe as a partner in its own process, and a link's log.
#pragma once

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dde.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/test_env.h"

namespace tarvello::win32::test {

using test_support::ErrorOf;
using test_support::UniqueName;
using test_support::WaitFor;

// Ended by handle when the object goes, also when a test fails. Its journal reads with test_support's journal
// calls; a server obeys its control file.
struct PeerProcess {
    // mode "server" (returns once it serves) or "client"; the arguments follow the file paths.
    PeerProcess(const std::wstring& mode,
                const std::wstring& service,
                const std::wstring& topic,
                const std::vector<std::wstring>& arguments) {
        std::wstring commandLine = L"\"" + test_support::BinPath(L"dde_peer.exe") + L"\" " + mode;
        for (const auto& argument : {service, topic, journal, control})
            commandLine += L" \"" + argument + L"\"";
        for (const auto& argument : arguments)
            commandLine += L" \"" + argument + L"\"";
        process = test_support::ChildProcess(commandLine);
        if (mode == L"server" && !WaitForText("READY", 20000))
            throw std::runtime_error("dde_peer.exe did not start serving");
    }
    ~PeerProcess() {
        process.Kill();
        DeleteFileW(journal.c_str());
        DeleteFileW(control.c_str());
    }

    int Count(const std::string& text) const {
        return static_cast<int>(std::ranges::count(test_support::JournalTexts(journal), text));
    }
    // The entries of one event ("CONNECT", "DISCONNECT"), whatever conversation and detail they carry.
    std::vector<std::string> Events(const std::string& event) const {
        return test_support::JournalTextsStartingWith(journal, event + " ");
    }
    // Handles this thread's messages meanwhile, so that our own DDE windows keep answering the peer.
    bool WaitForText(const std::string& text, DWORD timeoutMs = 10000) const {
        return test_support::WaitForJournalText(journal, text, timeoutMs);
    }
    void Control(const std::string& line) const {
        std::ofstream(control.c_str(), std::ios::app | std::ios::binary) << line << "\n";
    }

    std::wstring journal = test_support::FreshTempPath(L"ddepeer");
    std::wstring control = journal + L".control";
    test_support::ChildProcess process;
};

// What one hot link saw: every value in order and how often it was told of its end.
struct LinkLog {
    std::vector<std::wstring> values;
    int closed = 0;
    DdeLinkHandlers Handlers() {
        return {[this](const std::wstring& value) { values.push_back(value); }, [this] { ++closed; }};
    }
};

}  // namespace tarvello::win32::test
