// DDEML server of the stand-ins; see standin_dde_server.h.
#include "standin_dde_server.h"

#include <algorithm>
#include <cstring>

namespace standin {

namespace {
// DDEML callbacks carry no user pointer; a stand-in runs one server per process.
DdeServer* g_server = nullptr;
}  // namespace

DdeServer::DdeServer(Journal& journal, ValueSource values, ExecuteHandler execute)
    : journal_(journal), values_(std::move(values)), execute_(std::move(execute)) {}

DdeServer::~DdeServer() {
    Stop();
}

bool DdeServer::Start(const std::string& service, std::vector<DdeTopic> topics) {
    topics_ = std::move(topics);
    g_server = this;
    // ANSI instance: executes from ANSI clients arrive byte for byte.
    const UINT result = DdeInitializeA(&instance_, &DdeServer::Callback,
                                       APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
    if (result != DMLERR_NO_ERROR) {
        journal_.Write("DDE-FAILED", "DdeInitialize " + std::to_string(result));
        instance_ = 0;
        return false;
    }
    service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
    if (DdeNameService(instance_, service_, nullptr, DNS_REGISTER) == nullptr) {
        journal_.Write("DDE-FAILED", "DdeNameService " + std::to_string(DdeGetLastError(instance_)));
        Stop();
        return false;
    }
    journal_.Write("DDE-REGISTERED", service);
    return true;
}

void DdeServer::PostAdvise(const std::string& topic, const std::string& item) {
    if (instance_ == 0)
        return;
    HSZ topicHandle = DdeCreateStringHandleA(instance_, topic.c_str(), CP_WINANSI);
    HSZ itemHandle = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
    DdePostAdvise(instance_, topicHandle, itemHandle);
    DdeFreeStringHandle(instance_, itemHandle);
    DdeFreeStringHandle(instance_, topicHandle);
}

std::string DdeServer::SendExecute(const std::string& application,
                                   const std::string& topic,
                                   const std::string& command,
                                   DWORD timeoutMs) {
    // A client instance of its own: the server instance may be inside a callback (a slow execute) right now,
    // and a synchronous transaction must not start from within one of its own callbacks.
    DWORD client = 0;
    if (DdeInitializeA(&client, &DdeServer::ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return "no-conversation";
    HSZ applicationHandle = DdeCreateStringHandleA(client, application.c_str(), CP_WINANSI);
    HSZ topicHandle = DdeCreateStringHandleA(client, topic.c_str(), CP_WINANSI);
    HCONV conversation = DdeConnect(client, applicationHandle, topicHandle, nullptr);
    DdeFreeStringHandle(client, topicHandle);
    DdeFreeStringHandle(client, applicationHandle);
    std::string outcome = "no-conversation";
    if (conversation != nullptr) {
        DWORD result = 0;
        const HDDEDATA done = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
                                                   static_cast<DWORD>(command.size() + 1), conversation, nullptr, 0,
                                                   XTYP_EXECUTE, timeoutMs, &result);
        const UINT error = DdeGetLastError(client);
        DdeDisconnect(conversation);
        outcome = done != nullptr                ? "ack"
                  : error == DMLERR_NOTPROCESSED ? "refused"
                                                 : "failed " + std::to_string(error);
    }
    DdeUninitialize(client);
    return outcome;
}

HDDEDATA CALLBACK DdeServer::ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

int DdeServer::EndConversationsOn(const std::string& item) {
    std::vector<HCONV> ending;
    for (const auto& [handle, conversation] : conversations_) {
        if (std::any_of(conversation.hotLinks.begin(), conversation.hotLinks.end(),
                        [&](const std::string& linked) { return lstrcmpiA(linked.c_str(), item.c_str()) == 0; }))
            ending.push_back(handle);
    }
    for (HCONV handle : ending) {
        journal_.Write("DROP", Tag(handle) + " " + item);
        CONVINFO info{};
        info.cb = sizeof info;
        const bool known = DdeQueryConvInfo(handle, QID_SYNC, &info) != 0;
        if (DdeDisconnect(handle)) {
            conversations_.erase(handle);
            continue;
        }
        // Wine's DDEML cannot end a conversation from the server's side; its terminate is posted by hand there,
        // from the conversation's own window, as a server written without DDEML would. The client's answer then
        // reaches DDEML as an ordinary end (DISCONNECT).
        conversations_[handle].hotLinks.clear();
        if (known)
            PostMessageA(info.hwndPartner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwnd), 0);
    }
    return static_cast<int>(ending.size());
}

void DdeServer::Stop() {
    conversations_.clear();
    if (instance_ == 0)
        return;
    DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance_, service_);
    DdeUninitialize(instance_);
    instance_ = 0;
    service_ = nullptr;
    if (g_server == this)
        g_server = nullptr;
}

HDDEDATA CALLBACK
DdeServer::Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    return g_server != nullptr ? g_server->Handle(type, format, conv, hsz1, hsz2, data) : nullptr;
}

