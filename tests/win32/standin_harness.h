// Test harness for the partner stand-ins: starts them (and ends them by handle), reads their journals while they
// run, waits for conditions while pumping messages, and talks DDE to them as a DDEML client.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace standin_test {

// Full Windows path of a program in the build's bin folder (environment TARVELLO_BIN).
std::string BinPath(const std::string& exe);
// A journal path of its own for each call, in the temporary folder.
std::string FreshJournalPath(const std::string& stem);

// Waits for condition, handling this thread's messages meanwhile; false at the time-out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

struct JournalLine {
    long long ms = 0;
    std::string event;
    std::string detail;  // as written, still escaped
};
std::vector<JournalLine> ReadJournal(const std::string& path);
// Events and details as "EVENT detail" (or "EVENT"), in order.
std::vector<std::string> JournalEntries(const std::string& path);
bool JournalHas(const std::string& path, const std::string& entry);
// Waits until the journal holds entry.
bool WaitForEntry(const std::string& path, const std::string& entry, DWORD timeoutMs = 10000);

// A stand-in process; the destructor ends it by handle if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    bool Start(const std::string& exe, const std::string& arguments);
    // Exit code once it ended within timeoutMs, nullopt otherwise.
    std::optional<DWORD> WaitExit(DWORD timeoutMs);
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// Runs a program to its end and returns its exit code (nullopt when it could not start or did not end).
std::optional<DWORD> RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs = 20000);

// The top-level window of class windowClass belonging to process id, waiting until it appears.
HWND WaitForWindowOf(DWORD processId, const char* windowClass, DWORD timeoutMs = 15000);
// Top-level windows of process id, as (class, title) pairs.
std::vector<std::pair<std::string, std::string>> TopLevelWindowsOf(DWORD processId);
// The descendant of parent titled exactly title, or nullptr.
HWND FindDescendantTitled(HWND parent, const std::string& title);

// Sends a control command as the stand-ins expect it; returns the window's answer (TRUE = accepted).
LRESULT SendControl(HWND window, const std::string& text, ULONG_PTR tag = 0x54415256);

// A DDEML client (and, when asked, server) instance of the test process.
class DdeClient {
public:
    DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;
    ~DdeClient();

    HCONV Connect(const std::string& service, const std::string& topic);
    std::optional<std::string> Request(HCONV conversation, const std::string& item);
    // Requests item on a conversation of its own instance: Wine's DDEML client mismatches the replies of
    // later transactions on a conversation that carried a synchronous request.
    static std::optional<std::string> RequestOnce(const std::string& service,
                                                  const std::string& topic,
                                                  const std::string& item);
    bool StartHotLink(HCONV conversation, const std::string& item);
    // True on a positive acknowledgement; error receives DdeGetLastError otherwise.
    bool Execute(HCONV conversation, const std::string& command, DWORD timeoutMs, UINT* error = nullptr);
    // Values delivered on hot links, as "item value", in order of arrival.
    const std::vector<std::string>& Updates() const { return updates_; }
    // Serves service|topic so that executes to it land in Executes().
    bool Serve(const std::string& service, const std::string& topic);
    const std::vector<std::string>& Executes() const { return executes_; }

private:
    static HDDEDATA CALLBACK
    Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR);
    HSZ Hsz(const std::string& text);
    std::string Text(HSZ handle) const;

    DWORD instance_ = 0;
    std::vector<HSZ> strings_;
    std::vector<std::string> updates_;
    std::vector<std::string> executes_;
    std::string servedTopic_;
    HSZ servedService_ = nullptr;
    DdeClient* outer_ = nullptr;
};

// Holds Control down by a real key event for its lifetime; releases it also when a test fails.
class ControlKeyHeld {
public:
    ControlKeyHeld() { keybd_event(VK_CONTROL, 0, 0, 0); }
    ~ControlKeyHeld() { keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0); }
    ControlKeyHeld(const ControlKeyHeld&) = delete;
    ControlKeyHeld& operator=(const ControlKeyHeld&) = delete;
};

}  // namespace standin_test
