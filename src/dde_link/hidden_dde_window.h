// The DXView link's hidden DDE window, captioned "DDEClient": the retry timer, the fields that hold DXView's two
// DDEServer links, and the program's own DDE topic on which other programs ask it to connect and read or poke the
// fields.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dde.h"
#include "platform/event_loop.h"
#include "platform/shell.h"

namespace tarvello {

class HiddenDdeWindow : public DdeTopicHandler {
public:
    static constexpr std::uint32_t kServerRetryIntervalMs = 5000;
    static constexpr std::wstring_view kSpotPrefixField = L"SpotPrefix";
    static constexpr std::wstring_view kDdeLookupField = L"DDELookup";

    // connectServer runs for every accepted "start" execute; retryTick for each tick of ServerRetryTimer.
    // The window is created with ServerRetryTimer stopped and every field at its initial text.
    HiddenDdeWindow(Dde& dde,
                    Shell& shell,
                    EventLoop& loop,
                    std::function<void(std::int16_t)> connectServer,
                    std::function<void()> retryTick);
    // Stops the timer, ends the SpotPrefix and DDELookup conversations and withdraws the topic.
    ~HiddenDdeWindow() override;
    HiddenDdeWindow(const HiddenDdeWindow&) = delete;
    HiddenDdeWindow& operator=(const HiddenDdeWindow&) = delete;

    // Answers on executableName|DDEClient from now until the window is destroyed. Throws ProgramError.
    void RegisterOwnTopic();
    bool TopicRegistered() const { return registration_ != nullptr; }
    std::wstring Caption() const;

    // ServerRetryTimer: starting it while it runs keeps the tick that is already due.
    void StartServerRetryTimer();
    void StopServerRetryTimer();
    bool ServerRetryTimerRunning() const { return retryTimer_.has_value(); }

    // Field texts by name, compared without regard to letter case as DDE item names are.
    std::optional<std::wstring> Field(const std::wstring& name) const;
    // Sets a field and sends the new text to outside hot links on it. Unknown names change nothing.
    // False for a name that is not one of the fields.
    bool SetField(std::wstring_view name, const std::wstring& text);

    // The two conversations with DXView's topic DDEServer held by SpotPrefix and DDELookup.
    void SetSpotPrefixLink(std::shared_ptr<DdeLink> link) { spotPrefixLink_ = std::move(link); }
    void SetDdeLookupLink(std::shared_ptr<DdeLink> link) { ddeLookupLink_ = std::move(link); }
    std::shared_ptr<DdeLink> DdeLookupLink() const { return ddeLookupLink_; }
    // Ends both conversations without a link-closed notice.
    void CloseLinks();

    bool OnExecute(const std::wstring& command) override;
    std::optional<std::wstring> OnRequest(const std::wstring& item) override;
    bool OnPoke(const std::wstring& item, const std::wstring& value) override;

private:
    std::optional<std::size_t> FieldIndex(std::wstring_view name) const;

    Dde& dde_;
    Shell& shell_;
    EventLoop& loop_;
    std::function<void(std::int16_t)> connectServer_;
    std::function<void()> retryTick_;
    std::optional<TimerId> retryTimer_;
    std::vector<std::pair<std::wstring, std::wstring>> fields_;  // name, text
    // Declared before the links, so that on destruction the links end first and the topic last.
    std::unique_ptr<DdeTopicRegistration> registration_;
    std::shared_ptr<DdeLink> spotPrefixLink_;
    std::shared_ptr<DdeLink> ddeLookupLink_;
};

}  // namespace tarvello