std::string DdeServer::Tag(HCONV conversation) const {
    const auto found = conversations_.find(conversation);
    return found == conversations_.end() ? "c?" : "c" + std::to_string(found->second.number);
}

std::string DdeServer::NameOf(HSZ handle) const {
    char buffer[256] = {};
    const DWORD size = DdeQueryStringA(instance_, handle, buffer, sizeof(buffer), CP_WINANSI);
    return std::string(buffer, size < sizeof(buffer) ? size : sizeof(buffer) - 1);
}

const DdeTopic* DdeServer::FindTopic(const std::string& name) const {
    for (const DdeTopic& topic : topics_) {
        if (lstrcmpiA(topic.name.c_str(), name.c_str()) == 0)
            return &topic;
    }
    return nullptr;
}

bool DdeServer::HasItem(const DdeTopic& topic, const std::string& item) const {
    for (const std::string& name : topic.items) {
        if (lstrcmpiA(name.c_str(), item.c_str()) == 0)
            return true;
    }
    return false;
}

HDDEDATA DdeServer::TextData(const std::string& text, HSZ item) const {
    return DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                               static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA DdeServer::Handle(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
    const std::string tag = Tag(conv);
    switch (type) {
        case XTYP_CONNECT: {
            // The conversation gets its number when it is confirmed; a refused one never begins.
            const std::string topic = NameOf(hsz1);
            const bool known = FindTopic(topic) != nullptr;
            if (!known)
                journal_.Write("CONNECT-REFUSED", topic);
            return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(known));
        }
        case XTYP_CONNECT_CONFIRM:
            conversations_[conv] = {++conversationsBegun_, {}};
            journal_.Write("CONNECT", Tag(conv) + " " + NameOf(hsz1));
            return nullptr;
        case XTYP_DISCONNECT:
            journal_.Write("DISCONNECT", tag);
            conversations_.erase(conv);
            return nullptr;
        case XTYP_ADVSTART:
        case XTYP_REQUEST:
        case XTYP_ADVREQ: {
            const DdeTopic* topic = FindTopic(NameOf(hsz1));
            const std::string item = NameOf(hsz2);
            const bool served = topic != nullptr && HasItem(*topic, item) && format == CF_TEXT;
            if (type == XTYP_ADVSTART) {
                journal_.Write(served ? "ADVSTART" : "ADVSTART-REFUSED", tag + " " + item);
                if (served && conversations_.count(conv) != 0)
                    conversations_[conv].hotLinks.push_back(item);
                return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(served));
            }
            if (!served) {
                journal_.Write("REQUEST-REFUSED", tag + " " + item);
                return nullptr;
            }
            const std::string value = values_(topic->name, item);
            journal_.Write(type == XTYP_REQUEST ? "REQUEST" : "ADVISE", tag + " " + item + " " + value);
            return TextData(value, hsz2);
        }
        case XTYP_ADVSTOP: {
            const std::string item = NameOf(hsz2);
            journal_.Write("ADVSTOP", tag + " " + item);
            if (const auto found = conversations_.find(conv); found != conversations_.end())
                std::erase_if(found->second.hotLinks,
                              [&](const std::string& linked) { return lstrcmpiA(linked.c_str(), item.c_str()) == 0; });
            return nullptr;
        }
        case XTYP_EXECUTE: {
            const DdeTopic* topic = FindTopic(NameOf(hsz1));
            const DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::string bytes(size, '\0');
            if (size > 0)
                DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
            // The command ends at its terminating NUL; DDEML may hand over a larger block.
            bytes.resize(std::strlen(bytes.c_str()));
            if (topic == nullptr) {
                journal_.Write("EXECUTE-REFUSED", tag + " " + bytes);
                return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
            }
            return execute_(topic->name, bytes, tag);
        }
        case XTYP_POKE:
            journal_.Write("POKE-REFUSED", tag + " " + NameOf(hsz2));
            return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
        default:
            return nullptr;
    }
}

}  // namespace standin
