// A small DDEML server for the stand-ins: one service, a few topics with their items, CF_TEXT values for
// requests and hot links, executes handed to the owner. Every DDE event goes into the journal with the number of
// its conversation ("CONNECT c1 DDEServer", "EXECUTE c2 003rotatesp"), counted from 1 in the order they began,
// so that a test can tell how many conversations a client opened and which one carried what.
#pragma once

#include <windows.h>

#include <dde.h>
#include <ddeml.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "standin_journal.h"

namespace standin {

struct DdeTopic {
    std::string name;
    std::vector<std::string> items;
};

class DdeServer {
public:
    // Current text of an item; called for every request and every hot-link update.
    using ValueSource = std::function<std::string(const std::string& topic, const std::string& item)>;
    // Handles one execute and returns the reply: DDE_FACK, DDE_FNOTPROCESSED or CBR_BLOCK. conversation is the
    // tag its journal lines carry ("c2").
    using ExecuteHandler =
        std::function<HDDEDATA(const std::string& topic, const std::string& command, const std::string& conversation)>;

    DdeServer(Journal& journal, ValueSource values, ExecuteHandler execute);
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;
    ~DdeServer();

    // Registers the service; false (and journalled) when DDEML refuses.
    bool Start(const std::string& service, std::vector<DdeTopic> topics);
    // Sends the item's current value on every hot link to it.
    void PostAdvise(const std::string& topic, const std::string& item);
    // Sends one execute as a client of application|topic and ends that conversation again; the outcome as
    // "ack", "refused", "no-conversation" or "failed <DDEML error>".
    std::string SendExecute(const std::string& application,
                            const std::string& topic,
                            const std::string& command,
                            DWORD timeoutMs);
    // Ends every conversation that holds a hot link on item, as a partner that drops a link does; each is
    // journalled as "DROP cN item". Returns how many were ended.
    int EndConversationsOn(const std::string& item);
    // Orderly end: unregisters the service and closes every conversation.
    void Stop();

private:
    static HDDEDATA CALLBACK
    Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    static HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR);
    HDDEDATA Handle(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data);
    std::string NameOf(HSZ handle) const;
    const DdeTopic* FindTopic(const std::string& name) const;
    bool HasItem(const DdeTopic& topic, const std::string& item) const;
    HDDEDATA TextData(const std::string& text, HSZ item) const;
    // "c<N>" for a conversation this server answers; "c?" for one it never confirmed.
    std::string Tag(HCONV conversation) const;

    struct Conversation {
        int number;
        std::vector<std::string> hotLinks;  // items with an advise loop
    };

    Journal& journal_;
    ValueSource values_;
    ExecuteHandler execute_;
    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    std::vector<DdeTopic> topics_;
    std::map<HCONV, Conversation> conversations_;
    int conversationsBegun_ = 0;
};

}  // namespace standin
