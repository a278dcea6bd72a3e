// The program's own DDE topic under Win32Dde: a DDEML client in another process and a raw client in this one
// execute, request, poke and hold hot links; ending the registration ends every conversation at once.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

using namespace tarvello::error_number;

// Accepts exactly "003start"; serves a few fields; records what reached it.
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
    const std::string app = UniqueName("Tarvello");
    Win32Dde dde;
    RecordingTopic topic;
    auto registration = dde.RegisterTopic(FromAnsi(app), L"DDEClient", L"DDEClient", topic);
    PeerProcess client("client", app, "ddeclient",
                       {"execute=003start", "execute=003stop", "execute=003START", "request=DDELookup",
                        "request=Unbekannt", "poke=Freq:14025.5", "request=freq", "execute=boom", "execute=003start",
                        "advise=Unbekannt:0", "advise=SpotPrefix:2"});
    ASSERT_TRUE(client.WaitForLine("advise SpotPrefix ok", 15000));
    topic.fields[L"SpotPrefix"] = L"DL";
    registration->NotifyItemChanged(L"SpotPrefix");
    registration->NotifyItemChanged(L"Freq");  // nobody links to it
    topic.fields[L"SpotPrefix"] = L"OE \u00e4";
    registration->NotifyItemChanged(L"spotprefix");
    ASSERT_TRUE(client.WaitForLine("done", 15000));
    EXPECT_EQ(client.JournalLines(),
              (std::vector<std::string>{"connect ok", "execute 003start ack", "execute 003stop nack",
                                        "execute 003START nack", "request DDELookup = DDELookup",
                                        "request Unbekannt fail", "poke Freq ack", "request freq = 14025.5",
                                        "execute boom nack", "execute 003start ack", "advise Unbekannt fail",
                                        "advise Unbekannt complete", "advise SpotPrefix ok", "advdata SpotPrefix DL",
                                        "advdata SpotPrefix OE \xE4", "advise SpotPrefix complete", "done"}));
    EXPECT_EQ(topic.executes, (std::vector<std::wstring>{L"003start", L"003stop", L"003START", L"boom", L"003start"}));
    EXPECT_EQ(topic.fields[L"Freq"], L"14025.5");
}

TEST(Win32DdeTopic, ARawClientLinksExecutesAndLearnsTheTopicsEnd) {
    const std::wstring app = FromAnsi(UniqueName("Tarvello"));
    Win32Dde server;
    Win32Dde client;
    RecordingTopic topic;
    auto registration = server.RegisterTopic(app, L"DDEClient", L"DDEClientCaption", topic);
    EXPECT_NE(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    topic.fields[L"SpotPrefix"] = L"DL";
    std::vector<std::wstring> values;
    int closed = 0;
    auto link = client.OpenHotLink({app, L"DDEClient", L"SpotPrefix"},
                                   {[&](const std::wstring& v) { values.push_back(v); }, [&] { ++closed; }});
    // Names are matched without regard to letter case, as atoms are.
    auto other = client.OpenHotLink({app, L"ddeclient", L"DDELOOKUP"}, {{}, [&] { ++closed; }});
    EXPECT_EQ(values, std::vector<std::wstring>{L"DL"});
    link->Execute(L"003start");
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003stop"); }), kDdeRefused);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"boom"); }), kDdeRefused);
    EXPECT_EQ(ErrorOf([&] { other->Execute(L"003start"); }), 0);
    EXPECT_EQ(topic.executes, (std::vector<std::wstring>{L"003start", L"003stop", L"boom", L"003start"}));
    topic.fields[L"SpotPrefix"] = L"DK";
    registration->NotifyItemChanged(L"SpotPrefix");
    ASSERT_TRUE(WaitUntil([&] { return values.size() == 2; }, 2000));
    EXPECT_EQ(values.back(), L"DK");
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"Andere", L"SpotPrefix"}, {}); }), kDdeNoAnswer);
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"DDEClient", L"Unbekannt"}, {}); }), kDdeRefused);

    registration.reset();
    EXPECT_EQ(FindWindowA(nullptr, "DDEClientCaption"), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return closed == 2; }, 1000)) << "both links learn the end within a second";
    EXPECT_FALSE(link->IsOpen());
    EXPECT_EQ(ErrorOf([&] { other->Execute(L"003start"); }), kDdeChannelClosed);
    WaitUntil([] { return false; }, 600);
    EXPECT_EQ(closed, 2) << "each link is told once";
    EXPECT_EQ(ErrorOf([&] { client.OpenHotLink({app, L"DDEClient", L"SpotPrefix"}, {}); }), kDdeNoAnswer);
}

TEST(Win32DdeTopic, RegisteringWithoutANameIsRefused) {
    Win32Dde dde;
    RecordingTopic topic;
    EXPECT_EQ(ErrorOf([&] { dde.RegisterTopic(L"", L"DDEClient", L"x", topic); }), kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { dde.RegisterTopic(L"Tarvello", L"", L"x", topic); }), kInvalidArgument);
}

}  // namespace
}  // namespace tarvello::win32::test
