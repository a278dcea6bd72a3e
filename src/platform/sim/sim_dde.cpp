// Simulated DDE bus.
#include "platform/sim/sim_dde.h"

#include <algorithm>

#include "base/program_error.h"

namespace tarvello::sim {
namespace {

// Upper case as atoms compare: the ASCII letters and those of Latin-1.
wchar_t FoldCase(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

std::wstring ItemKey(const std::wstring& topic, const std::wstring& item) {
    return topic + L"!" + item;
}

class SimLink : public DdeLink {
public:
    SimLink(SimDde& bus, std::unique_ptr<SimDde::LinkState> state) : bus_(bus), state_(std::move(state)) {}
    ~SimLink() override { bus_.Detach(state_.get()); }
    void Execute(const std::wstring& command) override { bus_.ExecuteOnServer(*state_, command); }
    bool IsOpen() const override { return state_->open; }

private:
    SimDde& bus_;
    std::unique_ptr<SimDde::LinkState> state_;
};

class SimRegistration : public DdeTopicRegistration {
public:
    SimRegistration(SimDde& bus, std::unique_ptr<SimDde::TopicState> state) : bus_(bus), state_(std::move(state)) {}
    ~SimRegistration() override { bus_.Unregister(state_.get()); }
    void NotifyItemChanged(const std::wstring& item) override {
        auto value = state_->handler->OnRequest(item);
        if (!value)
            return;
        auto range = state_->advises.equal_range(item);
        for (auto it = range.first; it != range.second; ++it)
            it->second(*value);
    }

private:
    SimDde& bus_;
    std::unique_ptr<SimDde::TopicState> state_;
};

}  // namespace

bool SameDdeName(const std::wstring& a, const std::wstring& b) {
    return !DdeNameLess{}(a, b) && !DdeNameLess{}(b, a);
}

bool DdeNameLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return FoldCase(x) < FoldCase(y); });
}

void SimDdeServer::SetItem(const std::wstring& topic, const std::wstring& item, const std::wstring& value) {
    items_[ItemKey(topic, item)] = value;
    bus_.NotifyServerItem(application_, topic, item, value);
}

std::wstring SimDdeServer::Item(const std::wstring& topic, const std::wstring& item) const {
    auto it = items_.find(ItemKey(topic, item));
    return it == items_.end() ? std::wstring() : it->second;
}

SimDde::~SimDde() = default;

std::unique_ptr<DdeLink> SimDde::OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) {
    const auto& [application, topic, item] = name;
    openAttempts_.push_back(application + L"|" + topic + L"!" + item);
    if (SimDdeServer* slow = Server(application); slow != nullptr && slow->linkDelayMs > 0) {
        if (!WaitForAnswer(slow->linkDelayMs))
            throw ProgramError(error_number::kDdeTimeout);
    }
    SimDdeServer* server = Server(application);
    if (server == nullptr || !server->HasTopic(topic))
        throw ProgramError(error_number::kDdeNoAnswer);
    if (server->refusedAdviseItems.count(item))
        throw ProgramError(error_number::kDdeRefused);
    server->journal.push_back(L"advise " + item);
    auto state =
        std::make_unique<LinkState>(LinkState{application, topic, item, std::move(handlers), true, nextSerial_++});
    links_.push_back(state.get());
    // The current value is shown as soon as the link opens.
    if (state->handlers.onValue)
        state->handlers.onValue(server->Item(topic, item));
    return std::make_unique<SimLink>(*this, std::move(state));
}

std::unique_ptr<DdeTopicRegistration> SimDde::RegisterTopic(const std::wstring& application,
                                                            const std::wstring& topic,
                                                            const std::wstring& windowCaption,
                                                            DdeTopicHandler& handler) {
    auto state = std::make_unique<TopicState>(TopicState{application, topic, windowCaption, &handler, {}});
    topics_.push_back(state.get());
    return std::make_unique<SimRegistration>(*this, std::move(state));
}

SimDdeServer& SimDde::StartServer(const std::wstring& application, std::set<std::wstring> topics) {
    auto server = std::make_unique<SimDdeServer>(*this, application, std::move(topics));
    auto& ref = *server;
    servers_[application] = std::move(server);
    return ref;
}

void SimDde::StopServer(const std::wstring& application) {
    servers_.erase(application);
    EndConversations(application, L"");
}

void SimDde::EndConversations(const std::wstring& application, const std::wstring& topic) {
    for (LinkState* link : links_) {
        const bool ofTopic = topic.empty() || SameDdeName(link->topic, topic);
        if (!SameDdeName(link->application, application) || !ofTopic || !link->open)
            continue;
        link->open = false;
        // The notice travels through the message loop, as WM_DDE_TERMINATE does; the link may be gone by then.
        loop_.Post([this, serial = link->serial] {
            LinkState* closed = LinkBySerial(serial);
            if (closed != nullptr && closed->handlers.onClosed)
                closed->handlers.onClosed();
        });
    }
}

