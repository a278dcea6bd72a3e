// Hot links and executes of Win32Dde against a DDEML server in another process, under Wine.
#include <gtest/gtest.h>

#include "base/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"

namespace tarvello::win32::test {
namespace {

using namespace tarvello::error_number;

std::vector<std::string> Executes(const PeerProcess& peer) {
    return test_support::JournalTextsStartingWith(peer.journal, "EXECUTE ");
}

TEST(Win32DdeClient, HotLinksShowTheCurrentValueThenEveryUpdateEachOnItsOwnConversationAndExecutesCarryAnsiText) {
    const std::wstring service = UniqueName(L"Contest");
    PeerProcess peer(L"server", service, L"DDE", {L"Winkel=123", L"NeuesRufzeichen=DL1ABC"});
    Win32Dde dde;
    LinkLog callsign, bearing;
    auto callsignLink = dde.OpenHotLink({service, L"DDE", L"NeuesRufzeichen"}, callsign.Handlers());
    auto bearingLink = dde.OpenHotLink({service, L"DDE", L"Winkel"}, bearing.Handlers());
    auto secondBearingLink = dde.OpenHotLink({service, L"dde", L"WINKEL"}, {});
    // The value typed before the link opened is there at once.
    EXPECT_EQ(callsign.values, std::vector<std::wstring>{L"DL1ABC"});
    EXPECT_EQ(bearing.values, std::vector<std::wstring>{L"123"});
    EXPECT_EQ(peer.Events("CONNECT"), (std::vector<std::string>{"CONNECT c1 DDE", "CONNECT c2 DDE", "CONNECT c3 DDE"}))
        << "every link is a conversation of its own, also on one topic";

    const auto set = [&](const std::string& control, const LinkLog& log, std::size_t count) {
        peer.Control(control);
        return WaitFor([&] { return log.values.size() == count; }, 2000);
    };
    ASSERT_TRUE(set("set Winkel 270", bearing, 2));
    // ANSI text arrives as the same characters (code page 1252 under Wine).
    ASSERT_TRUE(set("set NeuesRufzeichen OE3XYZ \xE4\xF6\xFC", callsign, 2));
    ASSERT_TRUE(set("set Winkel ", bearing, 3));
    // An item's update reaches only its own links.
    EXPECT_EQ(callsign.values, (std::vector<std::wstring>{L"DL1ABC", L"OE3XYZ \u00e4\u00f6\u00fc"}));
    EXPECT_EQ(bearing.values, (std::vector<std::wstring>{L"123", L"270", L""}));
    EXPECT_EQ(callsign.closed + bearing.closed, 0);

    bearingLink->Execute(L"003selectbearing 12\u00b0 \u00e4");
    EXPECT_EQ(ErrorOf([&] { bearingLink->Execute(std::wstring(L"003rotate\0lp", 12)); }), kInvalidArgument)
        << "a command with a NUL is not sent cut short";
    // The command goes on the conversation of the link it was given to.
    EXPECT_EQ(Executes(peer), std::vector<std::string>{"EXECUTE c2 003selectbearing 12\xB0 \xE4"});
}

TEST(Win32DdeClient, ATimeOutIs286ARefusal285AndALateAnswerIsNotTakenForTheNextCommand) {
    const std::wstring service = UniqueName(L"Slow");
    PeerProcess peer(L"server", service, L"DDEServer", {L"DDECommand=x", L"execute=late"});
    DdeClientTimeouts impatient;
    impatient.executeMs = 1000;
    Win32Dde dde(impatient);
    auto link = dde.OpenHotLink({service, L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003first"); }), kDdeTimeout);
    // The first command's acknowledgement arrives while the second waits; the second itself is refused.
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003second"); }), kDdeRefused);
    EXPECT_EQ(Executes(peer), (std::vector<std::string>{"EXECUTE c1 003first", "EXECUTE c1 003second"}));
    EXPECT_TRUE(link->IsOpen()) << "neither a time-out nor a refusal ends the conversation";
}

TEST(Win32DdeClient, OpeningFailsWithTheRightNumberAndOnlyTheFirstOfTwoAnsweringServersIsKept) {
    const std::wstring service = UniqueName(L"Refuser");
    PeerProcess peer(L"server", service, L"DDE", {L"Winkel=1"});
    Win32Dde dde;
    LinkLog log;
    const struct {
        std::wstring service, topic, item;
        int error;
    } cases[] = {
        {UniqueName(L"Nobody"), L"DDE", L"Winkel", kDdeNoAnswer},
        {L"", L"DDE", L"Winkel", kInvalidArgument},
        {service, std::wstring(300, L'T'), L"Winkel", kInvalidArgument},
        {service, L"DDE", L"Unbekannt", kDdeRefused},
        {service, L"OtherTopic", L"Winkel", kDdeNoAnswer},
        {service, L"DDE", L"", kInvalidArgument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(test_support::Narrow(c.topic + L"!" + c.item));
        EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink({c.service, c.topic, c.item}, log.Handlers()); }), c.error);
    }
    // The conversations of the refused link and of the empty item were ended again by our side.
    EXPECT_TRUE(WaitFor(
        [&] {
            return peer.Events("DISCONNECT") == std::vector<std::string>{"DISCONNECT c1", "DISCONNECT c2"};
        },
        2000));
    EXPECT_TRUE(log.values.empty());
    EXPECT_EQ(log.closed, 0) << "a link that never opened reports no closing";

    // A second server under the same name answers too, and is let go at once.
    PeerProcess twin(L"server", service, L"DDE", {L"Winkel=2"});
    LinkLog kept;
    auto link = dde.OpenHotLink({service, L"DDE", L"Winkel"}, kept.Handlers());
    EXPECT_EQ(peer.Events("CONNECT").size() + twin.Events("CONNECT").size(), 4u);
    EXPECT_TRUE(
        WaitFor([&] { return peer.Events("DISCONNECT").size() + twin.Events("DISCONNECT").size() == 3; }, 2000));
    EXPECT_EQ(kept.values.size(), 1u);
    EXPECT_TRUE(link->IsOpen());
}

}  // namespace
}  // namespace tarvello::win32::test
