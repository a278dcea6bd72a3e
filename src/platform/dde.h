// DDE family: client hot links with executes, and a DDE source under the program's own name.
// Every callback arrives on the user-interface thread through its message loop.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarvello {

// How long a DDE conversation waits for its partner's acknowledgement of an execute or a hot-link request: the
// customary default of DDE conversations. A slow partner that answers within it is no failure.
inline constexpr unsigned kDdeAcknowledgementTimeoutMs = 5000;

// An item of a partner's DDE topic, written application|topic!item.
struct DdeItemName {
    std::wstring application;
    std::wstring topic;
    std::wstring item;
};

// One client conversation holding a hot link on one item. Destroying it terminates the
// conversation without calling onClosed.
class DdeLink {
public:
    virtual ~DdeLink() = default;
    // Sends one execute and waits (pumping messages) for the acknowledgement, at most
    // kDdeAcknowledgementTimeoutMs. Throws ProgramError:
    // kDdeRefused for a negative acknowledgement, kDdeTimeout when none came, kDdeChannelClosed when the
    // conversation is gone.
    virtual void Execute(const std::wstring& command) = 0;
    virtual bool IsOpen() const = 0;
};

struct DdeLinkHandlers {
    std::function<void(const std::wstring& value)> onValue;  // the item's current value, then every new one
    std::function<void()> onClosed;                          // the partner ended the conversation or died
};

// The program's side of its own topic.
class DdeTopicHandler {
public:
    virtual ~DdeTopicHandler() = default;
    virtual bool OnExecute(const std::wstring& command) = 0;                      // true: positive acknowledgement
    virtual std::optional<std::wstring> OnRequest(const std::wstring& item) = 0;  // nullopt: no such item
    virtual bool OnPoke(const std::wstring& item, const std::wstring& value) = 0;
};

// Alive while the program answers on its topic; destroying it withdraws the topic and ends its conversations.
class DdeTopicRegistration {
public:
    virtual ~DdeTopicRegistration() = default;
    // Sends the new value of an item to every client holding a hot link on it.
    virtual void NotifyItemChanged(const std::wstring& item) = 0;
};

class Dde {
public:
    virtual ~Dde() = default;
    // Opens a conversation with application|topic and starts a hot link on item. Throws ProgramError:
    // kDdeNoAnswer when no application answered, kDdeRefused when the link was refused, kDdeTimeout.
    virtual std::unique_ptr<DdeLink> OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) = 0;
    // windowCaption names the hidden window that carries the topic.
    virtual std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                                const std::wstring& topic,
                                                                const std::wstring& windowCaption,
                                                                DdeTopicHandler& handler) = 0;
};

}  // namespace tarvello
