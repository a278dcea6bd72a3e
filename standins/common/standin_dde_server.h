// A small DDEML server for the stand-ins: one service, a few topics with their items, CF_TEXT values for
// requests and hot links, executes handed to the owner. Every DDE event goes into the journal.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
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
    // Handles one execute and returns the reply: DDE_FACK, DDE_FNOTPROCESSED or CBR_BLOCK.
    using ExecuteHandler = std::function<HDDEDATA(const std::string& topic, const std::string& command)>;

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
    // Orderly end: unregisters the service and closes every conversation.
    void Stop();

private:
    static HDDEDATA CALLBACK
    Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    static HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR);
    HDDEDATA Handle(UINT type, UINT format, HSZ hsz1, HSZ hsz2, HDDEDATA data);
    std::string NameOf(HSZ handle) const;
    const DdeTopic* FindTopic(const std::string& name) const;
    bool HasItem(const DdeTopic& topic, const std::string& item) const;
    HDDEDATA TextData(const std::string& text, HSZ item) const;

    Journal& journal_;
    ValueSource values_;
    ExecuteHandler execute_;
    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    std::vector<DdeTopic> topics_;
};

}  // namespace standin
