// A DDEML partner in its own process for the DDE tests; it writes a journal line per event.
//   dde_peer server <service> <topic> <journal> <control> [item=value]... [execute=accept|refuse|block|slowfirst]
//   dde_peer client <service> <topic> <journal> <control> [execute=CMD|request=ITEM|poke=ITEM:VALUE|advise=ITEM:N]...
// The server obeys lines appended to the control file: "set ITEM VALUE" and "uninit".
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

constexpr DWORD kLifeMs = 60000;  // a peer left behind by a crashed test ends by itself

std::string g_journal;
std::string g_control;
std::size_t g_controlOffset = 0;
std::map<std::string, std::string> g_items;
std::string g_executeMode = "accept";
DWORD g_inst = 0;
std::string g_topic;
bool g_slowDone = false;
int g_advisesWanted = 0;

void Journal(const std::string& line) {
    if (FILE* f = std::fopen(g_journal.c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string HszText(HSZ hsz) {
    char buffer[256] = {};
    DdeQueryStringA(g_inst, hsz, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

std::string DataText(HDDEDATA data) {
    char text[512] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    return text;
}

HDDEDATA CALLBACK ServerCallback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    const std::string name = HszText(item);
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(_stricmp(HszText(topic).c_str(), g_topic.c_str()) == 0);
        case XTYP_CONNECT_CONFIRM:
            Journal("connect " + HszText(topic));
            return nullptr;
        case XTYP_DISCONNECT:
            Journal("disconnect");
            return nullptr;
        case XTYP_ADVSTART:
            Journal("advstart " + name);
            return reinterpret_cast<HDDEDATA>(g_items.count(name) > 0);
        case XTYP_REQUEST:
            Journal("request " + name);
            [[fallthrough]];
        case XTYP_ADVREQ: {
            auto it = g_items.find(name);
            if (it == g_items.end())
                return nullptr;
            return DdeCreateDataHandle(g_inst, reinterpret_cast<LPBYTE>(it->second.data()),
                                       static_cast<DWORD>(it->second.size() + 1), 0, item, CF_TEXT, 0);
        }
        case XTYP_EXECUTE: {
            const std::string command = DataText(data);
            Journal("execute " + command);
            if (g_executeMode == "refuse")
                return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
            if (g_executeMode == "block")
                return CBR_BLOCK;
            if (g_executeMode == "slowfirst" && !g_slowDone) {
                g_slowDone = true;
                Sleep(1500);
                Journal("answered " + command);
            }
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        default:
            return nullptr;
    }
}

void CALLBACK ServerControl(HWND, UINT, UINT_PTR, DWORD) {
    std::ifstream in(g_control, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(g_controlOffset));
    std::string line;
    while (g_inst != 0 && std::getline(in, line) && !in.eof()) {  // at eof the line is still being written
        g_controlOffset += line.size() + 1;
        const std::size_t space = line.find(' ', 4);
        if (line.rfind("set ", 0) == 0 && space != std::string::npos) {
            const std::string item = line.substr(4, space - 4);
            g_items[item] = line.substr(space + 1);
            HSZ hszItem = DdeCreateStringHandleA(g_inst, item.c_str(), CP_WINANSI);
            HSZ hszTopic = DdeCreateStringHandleA(g_inst, g_topic.c_str(), CP_WINANSI);
            DdePostAdvise(g_inst, hszTopic, hszItem);
            DdeFreeStringHandle(g_inst, hszTopic);
            DdeFreeStringHandle(g_inst, hszItem);
        } else if (line == "uninit") {
            // Wine tells DDEML clients nothing of this; the process stays alive afterwards.
            DdeUninitialize(g_inst);
            g_inst = 0;
            Journal("uninitialized");
        }
    }
}

int RunServer(const std::string& service) {
    if (DdeInitializeA(&g_inst, ServerCallback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR)
        return 1;
    DdeNameService(g_inst, DdeCreateStringHandleA(g_inst, service.c_str(), CP_WINANSI), nullptr, DNS_REGISTER);
    SetTimer(nullptr, 0, 10, ServerControl);
    Journal("ready");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type != XTYP_ADVDATA)
        return nullptr;
    Journal("advdata " + HszText(item) + " " + DataText(data));
    --g_advisesWanted;
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

// value nullptr: a transaction without data.
HDDEDATA Send(HCONV conv, const std::string* value, HSZ item, UINT format, UINT type) {
    DWORD result = 0;
    return DdeClientTransaction(value ? reinterpret_cast<LPBYTE>(const_cast<char*>(value->c_str())) : nullptr,
                                value ? static_cast<DWORD>(value->size() + 1) : 0, conv, item, format, type, 5000,
                                &result);
}

std::string Transact(HCONV conv, const std::string& verb, const std::string& arg) {
    if (verb == "execute")
        return "execute " + arg + (Send(conv, &arg, nullptr, 0, XTYP_EXECUTE) ? " ack" : " nack");
    const std::size_t colon = arg.find(':');
    const std::string item = arg.substr(0, colon);
    HSZ hszItem = DdeCreateStringHandleA(g_inst, item.c_str(), CP_WINANSI);
    std::string line = verb + " " + item;
    if (verb == "request") {
        HDDEDATA data = Send(conv, nullptr, hszItem, CF_TEXT, XTYP_REQUEST);
        line += data ? " = " + DataText(data) : " fail";  // the peer is short-lived: handles are not freed
    } else if (verb == "poke") {
        const std::string value = arg.substr(colon + 1);
        line += Send(conv, &value, hszItem, CF_TEXT, XTYP_POKE) ? " ack" : " nack";
    } else if (verb == "advise") {
        const bool ok = Send(conv, nullptr, hszItem, CF_TEXT, XTYP_ADVSTART) != nullptr;
        Journal(line + (ok ? " ok" : " fail"));
        g_advisesWanted = std::atoi(arg.substr(colon + 1).c_str());
        const ULONGLONG deadline = GetTickCount64() + 20000;
        for (MSG msg; ok && g_advisesWanted > 0 && GetTickCount64() < deadline;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        line += g_advisesWanted <= 0 ? " complete" : " incomplete";
    }
    return line;
}

int RunClient(const std::string& service, int argc, char** argv) {
    if (DdeInitializeA(&g_inst, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return 1;
    HCONV conv = DdeConnect(g_inst, DdeCreateStringHandleA(g_inst, service.c_str(), CP_WINANSI),
                            DdeCreateStringHandleA(g_inst, g_topic.c_str(), CP_WINANSI), nullptr);
    Journal(conv ? "connect ok" : "connect fail");
    for (int i = 6; conv != nullptr && i < argc; ++i) {
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

// A peer left behind by a failed test ends itself.
void CALLBACK EndForgottenPeer(HWND, UINT, UINT_PTR, DWORD) {
    ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6)
        return 2;
    const std::string mode = argv[1];
    g_topic = argv[3];
    g_journal = argv[4];
    g_control = argv[5];
    SetTimer(nullptr, 0, kLifeMs, EndForgottenPeer);
    if (mode == "client")
        return RunClient(argv[2], argc, argv);
    for (int i = 6; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        (arg.substr(0, eq) == "execute" ? g_executeMode : g_items[arg.substr(0, eq)]) = arg.substr(eq + 1);
    }
    return mode == "server" ? RunServer(argv[2]) : 2;
}
