// A DDE partner in its own process for the DDE tests: a DDEML server, a raw-message server (our own topic
// code), or a DDEML client. It writes a journal line per event and obeys commands appended to a control file.
// usage:
//   dde_peer server <service> <topic[,topic]> <journal> <control> [item=value]...
//   [execute=accept|refuse|block|slowfirst|count] dde_peer rawserver <service> <topic> <journal> <control>
//   [item=value]... [execute=accept|refuse] dde_peer client <service> <topic> <journal> [execute=CMD] [request=ITEM]
//   [poke=ITEM:VALUE] [advise=ITEM:N]...
// Control lines: "set ITEM VALUE", "stamp ITEM" (value = QueryPerformanceCounter), "count" (executes so far),
// "uninit", "quit".
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace {

constexpr DWORD kLifeMs = 60000;  // a peer left behind by a crashed test ends by itself
constexpr UINT_PTR kControlTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;

std::string g_journal;
std::string g_control;
std::size_t g_controlOffset = 0;
std::map<std::string, std::string> g_items;
std::string g_executeMode = "accept";

void Journal(const std::string& line) {
    if (FILE* f = std::fopen(g_journal.c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::vector<std::string> NewControlLines() {
    std::vector<std::string> lines;
    std::ifstream in(g_control, std::ios::binary);
    if (!in)
        return lines;
    in.seekg(static_cast<std::streamoff>(g_controlOffset));
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof())
            break;  // a line still being written
        g_controlOffset += line.size() + 1;
        lines.push_back(line);
    }
    return lines;
}

std::string Stamp() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return std::to_string(now.QuadPart);
}

// Splits "set ITEM VALUE" into its item and value; the value may hold blanks.
bool ParseSet(const std::string& line, std::string& item, std::string& value) {
    const std::size_t space = line.find(' ', 4);
    if (line.rfind("set ", 0) != 0 || space == std::string::npos)
        return false;
    item = line.substr(4, space - 4);
    value = line.substr(space + 1);
    return true;
}

void Pump() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- DDEML server --------------------------------------------------------------------------------------------
DWORD g_inst = 0;
HSZ g_service = nullptr;
std::vector<std::string> g_topics;
bool g_slowDone = false;
int g_executeCount = 0;

std::string HszText(HSZ hsz) {
    char buffer[256] = {};
    DdeQueryStringA(g_inst, hsz, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

HDDEDATA CALLBACK ServerCallback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT: {
            const std::string t = HszText(topic);
            for (const auto& known : g_topics) {
                if (_stricmp(known.c_str(), t.c_str()) == 0)
                    return reinterpret_cast<HDDEDATA>(TRUE);
            }
            return nullptr;
        }
        case XTYP_CONNECT_CONFIRM:
            Journal("connect " + HszText(topic));
            return nullptr;
        case XTYP_DISCONNECT:
            Journal("disconnect");
            return nullptr;
        case XTYP_ADVSTART:
            Journal("advstart " + HszText(item));
            return reinterpret_cast<HDDEDATA>(g_items.count(HszText(item)) ? TRUE : FALSE);
        case XTYP_ADVREQ:
        case XTYP_REQUEST: {
            const std::string name = HszText(item);
            if (type == XTYP_REQUEST)
                Journal("request " + name);
            auto it = g_items.find(name);
            if (it == g_items.end())
                return nullptr;
            return DdeCreateDataHandle(g_inst, reinterpret_cast<LPBYTE>(const_cast<char*>(it->second.c_str())),
                                       static_cast<DWORD>(it->second.size() + 1), 0, item, CF_TEXT, 0);
        }
        case XTYP_EXECUTE: {
            std::string command(DdeGetData(data, nullptr, 0, 0), '\0');
            DdeGetData(data, reinterpret_cast<LPBYTE>(command.data()), static_cast<DWORD>(command.size()), 0);
            command.resize(std::strlen(command.c_str()));
            ++g_executeCount;
            // "count" keeps file writes out of round-trip measurements.
            if (g_executeMode != "count")
                Journal("execute " + command);
            if (g_executeMode == "refuse")
                return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
            if (g_executeMode == "block")
                return CBR_BLOCK;
            if (g_executeMode == "slowfirst" && !g_slowDone) {
                g_slowDone = true;
                Sleep(700);
                Journal("answered " + command);
            }
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        default:
            return nullptr;
    }
}

void PostAdvise(const std::string& item) {
    HSZ hszItem = DdeCreateStringHandleA(g_inst, item.c_str(), CP_WINANSI);
    for (const auto& topic : g_topics) {
        HSZ hszTopic = DdeCreateStringHandleA(g_inst, topic.c_str(), CP_WINANSI);
        DdePostAdvise(g_inst, hszTopic, hszItem);
        DdeFreeStringHandle(g_inst, hszTopic);
    }
    DdeFreeStringHandle(g_inst, hszItem);
}

void ServerControl() {
    for (const std::string& line : NewControlLines()) {
        std::string item, value;
        if (ParseSet(line, item, value)) {
            g_items[item] = value;
            if (g_inst != 0)
                PostAdvise(item);
        } else if (line.rfind("stamp ", 0) == 0) {
            g_items[line.substr(6)] = Stamp();
            if (g_inst != 0)
                PostAdvise(line.substr(6));
        } else if (line == "count") {
            Journal("executes " + std::to_string(g_executeCount));
        } else if (line == "uninit" && g_inst != 0) {
            // Wine tells DDEML clients nothing of this; the process stays alive afterwards.
            DdeUninitialize(g_inst);
            g_inst = 0;
            Journal("uninitialized");
        } else if (line == "quit") {
            if (g_inst != 0)
                DdeUninitialize(g_inst);
            g_inst = 0;
            PostQuitMessage(0);
        }
    }
}

int RunDdemlServer(const std::string& service) {
    if (DdeInitializeA(&g_inst, ServerCallback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR) {
        Journal("init failed");
        return 1;
    }
    g_service = DdeCreateStringHandleA(g_inst, service.c_str(), CP_WINANSI);
    DdeNameService(g_inst, g_service, nullptr, DNS_REGISTER);
    SetTimer(nullptr, kControlTimer, 10, [](HWND, UINT, UINT_PTR, DWORD) { ServerControl(); });
    Journal("ready");
    Pump();
    return 0;
}

// ---- raw-message server (the program's own topic code) ------------------------------------------------------
class PeerTopic : public tarvello::DdeTopicHandler {
public:
    bool OnExecute(const std::wstring& command) override {
        Journal("execute " + tarvello::win32::ToAnsi(command));
        return g_executeMode != "refuse";
    }
    std::optional<std::wstring> OnRequest(const std::wstring& item) override {
        auto it = g_items.find(tarvello::win32::ToAnsi(item));
        if (it == g_items.end())
            return std::nullopt;
        return tarvello::win32::FromAnsi(it->second);
    }
    bool OnPoke(const std::wstring& item, const std::wstring& value) override {
        g_items[tarvello::win32::ToAnsi(item)] = tarvello::win32::ToAnsi(value);
        return true;
    }
};

std::unique_ptr<tarvello::DdeTopicRegistration> g_registration;

void RawControl() {
    for (const std::string& line : NewControlLines()) {
        std::string item, value;
        if (ParseSet(line, item, value)) {
            g_items[item] = value;
            if (g_registration)
                g_registration->NotifyItemChanged(tarvello::win32::FromAnsi(item));
        } else if (line == "quit") {
            g_registration.reset();  // posts WM_DDE_TERMINATE to every client
            PostQuitMessage(0);
        }
    }
}

int RunRawServer(const std::string& service, const std::string& topic) {
    tarvello::win32::Win32Dde dde;
    PeerTopic handler;
    g_registration =
        dde.RegisterTopic(tarvello::win32::FromAnsi(service), tarvello::win32::FromAnsi(topic), L"peer", handler);
    SetTimer(nullptr, kControlTimer, 10, [](HWND, UINT, UINT_PTR, DWORD) { RawControl(); });
    Journal("ready");
    Pump();
    g_registration.reset();
    return 0;
}

// ---- DDEML client ---------------------------------------------------------------------------------------------
int g_advisesWanted = 0;

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type != XTYP_ADVDATA)
        return nullptr;
    char text[512] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    Journal("advdata " + HszText(item) + " " + text);
    --g_advisesWanted;
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

std::string Transact(HCONV conv, const std::string& verb, const std::string& arg) {
    DWORD result = 0;
    if (verb == "execute") {
        HDDEDATA ok =
            DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(arg.c_str())),
                                 static_cast<DWORD>(arg.size() + 1), conv, nullptr, 0, XTYP_EXECUTE, 5000, &result);
        return "execute " + arg + (ok ? " ack" : " nack");
    }
    const std::size_t colon = arg.find(':');
    const std::string item = verb == "request" ? arg : arg.substr(0, colon);
    HSZ hszItem = DdeCreateStringHandleA(g_inst, item.c_str(), CP_WINANSI);
    std::string line;
    if (verb == "request") {
        HDDEDATA data = DdeClientTransaction(nullptr, 0, conv, hszItem, CF_TEXT, XTYP_REQUEST, 5000, &result);
        char text[512] = {};
        if (data != nullptr) {
            DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
            DdeFreeDataHandle(data);
        }
        line = "request " + item + (data ? std::string(" = ") + text : std::string(" fail"));
    } else if (verb == "poke") {
        const std::string value = arg.substr(colon + 1);
        HDDEDATA ok = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(value.c_str())),
                                           static_cast<DWORD>(value.size() + 1), conv, hszItem, CF_TEXT, XTYP_POKE,
                                           5000, &result);
        line = "poke " + item + (ok ? " ack" : " nack");
    } else if (verb == "advise") {
        HDDEDATA ok = DdeClientTransaction(nullptr, 0, conv, hszItem, CF_TEXT, XTYP_ADVSTART, 5000, &result);
        Journal("advise " + item + (ok ? " ok" : " fail"));
        g_advisesWanted = std::atoi(arg.substr(colon + 1).c_str());
        const ULONGLONG deadline = GetTickCount64() + 20000;
        MSG msg;
        while (ok && g_advisesWanted > 0 && GetTickCount64() < deadline) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            } else {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            }
        }
        line = "advise " + item + (g_advisesWanted <= 0 ? " complete" : " incomplete");
    }
    DdeFreeStringHandle(g_inst, hszItem);
    return line;
}

