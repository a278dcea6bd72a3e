// A DDEML partner in its own process for the DDE tests; it journals each event as the stand-ins do.
//   dde_peer server <service> <topic> <journal> <control> [ITEM=VALUE]... [execute=late]
//   dde_peer client <service> <topic> <journal> <control> [execute=CMD|request=ITEM|poke=ITEM:VALUE|advise=ITEM]...
// The server is the stand-ins' DDEML server; it acknowledges executes, or with execute=late answers the first
// after 1.5 s and refuses every later one, and obeys lines appended to the control file: "set ITEM VALUE" and
// "uninit". "*" as a client's service or topic names any. Either side then stays until it is ended.
#include <windows.h>

#include <ddeml.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../../../standins/common/standin_dde_server.h"

namespace {

standin::Journal g_journal;
std::string g_control, g_topic, g_executeMode;
std::size_t g_controlRead = 0;
std::map<std::string, std::string> g_items;
std::unique_ptr<standin::DdeServer> g_server;
DWORD g_client = 0;
HCONV g_conversation = nullptr;
int g_executes = 0;

HDDEDATA OnExecute(const std::string&, const std::string& command, const std::string& conversation) {
    g_journal.Write("EXECUTE", conversation + " " + command);
    const bool late = g_executeMode == "late" && ++g_executes == 1;
    if (late)
        Sleep(1500);
    return reinterpret_cast<HDDEDATA>(g_executeMode != "late" || late ? DDE_FACK : DDE_FNOTPROCESSED);
}

void CALLBACK ReadControl(HWND, UINT, UINT_PTR, DWORD) {
    std::ifstream in(g_control, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(g_controlRead));
    // At the end of the file a line may still be being written: it waits for the next tick.
    for (std::string line; std::getline(in, line) && !in.eof();) {
        g_controlRead += line.size() + 1;
        const std::size_t blank = line.find(' ', 4);
        if (line == "uninit") {
            g_server->Stop();  // the conversations end; the process stays
        } else if (line.rfind("set ", 0) == 0 && blank != std::string::npos) {
            const std::string item = line.substr(4, blank - 4);
            g_items[item] = line.substr(blank + 1);
            g_server->PostAdvise(g_topic, item);
        }
    }
}

// The client's peer is short-lived: its string and data handles are not freed.
HSZ Name(const std::string& text) {
    return text == "*" ? nullptr : DdeCreateStringHandleA(g_client, text.c_str(), CP_WINANSI);
}

std::string NameText(HSZ name) {
    char text[256] = {};
    DdeQueryStringA(g_client, name, text, sizeof text, CP_WINANSI);
    return text;
}

std::string DataText(HDDEDATA data) {
    char text[512] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    return text;
}

HDDEDATA CALLBACK OnClientEvent(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type != XTYP_ADVDATA)
        return nullptr;
    g_journal.Write("advdata", NameText(item) + " " + DataText(data));
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
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

// Wine's DDEML tells a client of the server's terminate only through the conversation's status.
void CALLBACK WatchConversation(HWND, UINT, UINT_PTR timer, DWORD) {
    CONVINFO info{};
    info.cb = sizeof info;
    if (!DdeQueryConvInfo(g_conversation, QID_SYNC, &info) || (info.wStatus & ST_CONNECTED) == 0) {
        KillTimer(nullptr, timer);
        g_journal.Write("disconnect");
    }
}

// A peer left behind by a failed test ends itself.
void CALLBACK EndForgottenPeer(HWND, UINT, UINT_PTR, DWORD) {
    ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6 || !g_journal.Open(argv[4]))
        return 2;
    g_topic = argv[3];
    g_control = argv[5];
    SetTimer(nullptr, 0, 60000, EndForgottenPeer);
    if (std::string(argv[1]) == "server") {
        std::vector<std::string> items;
        for (const std::string& argument : std::vector<std::string>(argv + 6, argv + argc)) {
            const std::string name = argument.substr(0, argument.find('='));
            (name == "execute" ? g_executeMode : g_items[name]) = argument.substr(name.size() + 1);
            if (name != "execute")
                items.push_back(name);
        }
        g_server = std::make_unique<standin::DdeServer>(
            g_journal, [](const std::string&, const std::string& item) { return g_items[item]; }, OnExecute);
        if (!g_server->Start(argv[2], {{g_topic, items}}))
            return 1;
        SetTimer(nullptr, 0, 10, ReadControl);
        g_journal.Write("READY");
    } else {
        if (DdeInitializeA(&g_client, OnClientEvent, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
            return 1;
        g_conversation = DdeConnect(g_client, Name(argv[2]), Name(g_topic), nullptr);
        g_journal.Write(g_conversation ? "connect ok" : "connect fail");
        for (int i = 6; g_conversation != nullptr && i < argc; ++i)
            g_journal.Write(Transact(g_conversation, argv[i]));
        g_journal.Write("done");
        if (g_conversation != nullptr)
            SetTimer(nullptr, 0, 20, WatchConversation);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
