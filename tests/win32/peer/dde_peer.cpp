// A DDEML partner in its own process for the DDE tests; it journals each event as "STAMP text".
//   dde_peer server <service> <topic> <journal> <control> [ITEM=VALUE]... [execute=late]
//   dde_peer client <service> <topic> <journal> <control> [execute=CMD|request=ITEM|poke=ITEM:VALUE|advise=ITEM]...
// "*" as a client's service or topic names any. The server acknowledges executes, or with execute=late answers
// the first after 1.5 s and refuses every later one; it obeys lines appended to the control file: "set ITEM
// VALUE" and "uninit". Either side then stays until it is ended.
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

std::string g_journal, g_control, g_topic, g_executeMode;
std::size_t g_controlRead = 0;
std::map<std::string, std::string> g_items;
DWORD g_instance = 0;
int g_executes = 0;

void Journal(const std::string& text) {
    if (FILE* file = std::fopen(g_journal.c_str(), "ab")) {
        std::fprintf(file, "%lu %s\n", GetTickCount(), text.c_str());
        std::fclose(file);
    }
}

// The peer is short-lived: its string and data handles are not freed.
HSZ Name(const std::string& text) {
    return text == "*" ? nullptr : DdeCreateStringHandleA(g_instance, text.c_str(), CP_WINANSI);
}

std::string NameText(HSZ name) {
    char text[256] = {};
    DdeQueryStringA(g_instance, name, text, sizeof text, CP_WINANSI);
    return text;
}

std::string DataText(HDDEDATA data) {
    char text[512] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    return text;
}

HDDEDATA Flag(bool yes, ULONG_PTR flag = TRUE) {
    return reinterpret_cast<HDDEDATA>(yes ? flag : 0);
}

HDDEDATA CALLBACK OnTransaction(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    const auto found = g_items.find(NameText(item));
    switch (type) {
        case XTYP_CONNECT:
            return Flag(_stricmp(NameText(topic).c_str(), g_topic.c_str()) == 0);
        case XTYP_CONNECT_CONFIRM:
        case XTYP_DISCONNECT:
            Journal(type == XTYP_DISCONNECT ? "disconnect" : "connect");
            return nullptr;
        case XTYP_ADVSTART:
            return Flag(found != g_items.end());
        case XTYP_ADVSTOP:
            Journal("advstop " + NameText(item));
            return nullptr;
        case XTYP_REQUEST:
        case XTYP_ADVREQ:
            return found == g_items.end()
                       ? nullptr
                       : DdeCreateDataHandle(g_instance, reinterpret_cast<LPBYTE>(found->second.data()),
                                             static_cast<DWORD>(found->second.size() + 1), 0, item, CF_TEXT, 0);
        case XTYP_EXECUTE: {
            Journal("execute " + DataText(data));
            const bool late = g_executeMode == "late" && ++g_executes == 1;
            if (late)
                Sleep(1500);
            return Flag(g_executeMode != "late" || late, DDE_FACK);
        }
        case XTYP_ADVDATA:
            Journal("advdata " + NameText(item) + " " + DataText(data));
            return Flag(true, DDE_FACK);
        default:
            return nullptr;
    }
}

void CALLBACK ReadControl(HWND, UINT, UINT_PTR, DWORD) {
    std::ifstream in(g_control, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(g_controlRead));
    // At the end of the file a line may still be being written: it waits for the next tick.
    for (std::string line; g_instance != 0 && std::getline(in, line) && !in.eof();) {
        g_controlRead += line.size() + 1;
        const std::size_t blank = line.find(' ', 4);
        if (line == "uninit") {
            // The conversations end; the process stays.
            DdeUninitialize(g_instance);
            g_instance = 0;
        } else if (line.rfind("set ", 0) == 0 && blank != std::string::npos) {
            const std::string item = line.substr(4, blank - 4);
            g_items[item] = line.substr(blank + 1);
            DdePostAdvise(g_instance, Name(g_topic), Name(item));
        }
    }
}

// One client transaction; its journal line ends in the outcome.
std::string Transact(HCONV conversation, const std::string& argument) {
    const std::size_t equals = argument.find('='), colon = argument.find(':', equals);
    const std::string verb = argument.substr(0, equals);
    const std::string item = argument.substr(equals + 1, colon - equals - 1);
    const std::string value = colon == std::string::npos ? "" : argument.substr(colon + 1);
    const bool execute = verb == "execute";
    const UINT type = std::map<std::string, UINT>{
        {"execute", XTYP_EXECUTE}, {"request", XTYP_REQUEST}, {"poke", XTYP_POKE}, {"advise", XTYP_ADVSTART}}[verb];
    const std::string& data = execute ? item : value;
    DWORD result = 0;
    HDDEDATA reply =
        DdeClientTransaction(data.empty() ? nullptr : reinterpret_cast<LPBYTE>(const_cast<char*>(data.c_str())),
                             data.empty() ? 0 : static_cast<DWORD>(data.size() + 1), conversation,
                             execute ? nullptr : Name(item), execute ? 0 : CF_TEXT, type, 5000, &result);
    if (type == XTYP_REQUEST)
        return verb + " " + item + (reply ? " = " + DataText(reply) : " fail");
    return verb + " " + item + (reply ? " ack" : " nack");
}

// A peer left behind by a failed test ends itself.
void CALLBACK EndForgottenPeer(HWND, UINT, UINT_PTR, DWORD) {
    ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6)
        return 2;
    const bool server = std::string(argv[1]) == "server";
    g_topic = argv[3];
    g_journal = argv[4];
    g_control = argv[5];
    SetTimer(nullptr, 0, 60000, EndForgottenPeer);
    if (DdeInitializeA(&g_instance, OnTransaction, server ? APPCLASS_STANDARD : APPCMD_CLIENTONLY, 0) !=
        DMLERR_NO_ERROR)
        return 1;
    if (server) {
        for (const std::string& argument : std::vector<std::string>(argv + 6, argv + argc)) {
            const std::string name = argument.substr(0, argument.find('='));
            (name == "execute" ? g_executeMode : g_items[name]) = argument.substr(name.size() + 1);
        }
        DdeNameService(g_instance, Name(argv[2]), nullptr, DNS_REGISTER);
        SetTimer(nullptr, 0, 10, ReadControl);
        Journal("ready");
    } else {
        HCONV conversation = DdeConnect(g_instance, Name(argv[2]), Name(g_topic), nullptr);
        Journal(conversation ? "connect ok" : "connect fail");
        for (int i = 6; conversation != nullptr && i < argc; ++i)
            Journal(Transact(conversation, argv[i]));
        Journal("done");
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
