// Test harness for the Wine tests that drive other processes (the partner stand-ins, regsvr32, the help
// viewer): starts them and ends them by handle, reads the stand-ins' journals, waits while pumping messages,
// and talks DDE to the stand-ins as a DDEML client.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace standin_test {

// Full Windows path of a program in the build's bin folder (environment TARVELLO_BIN; Unix paths map to Z:).
std::string BinPath(const std::string& exe);
// A journal path of its own for each call, in the temporary folder.
std::string FreshJournalPath(const std::string& stem);

// Waits for condition, handling this thread's messages meanwhile; false at the time-out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

struct JournalLine {
    long long ms = 0;
    std::string event;
    std::string detail;  // as written, still escaped
    std::string Entry() const { return detail.empty() ? event : event + " " + detail; }
};
std::vector<JournalLine> ReadJournal(const std::string& path);
// Entries as "EVENT detail" (or "EVENT"), in order.
std::vector<std::string> JournalEntries(const std::string& path);
bool JournalHas(const std::string& path, const std::string& entry);
// All entries joined by " | ", to compare a whole journal at once.
std::string JournalText(const std::string& path);
// The last entry, or "" for an empty journal.
std::string LastEntry(const std::string& path);
bool WaitForEntry(const std::string& path, const std::string& entry, DWORD timeoutMs = 10000);

// A started process; the destructor ends it by handle if it still runs, so a failing test leaves nothing.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    // exe is a full path or a program on the search path.
    bool Start(const std::string& exe, const std::string& arguments);
    // Exit code once it ended within timeoutMs, nullopt otherwise.
    std::optional<DWORD> WaitExit(DWORD timeoutMs = 10000);
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// Runs a program to its end; its exit code, or nullopt when it could not start or did not end.
std::optional<DWORD> RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs = 30000);

struct TopLevelWindow {
    HWND handle;
    std::string windowClass;
    std::string title;
};
std::vector<TopLevelWindow> TopLevelWindowsOf(DWORD processId);
// The top-level window of class windowClass belonging to process id, waiting until it appears.
HWND WaitForWindowOf(DWORD processId, const char* windowClass, DWORD timeoutMs = 15000);
// The first visible top-level window of the class (and title, when given) within timeoutMs, or nullptr.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs = 15000);
// True once no window of the class is left, within timeoutMs.
bool WaitForWindowGone(const char* windowClass, DWORD timeoutMs = 15000);
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
