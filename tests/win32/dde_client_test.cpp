// Hot links and executes of Win32Dde against a DDEML server in another process, under Wine.
#include <gtest/gtest.h>

#include <vector>

#include "common/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

using namespace tarvello::error_number;

// What one link saw: every value in order and how often it was told of its end.
struct LinkLog {
    std::vector<std::wstring> values;
    int closed = 0;
    DdeLinkHandlers Handlers() {
        return {[this](const std::wstring& v) { values.push_back(v); }, [this] { ++closed; }};
    }
};

std::vector<std::string> Executes(const PeerProcess& peer) {
    std::vector<std::string> executes;
    for (const auto& line : peer.JournalLines()) {
        if (line.rfind("execute ", 0) == 0)
            executes.push_back(line.substr(8));
    }
    return executes;
}

TEST(Win32DdeClient, HotLinksShowTheCurrentValueThenEveryUpdateOnSeparateConversationsOfOneTopic) {
    const std::wstring service = FromAnsi(UniqueName("Contest"));
    PeerProcess peer("server", ToAnsi(service), "DDE", {"Winkel=123", "NeuesRufzeichen=DL1ABC", "Locator=JO31"});
    Win32Dde dde;
    LinkLog callsign, bearing, bearingToo;
    auto callsignLink = dde.OpenHotLink({service, L"DDE", L"NeuesRufzeichen"}, callsign.Handlers());
    auto bearingLink = dde.OpenHotLink({service, L"DDE", L"Winkel"}, bearing.Handlers());
    auto secondBearingLink = dde.OpenHotLink({service, L"dde", L"WINKEL"}, bearingToo.Handlers());
    EXPECT_EQ(callsign.values.size() + bearing.values.size() + bearingToo.values.size(), 3u)
        << "the value typed before the link opened is there at once";
    EXPECT_EQ(peer.CountLines("connect DDE"), 3) << "each link is a conversation of its own";

    const auto set = [&](const std::string& control, const LinkLog& log, std::size_t count) {
        peer.Control(control);
        return WaitUntil(
            [&] { return log.values.size() == count && bearingToo.values.size() == bearing.values.size(); }, 2000);
    };
    ASSERT_TRUE(set("set Winkel 270", bearing, 2));
    // ANSI text arrives as the same characters (code page 1252 under Wine).
    ASSERT_TRUE(set("set NeuesRufzeichen OE3XYZ \xE4\xF6\xFC", callsign, 2));
    ASSERT_TRUE(set("set Winkel ", bearing, 3));
    // An item's update reaches only its own links.
    EXPECT_EQ(callsign.values, (std::vector<std::wstring>{L"DL1ABC", L"OE3XYZ \u00e4\u00f6\u00fc"}));
    EXPECT_EQ(bearing.values, (std::vector<std::wstring>{L"123", L"270", L""}));
    EXPECT_EQ(bearingToo.values, bearing.values);
    EXPECT_TRUE(callsignLink->IsOpen() && bearingLink->IsOpen() && secondBearingLink->IsOpen());
    EXPECT_EQ(callsign.closed + bearing.closed + bearingToo.closed, 0);
}

TEST(Win32DdeClient, ExecutesCarryTheExactTextAndReportRefusalAndSilence) {
    const std::string accepting = UniqueName("DXA"), refusing = UniqueName("DXR"), silent = UniqueName("DXS");
    PeerProcess accept("server", accepting, "DDEServer", {"DDECommand=DDELookup"});
    PeerProcess refuse("server", refusing, "DDEServer", {"DDECommand=x", "execute=refuse"});
    PeerProcess block("server", silent, "DDEServer", {"DDECommand=x", "execute=block"});
    Win32Dde dde;
    auto link = dde.OpenHotLink({FromAnsi(accepting), L"DDEServer", L"DDECommand"}, {});
    for (const auto* command :
         {L"003selectbearing270", L"003selectbearing", L"003rotatesp", L"003selectbearing 12\u00b0 \u00e4"})
        link->Execute(command);
    EXPECT_EQ(ErrorOf([&] { link->Execute(std::wstring(L"003rotate\0lp", 12)); }), kInvalidArgument)
        << "a command with a NUL is not sent cut short";
    EXPECT_EQ(Executes(accept), (std::vector<std::string>{"003selectbearing270", "003selectbearing", "003rotatesp",
                                                          "003selectbearing 12\xB0 \xE4"}));

    auto refusedLink = dde.OpenHotLink({FromAnsi(refusing), L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { refusedLink->Execute(L"003rotatelp"); }), kDdeRefused);
    EXPECT_EQ(Executes(refuse), std::vector<std::string>{"003rotatelp"});
    EXPECT_TRUE(refusedLink->IsOpen()) << "a refusal does not end the conversation";

    auto silentLink = dde.OpenHotLink({FromAnsi(silent), L"DDEServer", L"DDECommand"}, {});
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(ErrorOf([&] { silentLink->Execute(L"003rotatesp"); }), kDdeTimeout);
    EXPECT_GE(GetTickCount64() - start, 4900u) << "a partner gets the customary 5 s to answer";
    EXPECT_LT(GetTickCount64() - start, 8000u) << "the wait for an answer is bounded";
    EXPECT_EQ(Executes(block), std::vector<std::string>{"003rotatesp"});
}