SimDdeServer* SimDde::Server(const std::wstring& application) {
    auto it = servers_.find(application);
    return it == servers_.end() ? nullptr : it->second.get();
}

std::size_t SimDde::OpenLinkCount() const {
    return static_cast<std::size_t>(std::count_if(links_.begin(), links_.end(), [](auto* l) { return l->open; }));
}

SimDde::LinkState* SimDde::LinkBySerial(std::uint64_t serial) const {
    auto it = std::find_if(links_.begin(), links_.end(), [serial](const LinkState* l) { return l->serial == serial; });
    return it == links_.end() ? nullptr : *it;
}

void SimDde::Detach(LinkState* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void SimDde::NotifyServerItem(const std::wstring& application,
                              const std::wstring& topic,
                              const std::wstring& item,
                              const std::wstring& value) {
    for (LinkState* link : links_) {
        if (!link->open || !SameDdeName(link->application, application) || !SameDdeName(link->topic, topic) ||
            !SameDdeName(link->item, item))
            continue;
        loop_.Post([this, serial = link->serial, value] {
            LinkState* target = LinkBySerial(serial);
            if (target == nullptr || !target->open)
                return;
            if (target->handlers.onValue)
                target->handlers.onValue(value);
        });
    }
}

void SimDde::ExecuteOnServer(LinkState& link, const std::wstring& command) {
    SimDdeServer* server = Server(link.application);
    if (!link.open || server == nullptr)
        throw ProgramError(error_number::kDdeChannelClosed);
    server->executes.push_back(command);
    server->journal.push_back(L"execute " + command);
    if (server->executeDelayMs > 0) {
        const bool answered = WaitForAnswer(server->executeDelayMs);
        server = Server(link.application);
        if (!link.open || server == nullptr)
            throw ProgramError(error_number::kDdeChannelClosed);
        if (!answered)
            throw ProgramError(error_number::kDdeTimeout);
    }
    switch (server->executeAnswer) {
        case ExecuteAnswer::kAccept:
            server->journal.push_back(L"answer ack");
            return;
        case ExecuteAnswer::kRefuse:
            server->journal.push_back(L"answer refused");
            throw ProgramError(error_number::kDdeRefused);
        case ExecuteAnswer::kNoAnswer:
            WaitForAnswer(kDdeAcknowledgementTimeoutMs);
            throw ProgramError(error_number::kDdeTimeout);
    }
}

bool SimDde::WaitForAnswer(std::uint32_t delayMs) {
    // The wait pumps messages as the real one does: timers and posted events run inside it.
    const std::uint32_t waited = delayMs < kDdeAcknowledgementTimeoutMs ? delayMs : kDdeAcknowledgementTimeoutMs;
    loop_.Advance(waited);
    return delayMs <= kDdeAcknowledgementTimeoutMs;
}

SimDde::TopicState* SimDde::FindTopic(const std::wstring& application, const std::wstring& topic) const {
    for (TopicState* t : topics_) {
        if (SameDdeName(t->application, application) && SameDdeName(t->topic, topic))
            return t;
    }
    return nullptr;
}

void SimDde::Unregister(TopicState* topic) {
    topics_.erase(std::remove(topics_.begin(), topics_.end(), topic), topics_.end());
}

bool SimDde::HasTopic(const std::wstring& application, const std::wstring& topic) const {
    return FindTopic(application, topic) != nullptr;
}

bool SimDde::ClientExecute(const std::wstring& application, const std::wstring& topic, const std::wstring& command) {
    TopicState* t = FindTopic(application, topic);
    return t != nullptr && t->handler->OnExecute(command);
}

std::optional<std::wstring> SimDde::ClientRequest(const std::wstring& application,
                                                  const std::wstring& topic,
                                                  const std::wstring& item) {
    TopicState* t = FindTopic(application, topic);
    if (t == nullptr)
        return std::nullopt;
    return t->handler->OnRequest(item);
}

bool SimDde::ClientPoke(const std::wstring& application,
                        const std::wstring& topic,
                        const std::wstring& item,
                        const std::wstring& value) {
    TopicState* t = FindTopic(application, topic);
    return t != nullptr && t->handler->OnPoke(item, value);
}

bool SimDde::ClientAdvise(const std::wstring& application,
                          const std::wstring& topic,
                          const std::wstring& item,
                          std::function<void(const std::wstring&)> onValue) {
    TopicState* t = FindTopic(application, topic);
    if (t == nullptr || !t->handler->OnRequest(item))
        return false;
    t->advises.emplace(item, std::move(onValue));
    return true;
}

std::wstring SimDde::RegisteredCaption(const std::wstring& application, const std::wstring& topic) const {
    TopicState* t = FindTopic(application, topic);
    return t == nullptr ? std::wstring() : t->caption;
}

}  // namespace tarvello::sim
