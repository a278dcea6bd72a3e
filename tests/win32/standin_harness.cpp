// Test harness for the Wine tests that drive other processes; see standin_harness.h.
#include "standin_harness.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace standin_test {
namespace {

std::string DataText(HDDEDATA data) {
    std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size()), 0);
    text.resize(std::strlen(text.c_str()));
    return text;
}

DdeClient* g_client = nullptr;  // DDEML callbacks carry no user pointer

}  // namespace

std::string BinPath(const std::string& exe) {
    const char* bin = std::getenv("TARVELLO_BIN");
    std::string folder = bin != nullptr ? bin : ".";
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder + "\\" + exe;
}

std::string FreshJournalPath(const std::string& stem) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string path = temp + stem + "-" + std::to_string(GetCurrentProcessId()) + "-";
    path += std::to_string(++counter) + ".txt";
    DeleteFileA(path.c_str());
    return path;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<JournalLine> ReadJournal(const std::string& path) {
    std::vector<JournalLine> lines;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = content.substr(start, end - start);
        const auto first = line.find(' ');
        if (first == std::string::npos)
            continue;
        const auto second = line.find(' ', first + 1);
        lines.push_back({std::atoll(line.substr(0, first).c_str()), line.substr(first + 1, second - first - 1),
                         second == std::string::npos ? "" : line.substr(second + 1)});
    }
    return lines;
}

std::vector<std::string> JournalEntries(const std::string& path) {
    std::vector<std::string> entries;
    for (const JournalLine& line : ReadJournal(path))
        entries.push_back(line.Entry());
    return entries;
}

bool JournalHas(const std::string& path, const std::string& entry) {
    const std::vector<std::string> entries = JournalEntries(path);
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

std::string JournalText(const std::string& path) {
    std::string text;
    for (const std::string& entry : JournalEntries(path))
        text += (text.empty() ? "" : " | ") + entry;
    return text;
}

std::string LastEntry(const std::string& path) {
    const std::vector<std::string> entries = JournalEntries(path);
    return entries.empty() ? "" : entries.back();
}

bool WaitForEntry(const std::string& path, const std::string& entry, DWORD timeoutMs) {
    return WaitFor([&] { return JournalHas(path, entry); }, timeoutMs);
}

ChildProcess::~ChildProcess() {
    if (info_.hProcess == nullptr)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        return true;
    info_ = {};
    return false;
}

std::optional<DWORD> ChildProcess::WaitExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (info_.hProcess == nullptr ||
        !WaitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs))
        return std::nullopt;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::optional<DWORD> RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs) {
    ChildProcess process;
    if (!process.Start(exe, arguments))
        return std::nullopt;
    return process.WaitExit(timeoutMs);
}

using ProcessWindows = std::pair<DWORD, std::vector<TopLevelWindow>>;

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[256] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));
    if (owner == found->first)
        found->second.push_back({window, className, title});
    return TRUE;
}

std::vector<TopLevelWindow> TopLevelWindowsOf(DWORD processId) {
    ProcessWindows search{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND WaitForWindowOf(DWORD processId, const char* windowClass, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (const TopLevelWindow& window : TopLevelWindowsOf(processId)) {
                if (window.windowClass == windowClass)
                    found = window.handle;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowA(windowClass, title);
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool WaitForWindowGone(const char* windowClass, DWORD timeoutMs) {
    return WaitFor([&] { return FindWindowA(windowClass, nullptr) == nullptr; }, timeoutMs);
}

using TitleSearch = std::pair<std::string, HWND>;

BOOL CALLBACK MatchTitle(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<TitleSearch*>(param);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (found->first == text)
        found->second = window;
    return TRUE;
}

HWND FindDescendantTitled(HWND parent, const std::string& title) {
    TitleSearch search{title, nullptr};
    EnumChildWindows(parent, MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

LRESULT SendControl(HWND window, const std::string& text, ULONG_PTR tag) {
    COPYDATASTRUCT data = {tag, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

DdeClient::DdeClient() : outer_(g_client) {
    g_client = this;
    DdeInitializeA(&instance_, &DdeClient::Callback, APPCLASS_STANDARD, 0);
}

DdeClient::~DdeClient() {
    if (servedService_ != nullptr)
        DdeNameService(instance_, servedService_, nullptr, DNS_UNREGISTER);
    for (HSZ handle : strings_)
        DdeFreeStringHandle(instance_, handle);
    DdeUninitialize(instance_);
    g_client = outer_;
}

HSZ DdeClient::Hsz(const std::string& text) {
    strings_.push_back(DdeCreateStringHandleA(instance_, text.c_str(), CP_WINANSI));
    return strings_.back();
}

std::string DdeClient::Text(HSZ handle) const {
    char buffer[256] = {};
    DdeQueryStringA(instance_, handle, buffer, sizeof(buffer), CP_WINANSI);
    return buffer;
}

HCONV DdeClient::Connect(const std::string& service, const std::string& topic) {
    return DdeConnect(instance_, Hsz(service), Hsz(topic), nullptr);
}

std::optional<std::string> DdeClient::RequestOnce(const std::string& service,
                                                  const std::string& topic,
                                                  const std::string& item) {
    DdeClient client;
    HCONV conversation = client.Connect(service, topic);
    if (conversation == nullptr)
        return std::nullopt;
    DWORD result = 0;
    HDDEDATA data =
        DdeClientTransaction(nullptr, 0, conversation, client.Hsz(item), CF_TEXT, XTYP_REQUEST, 5000, &result);
    std::optional<std::string> value;
    if (data != nullptr) {
        value = DataText(data);
        DdeFreeDataHandle(data);
    }
    DdeDisconnect(conversation);
    return value;
}

bool DdeClient::StartHotLink(HCONV conversation, const std::string& item) {
    DWORD result = 0;
    return DdeClientTransaction(nullptr, 0, conversation, Hsz(item), CF_TEXT, XTYP_ADVSTART, 5000, &result) != nullptr;
}

bool DdeClient::Execute(HCONV conversation, const std::string& command, DWORD timeoutMs, UINT* error) {
    DWORD result = 0;
    const HDDEDATA done = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
                                               static_cast<DWORD>(command.size() + 1), conversation, nullptr, 0,
                                               XTYP_EXECUTE, timeoutMs, &result);
    if (error != nullptr)
        *error = DdeGetLastError(instance_);
    return done != nullptr;
}

bool DdeClient::Serve(const std::string& service, const std::string& topic) {
    servedTopic_ = topic;
    servedService_ = Hsz(service);
    return DdeNameService(instance_, servedService_, nullptr, DNS_REGISTER) != nullptr;
}

HDDEDATA CALLBACK DdeClient::Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    DdeClient* self = g_client;
    if (self == nullptr)
        return nullptr;
    switch (type) {
        case XTYP_ADVDATA:
            self->updates_.push_back(self->Text(hsz2) + " " + DataText(data));
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(lstrcmpiA(self->Text(hsz1).c_str(), self->servedTopic_.c_str()) == 0));
        case XTYP_EXECUTE:
            self->executes_.push_back(DataText(data));
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        default:
            return nullptr;
    }
}

}  // namespace standin_test