int RunDdemlClient(const std::string& service, const std::string& topic, int argc, char** argv, int first) {
    if (DdeInitializeA(&g_inst, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return 1;
    HSZ hszService = DdeCreateStringHandleA(g_inst, service.c_str(), CP_WINANSI);
    HSZ hszTopic = DdeCreateStringHandleA(g_inst, topic.c_str(), CP_WINANSI);
    HCONV conv = DdeConnect(g_inst, hszService, hszTopic, nullptr);
    Journal(conv ? "connect ok" : "connect fail");
    for (int i = first; conv != nullptr && i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        Journal(Transact(conv, arg.substr(0, eq), arg.substr(eq + 1)));
    }
    if (conv != nullptr)
        DdeDisconnect(conv);
    Journal("done");
    DdeUninitialize(g_inst);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5)
        return 2;
    const std::string mode = argv[1];
    g_journal = argv[4];
    SetTimer(nullptr, kLifeTimer, kLifeMs, [](HWND, UINT, UINT_PTR, DWORD) { ExitProcess(3); });
    if (mode == "client") {
        g_topics = {argv[3]};
        return RunDdemlClient(argv[2], argv[3], argc, argv, 5);
    }
    if (argc < 6)
        return 2;
    g_control = argv[5];
    for (int i = 6; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos)
            continue;
        if (arg.substr(0, eq) == "execute") {
            g_executeMode = arg.substr(eq + 1);
        } else {
            g_items[arg.substr(0, eq)] = arg.substr(eq + 1);
        }
    }
    if (mode == "server") {
        std::string topics = argv[3];
        for (std::size_t start = 0, comma; start <= topics.size(); start = comma + 1) {
            comma = topics.find(',', start);
            if (comma == std::string::npos)
                comma = topics.size();
            g_topics.push_back(topics.substr(start, comma - start));
        }
        return RunDdemlServer(argv[2]);
    }
    if (mode == "rawserver")
        return RunRawServer(argv[2], argv[3]);
    return 2;
}
