// The simulated DDE bus: partner servers that tests start, stop and script, client links of the program,
// and clients that talk to the program's own topic.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/dde.h"
#include "platform/sim/sim_event_loop.h"

namespace tarvello::sim {

class SimDde;

// DDE names (applications, topics, items) are atoms, and atoms match without regard to letter case.
bool SameDdeName(const std::wstring& a, const std::wstring& b);
struct DdeNameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

enum class ExecuteAnswer { kAccept, kRefuse, kNoAnswer };

// A partner program's DDE source, such as DXView or the contest logger.
class SimDdeServer {
public:
    SimDdeServer(SimDde& bus, std::wstring application, const std::set<std::wstring>& topics)
        : bus_(bus), application_(std::move(application)), topics_(topics.begin(), topics.end()) {}

    const std::wstring& Application() const { return application_; }
    bool HasTopic(const std::wstring& topic) const { return topics_.count(topic) != 0; }
    // Sets an item and sends the new value to every hot link on it, through the message loop.
    void SetItem(const std::wstring& topic, const std::wstring& item, const std::wstring& value);
    std::wstring Item(const std::wstring& topic, const std::wstring& item) const;

    ExecuteAnswer executeAnswer = ExecuteAnswer::kAccept;
    // A slow partner: the program's wait for each answer lasts this long, and its message loop runs meanwhile.
    std::uint32_t executeDelayMs = 0;
    std::uint32_t linkDelayMs = 0;
    std::set<std::wstring, DdeNameLess> refusedAdviseItems;  // items whose hot link request is refused
    std::vector<std::wstring> executes;                      // every execute as received, in order
    // In order: "advise <item>" for each hot link opened, "execute <command>" and "answer <ack|refused>".
    std::vector<std::wstring> journal;

private:
    SimDde& bus_;
    std::wstring application_;
    std::set<std::wstring, DdeNameLess> topics_;
    std::map<std::wstring, std::wstring, DdeNameLess> items_;  // "topic!item" -> value
};

class SimDde : public Dde {
public:
    explicit SimDde(SimEventLoop& loop) : loop_(loop) {}
    ~SimDde() override;

    std::unique_ptr<DdeLink> OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) override;
    std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                        const std::wstring& topic,
                                                        const std::wstring& windowCaption,
                                                        DdeTopicHandler& handler) override;

    // Partner programs.
    SimDdeServer& StartServer(const std::wstring& application, std::set<std::wstring> topics);
    // The partner quits or is killed: its conversations end, and each link learns it through the message loop.
    void StopServer(const std::wstring& application);
    // The server ends its conversations on one topic (every topic for an empty one) and goes on running.
    void EndConversations(const std::wstring& application, const std::wstring& topic);
    SimDdeServer* Server(const std::wstring& application);

    // Outside clients of the program's own topic. Return false when no such topic answers.
    bool HasTopic(const std::wstring& application, const std::wstring& topic) const;
    bool ClientExecute(const std::wstring& application, const std::wstring& topic, const std::wstring& command);
    std::optional<std::wstring> ClientRequest(const std::wstring& application,
                                              const std::wstring& topic,
                                              const std::wstring& item);
    bool ClientPoke(const std::wstring& application,
                    const std::wstring& topic,
                    const std::wstring& item,
                    const std::wstring& value);
    // A hot link of an outside client on the program's topic; values arrive in order.
    bool ClientAdvise(const std::wstring& application,
                      const std::wstring& topic,
                      const std::wstring& item,
                      std::function<void(const std::wstring&)> onValue);
    std::wstring RegisteredCaption(const std::wstring& application, const std::wstring& topic) const;

    // Every open attempt of the program, as "application|topic!item", in order.
    const std::vector<std::wstring>& OpenAttempts() const { return openAttempts_; }
    std::size_t OpenLinkCount() const;

    // Used by links, registrations and servers.
    struct LinkState {
        std::wstring application, topic, item;
        DdeLinkHandlers handlers;
        bool open = true;
        std::uint64_t serial = 0;  // a notice in the loop names its link by this, never by an address
    };
    void Detach(LinkState* link);
    void NotifyServerItem(const std::wstring& application,
                          const std::wstring& topic,
                          const std::wstring& item,
                          const std::wstring& value);
    void ExecuteOnServer(LinkState& link, const std::wstring& command);
    struct TopicState {
        std::wstring application, topic, caption;
        DdeTopicHandler* handler;
        std::multimap<std::wstring, std::function<void(const std::wstring&)>, DdeNameLess> advises;
    };
    void Unregister(TopicState* topic);

private:
    // The open link with this serial, or nullptr once it is gone: a new link may live where an old one did.
    LinkState* LinkBySerial(std::uint64_t serial) const;
    // Lets the simulated time of a partner's answer pass; false when it came too late to be waited for.
    bool WaitForAnswer(std::uint32_t delayMs);
    TopicState* FindTopic(const std::wstring& application, const std::wstring& topic) const;

    SimEventLoop& loop_;
    std::map<std::wstring, std::unique_ptr<SimDdeServer>, DdeNameLess> servers_;
    std::vector<LinkState*> links_;
    std::uint64_t nextSerial_ = 1;
    std::vector<TopicState*> topics_;
    std::vector<std::wstring> openAttempts_;
};

}  // namespace tarvello::sim
