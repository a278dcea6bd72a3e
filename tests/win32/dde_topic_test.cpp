// The program's own DDE topic under Win32Dde: a DDEML client in another process and a raw client in this one
// execute, request, poke and hold hot links; ending the registration ends every conversation at once.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "common/program_error.h"
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

TEST(Win32DdeTopic, ADdemlClientInAnotherProcessExecutesRequestsPokesAndHoldsAHotLink) {
    const std::wstring app = UniqueName(L"Tarvello");
    Win32Dde dde;
    RecordingTopic topic;
    auto registration = dde.RegisterTopic(app, L"DDEClient", L"DDEClient", topic);
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

    // A client that names no service, or no topic, finds ours too.
    for (const auto& [service, topicName] : {std::pair{std::wstring(L"*"), L"DDEClient"}, {app, L"*"}}) {
        PeerProcess wildcard(L"client", service, topicName, {L"request=DDELookup"});
        EXPECT_TRUE(wildcard.WaitForText("request DDELookup = DDELookup")) << test_support::Narrow(service);
    }
}

TEST(Win32DdeTopic, ARawClientLinksExecutesAndLearnsTheTopicsEnd) {
    const std::wstring app = UniqueName(L"Tarvello");
    Win32Dde server;
    Win32Dde client;
    RecordingTopic topic;
    EXPECT_EQ(ErrorOf([&] { server.RegisterTopic(L"", L"DDEClient", L"x", topic); }), kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { server.RegisterTopic(app, L"", L"x", topic); }), kInvalidArgument);
    auto registration = server.RegisterTopic(app, L"DDEClient", L"DDEClientCaption", topic);
    EXPECT_NE(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    topic.fields[L"SpotPrefix"] = L"DL";
    LinkLog prefix, lookup;
    auto link = client.OpenHotLink({app, L"DDEClient", L"SpotPrefix"}, prefix.Handlers());
    // Names are matched without regard to letter case, as atoms are.
    auto other = client.OpenHotLink({app, L"ddeclient", L"DDELOOKUP"}, lookup.Handlers());
    EXPECT_EQ(prefix.values, std::vector<std::wstring>{L"DL"});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003stop"); }), kDdeRefused);
    EXPECT_EQ(ErrorOf([&] { other->Execute(L"003start"); }), 0);
    EXPECT_EQ(topic.executes, (std::vector<std::wstring>{L"003stop", L"003start"}));
    topic.fields[L"SpotPrefix"] = L"DK";
    registration->NotifyItemChanged(L"SpotPrefix");
    ASSERT_TRUE(WaitFor([&] { return prefix.values.size() == 2; }, 2000));
    EXPECT_EQ(prefix.values.back(), L"DK");
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"Andere", L"SpotPrefix"}, {}); }), kDdeNoAnswer);
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"DDEClient", L"Unbekannt"}, {}); }), kDdeRefused);

    registration.reset();
    EXPECT_EQ(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    ASSERT_TRUE(WaitFor([&] { return prefix.closed == 1 && lookup.closed == 1; }, 1000))
        << "both links learn the end within a second";
    EXPECT_FALSE(link->IsOpen());
    EXPECT_EQ(ErrorOf([&] { other->Execute(L"003start"); }), kDdeChannelClosed);
    WaitFor([] { return false; }, 600);
    EXPECT_EQ(prefix.closed + lookup.closed, 2) << "each link is told once";
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"DDEClient", L"SpotPrefix"}, {}); }), kDdeNoAnswer);
}

}  // namespace
}  // namespace tarvello::win32::test
