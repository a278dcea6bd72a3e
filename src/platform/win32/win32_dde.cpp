// Win32Dde: hands out client links and topic registrations built on the raw-message conversations.
#include "platform/win32/win32_dde.h"

#include "common/program_error.h"
#include "platform/win32/win32_dde_client.h"
#include "platform/win32/win32_dde_server.h"

namespace tarvello::win32 {
namespace {

class Win32DdeLink : public DdeLink {
public:
    Win32DdeLink(std::shared_ptr<DdeClientConversation> conversation, DdeClientConversation::LinkId id)
        : conversation_(std::move(conversation)), id_(id) {}
    ~Win32DdeLink() override { conversation_->RemoveLink(id_); }
    void Execute(const std::wstring& command) override {
        // Held here too: a callback during the wait may destroy this link.
        auto conversation = conversation_;
        conversation->Execute(id_, command);
    }
    bool IsOpen() const override { return conversation_->IsOpen() && conversation_->HasLink(id_); }

private:
    std::shared_ptr<DdeClientConversation> conversation_;
    DdeClientConversation::LinkId id_;
};

class Win32TopicRegistration : public DdeTopicRegistration {
public:
    explicit Win32TopicRegistration(std::shared_ptr<DdeTopicWindow> window) : window_(std::move(window)) {}
    ~Win32TopicRegistration() override { window_->CloseAll(); }
    void NotifyItemChanged(const std::wstring& item) override { window_->NotifyItemChanged(item); }

private:
    std::shared_ptr<DdeTopicWindow> window_;
};

}  // namespace

std::unique_ptr<DdeLink> Win32Dde::OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) {
    // A topic already in conversation lends it to the new link: no second initiate.
    std::erase_if(conversations_, [](const auto& c) { return c.expired() || !c.lock()->IsOpen(); });
    std::shared_ptr<DdeClientConversation> conversation;
    for (const auto& weak : conversations_) {
        if (auto open = weak.lock(); open->Names(name.application, name.topic)) {
            conversation = std::move(open);
            break;
        }
    }
    if (!conversation) {
        conversation = DdeClientConversation::Open(name.application, name.topic, timeouts_);
        conversations_.push_back(conversation);
    }
    try {
        return std::make_unique<Win32DdeLink>(conversation, conversation->AddLink(name.item, std::move(handlers)));
    } catch (...) {
        // A conversation that got no link ends again.
        if (!conversation->HasLinks())
            conversation->Close();
        throw;
    }
}

std::unique_ptr<DdeTopicRegistration> Win32Dde::RegisterTopic(const std::wstring& application,
                                                              const std::wstring& topic,
                                                              const std::wstring& windowCaption,
                                                              DdeTopicHandler& handler) {
    if (application.empty() || topic.empty())
        throw ProgramError(error_number::kInvalidArgument);
    auto window = std::make_shared<DdeTopicWindow>(application, topic, handler);
    window->Create(windowCaption);
    return std::make_unique<Win32TopicRegistration>(std::move(window));
}

}  // namespace tarvello::win32