TEST(Win32DdeClient, AnAnswerWithinTheWaitCountsAndALaterOneIsAbsorbed) {
    // The partner takes 1.5 s over its first answer.
    const std::string patientService = UniqueName("SlowOk");
    PeerProcess patientPeer("server", patientService, "DDEServer", {"DDECommand=x", "execute=slowfirst"});
    Win32Dde patient;
    auto patientLink = patient.OpenHotLink({FromAnsi(patientService), L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { patientLink->Execute(L"003first"); }), 0);

    const std::string service = UniqueName("Slow");
    PeerProcess peer("server", service, "DDEServer", {"DDECommand=x", "execute=slowfirst"});
    DdeClientTimeouts impatient;
    impatient.executeMs = 1000;
    Win32Dde dde(impatient);
    auto link = dde.OpenHotLink({FromAnsi(service), L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003first"); }), kDdeTimeout);
    // The late answer to the first arrives while we wait for the second; it must not be taken for it.
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003second"); }), 0);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003third"); }), 0);
    EXPECT_EQ(
        peer.JournalLines(),
        (std::vector<std::string>{"ready", "connect DDEServer", "advstart DDECommand", "request DDECommand",
                                  "execute 003first", "answered 003first", "execute 003second", "execute 003third"}));
    EXPECT_TRUE(link->IsOpen());
}

TEST(Win32DdeClient, OpeningFailsWithTheRightNumber) {
    const std::wstring service = FromAnsi(UniqueName("Refuser"));
    PeerProcess peer("server", ToAnsi(service), "DDE", {"Winkel=1"});
    Win32Dde dde;
    LinkLog log;
    const struct {
        std::wstring service, topic, item;
        int error;
    } cases[] = {
        {FromAnsi(UniqueName("Nobody")), L"DDE", L"Winkel", kDdeNoAnswer},
        {L"", L"DDE", L"Winkel", kInvalidArgument},
        {L"Contest32", std::wstring(300, L'T'), L"Winkel", kInvalidArgument},
        {service, L"DDE", L"Unbekannt", kDdeRefused},
        {service, L"OtherTopic", L"Winkel", kDdeNoAnswer},
        {service, L"DDE", L"", kInvalidArgument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToAnsi(c.service + L"|" + c.topic + L"!" + c.item));
        EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink({c.service, c.topic, c.item}, log.Handlers()); }), c.error);
    }
    // The refused link's conversation was ended again by our side.
    EXPECT_TRUE(WaitUntil([&] { return peer.CountLines("disconnect") == 2; }, 2000));
    EXPECT_TRUE(log.values.empty());
    EXPECT_EQ(log.closed, 0) << "a link that never opened reports no closing";
}

TEST(Win32DdeClient, OnlyTheFirstOfTwoAnsweringServersKeepsTheConversation) {
    const std::string service = UniqueName("Twin");
    PeerProcess first("server", service, "DDE", {"Winkel=1"});
    PeerProcess second("server", service, "DDE", {"Winkel=2"});
    Win32Dde dde;
    LinkLog log;
    auto link = dde.OpenHotLink({FromAnsi(service), L"DDE", L"Winkel"}, log.Handlers());
    ASSERT_EQ(log.values.size(), 1u);
    PeerProcess& kept = log.values[0] == L"1" ? first : second;
    PeerProcess& dropped = log.values[0] == L"1" ? second : first;
    EXPECT_TRUE(WaitUntil([&] { return dropped.CountLines("disconnect") == 1; }, 2000));
    EXPECT_EQ(kept.CountLines("disconnect"), 0);
    EXPECT_EQ(kept.CountLines("advstart Winkel"), 1);
    EXPECT_EQ(dropped.CountLines("advstart Winkel"), 0);
}

}  // namespace
}  // namespace tarvello::win32::test
