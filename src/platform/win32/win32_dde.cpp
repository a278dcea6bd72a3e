// Win32Dde: hands out client links and topic registrations built on the raw-message conversations.
#include "platform/win32/win32_dde.h"

#include "base/program_error.h"
#include "platform/win32/win32_dde_client.h"
#include "platform/win32/win32_dde_server.h"

namespace tarvello::win32 {
namespace {

class Win32DdeLink : public DdeLink {
public:
    explicit Win32DdeLink(std::shared_ptr<DdeClientConversation> conversation)
        : conversation_(std::move(conversation)) {}
    ~Win32DdeLink() override { conversation_->Close(); }
    void Execute(const std::wstring& command) override {
        // Held here too: a callback during the wait may destroy this link.
        auto conversation = conversation_;
        conversation->Execute(command);
    }
    bool IsOpen() const override { return conversation_->IsOpen(); }

private:
    std::shared_ptr<DdeClientConversation> conversation_;
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
    // A conversation of its own for every link, also when another one already talks to the same topic.
    return std::make_unique<Win32DdeLink>(DdeClientConversation::Open(name, std::move(handlers), timeouts_));
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
