// The program's own DDE topic under Win32Dde: a DDEML client in another process executes, requests, pokes and
// holds a hot link; ending the registration ends its conversation.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "base/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

using namespace tarvello::error_number;

// Accepts exactly "003start", fails on "boom"; serves a few fields; records what reached it.
class RecordingTopic : public DdeTopicHandler {
public:
    bool OnExecute(const std::wstring& command) override {
        executes.push_back(command);
        if (command == L"boom")
            throw std::runtime_error("handler failure");
        return command == L"003start";
    }
    std::optional<std::wstring> OnRequest(const std::wstring& item) override {
        for (const auto& [name, value] : fields) {
            if (SameDdeName(name, item))
                return value;
        }
        return std::nullopt;
    }
    bool OnPoke(const std::wstring& item, const std::wstring& value) override {
        if (!OnRequest(item))
            return false;
        fields[item] = value;
        return true;
    }
    std::map<std::wstring, std::wstring> fields{{L"SpotPrefix", L""}, {L"DDELookup", L"DDELookup"}, {L"Freq", L""}};
    std::vector<std::wstring> executes;
};

TEST(Win32DdeTopic, ADdemlClientInAnotherProcessExecutesRequestsPokesHoldsAHotLinkAndLearnsTheTopicsEnd) {
    const std::wstring app = UniqueName(L"Tarvello");
    Win32Dde dde;
    RecordingTopic topic;
    EXPECT_EQ(ErrorOf([&] { dde.RegisterTopic(L"", L"DDEClient", L"x", topic); }), kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { dde.RegisterTopic(app, L"", L"x", topic); }), kInvalidArgument);
    auto registration = dde.RegisterTopic(app, L"DDEClient", L"DDEClientCaption", topic);
    EXPECT_NE(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    PeerProcess client(
        L"client", app, L"ddeclient",
        {L"execute=003start", L"execute=003stop", L"request=DDELookup", L"request=Unbekannt", L"poke=Freq:14025.5",
         L"request=freq", L"execute=boom", L"execute=003start", L"advise=Unbekannt", L"advise=SpotPrefix"});
    ASSERT_TRUE(client.WaitForText("done", 15000));
    topic.fields[L"SpotPrefix"] = L"DL";
    registration->NotifyItemChanged(L"SpotPrefix");
    registration->NotifyItemChanged(L"Freq");  // nobody links to it
    topic.fields[L"SpotPrefix"] = L"OE \u00e4";
    registration->NotifyItemChanged(L"spotprefix");
    ASSERT_TRUE(client.WaitForText("advdata SpotPrefix OE \xE4"));
    EXPECT_EQ(test_support::JournalTexts(client.journal),
              (std::vector<std::string>{"connect ok", "execute 003start ack", "execute 003stop nack",
                                        "request DDELookup = DDELookup", "request Unbekannt fail", "poke Freq ack",
                                        "request freq = 14025.5", "execute boom nack", "execute 003start ack",
                                        "advise Unbekannt nack", "advise SpotPrefix ack", "done",
                                        "advdata SpotPrefix DL", "advdata SpotPrefix OE \xE4"}));
    EXPECT_EQ(topic.executes, (std::vector<std::wstring>{L"003start", L"003stop", L"boom", L"003start"}));
    EXPECT_EQ(topic.fields[L"Freq"], L"14025.5");

    // Ending the registration ends the conversation and takes the topic's window along.
    registration.reset();
    EXPECT_EQ(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    EXPECT_TRUE(client.WaitForText("disconnect", 2000));

    // A client that names no service, or no topic, finds ours too.
    registration = dde.RegisterTopic(app, L"DDEClient", L"DDEClient", topic);
    for (const auto& [service, topicName] : {std::pair{std::wstring(L"*"), L"DDEClient"}, {app, L"*"}}) {
        PeerProcess wildcard(L"client", service, topicName, {L"request=DDELookup"});
        EXPECT_TRUE(wildcard.WaitForText("request DDELookup = DDELookup")) << test_support::Narrow(service);
    }
}

}  // namespace
}  // namespace tarvello::win32::test
