// Hot links and executes of Win32Dde against DDE partners in other processes: a DDEML server and a
// raw-message server, under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "dde_peer_process.h"
#include "platform/program_error.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

using tarvello::error_number::kDdeChannelClosed;
using tarvello::error_number::kDdeNoAnswer;
using tarvello::error_number::kDdeRefused;
using tarvello::error_number::kDdeTimeout;
using tarvello::error_number::kInvalidArgument;

// What one link saw: every value in order and how often it was told of its end.
struct LinkLog {
    std::vector<std::wstring> values;
    int closed = 0;
    DdeLinkHandlers Handlers() {
        return {[this](const std::wstring& v) { values.push_back(v); }, [this] { ++closed; }};
    }
};

std::wstring W(const std::string& s) {
    return FromAnsi(s);
}

int ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

TEST(Win32DdeClient, HotLinksShowTheCurrentValueThenEveryUpdateOnSeparateConversationsOfOneTopic) {
    const std::string service = UniqueName("Contest");
    PeerProcess peer("server", service, "DDE", {"Winkel=123", "NeuesRufzeichen=DL1ABC", "Locator=JO31"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    LinkLog callsign, bearing, bearingToo;
    auto callsignLink = dde.OpenHotLink(W(service), L"DDE", L"NeuesRufzeichen", callsign.Handlers());
    auto bearingLink = dde.OpenHotLink(W(service), L"DDE", L"Winkel", bearing.Handlers());
    auto secondBearingLink = dde.OpenHotLink(W(service), L"dde", L"WINKEL", bearingToo.Handlers());
    // The value typed before the link opened is there at once.
    EXPECT_EQ(callsign.values, std::vector<std::wstring>{L"DL1ABC"});
    EXPECT_EQ(bearing.values, std::vector<std::wstring>{L"123"});
    EXPECT_EQ(bearingToo.values, std::vector<std::wstring>{L"123"});
    EXPECT_EQ(peer.CountLines("connect DDE"), 3) << "each link is a conversation of its own";

    peer.Control("set Winkel 270");
    ASSERT_TRUE(WaitUntil([&] { return bearing.values.size() == 2 && bearingToo.values.size() == 2; }, 2000));
    EXPECT_EQ(bearing.values.back(), L"270");
    EXPECT_EQ(bearingToo.values.back(), L"270");
    // ANSI text arrives as the same characters (code page 1252 under Wine).
    peer.Control("set NeuesRufzeichen OE3XYZ \xE4\xF6\xFC");
    ASSERT_TRUE(WaitUntil([&] { return callsign.values.size() == 2; }, 2000));
    EXPECT_EQ(callsign.values.back(), L"OE3XYZ \u00e4\u00f6\u00fc");
    peer.Control("set Winkel ");
    ASSERT_TRUE(WaitUntil([&] { return bearing.values.size() == 3; }, 2000));
    EXPECT_EQ(bearing.values.back(), L"");
    EXPECT_EQ(callsign.values.size(), 2u) << "an item's update reaches only its own links";
    EXPECT_TRUE(callsignLink->IsOpen() && bearingLink->IsOpen() && secondBearingLink->IsOpen());
    EXPECT_EQ(callsign.closed + bearing.closed + bearingToo.closed, 0);
}

TEST(Win32DdeClient, UpdatesArriveQuickly) {
    const std::string service = UniqueName("Latency");
    PeerProcess peer("server", service, "DDE", {"Winkel=0"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> latencies;
    auto link = dde.OpenHotLink(W(service), L"DDE", L"Winkel",
                                {[&](const std::wstring& v) {
                                     LARGE_INTEGER sent{};
                                     sent.QuadPart = _wtoi64(v.c_str());
                                     if (sent.QuadPart != 0)
                                         latencies.push_back(MillisecondsSince(sent));
                                 },
                                 {}});
    for (int i = 1; i <= 20; ++i) {
        peer.Control("stamp Winkel");
        ASSERT_TRUE(WaitUntil([&] { return latencies.size() == static_cast<std::size_t>(i); }, 2000)) << i;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("hot link update latency over 20 updates: median %.2f ms, max %.2f ms\n", latencies[10],
                latencies.back());
    EXPECT_LT(latencies.back(), 1000.0) << "an update must show within a second even on a slow machine";
}

TEST(Win32DdeClient, ExecutesCarryTheExactTextAndReportRefusalAndSilence) {
    const std::string accepting = UniqueName("DXA");
    const std::string refusing = UniqueName("DXR");
    const std::string silent = UniqueName("DXS");
    PeerProcess accept("server", accepting, "DDEServer", {"DDECommand=DDELookup"});
    PeerProcess refuse("server", refusing, "DDEServer", {"DDECommand=x", "execute=refuse"});
    PeerProcess block("server", silent, "DDEServer", {"DDECommand=x", "execute=block"});
    ASSERT_TRUE(accept.WaitForLine("ready", 20000) && refuse.WaitForLine("ready", 20000) &&
                block.WaitForLine("ready", 20000));
    Win32Dde dde;
    LinkLog log;
    auto link = dde.OpenHotLink(W(accepting), L"DDEServer", L"DDECommand", log.Handlers());
    link->Execute(L"003selectbearing270");
    link->Execute(L"003selectbearing");
    link->Execute(L"003rotatesp");
    link->Execute(L"003selectbearing 12\u00b0 \u00e4");
    std::vector<std::string> executes;
    for (const auto& line : accept.JournalLines()) {
        if (line.rfind("execute ", 0) == 0)
            executes.push_back(line.substr(8));
    }
    EXPECT_EQ(executes, (std::vector<std::string>{"003selectbearing270", "003selectbearing", "003rotatesp",
                                                  "003selectbearing 12\xB0 \xE4"}));
    EXPECT_EQ(ErrorOf([&] { link->Execute(std::wstring(L"003rotate\0lp", 12)); }), kInvalidArgument);
    EXPECT_EQ(accept.CountLines("execute 003rotate"), 0) << "a command with a NUL is not sent cut short";

    auto refusedLink = dde.OpenHotLink(W(refusing), L"DDEServer", L"DDECommand", {});
    EXPECT_EQ(ErrorOf([&] { refusedLink->Execute(L"003rotatelp"); }), kDdeRefused);
    EXPECT_EQ(refuse.CountLines("execute 003rotatelp"), 1);
    EXPECT_TRUE(refusedLink->IsOpen()) << "a refusal does not end the conversation";

    auto silentLink = dde.OpenHotLink(W(silent), L"DDEServer", L"DDECommand", {});
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    EXPECT_EQ(ErrorOf([&] { silentLink->Execute(L"003rotatesp"); }), kDdeTimeout);
    const double waited = MillisecondsSince(start);
    EXPECT_GE(waited, 400.0);
    EXPECT_LT(waited, 3000.0) << "the wait for an answer is bounded";
    EXPECT_EQ(block.CountLines("execute 003rotatesp"), 1);
}

TEST(Win32DdeClient, ALateAnswerIsAbsorbedAndTheNextExecuteSucceeds) {
    const std::string service = UniqueName("Slow");
    PeerProcess peer("server", service, "DDEServer", {"DDECommand=x", "execute=slowfirst"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    auto link = dde.OpenHotLink(W(service), L"DDEServer", L"DDECommand", {});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003first"); }), kDdeTimeout);
    // The late answer to the first arrives while we wait for the second; it must not be taken for it.
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003second"); }), 0);
    EXPECT_EQ(peer.JournalLines(),
              (std::vector<std::string>{"ready", "connect DDEServer", "advstart DDECommand", "request DDECommand",
                                        "execute 003first", "answered 003first", "execute 003second"}));
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003third"); }), 0);
    EXPECT_EQ(peer.CountLines("execute 003third"), 1);
    EXPECT_TRUE(link->IsOpen());
}

TEST(Win32DdeClient, OpeningFailsWithTheRightNumber) {
    Win32Dde dde;
    LinkLog log;
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(W(UniqueName("Nobody")), L"DDE", L"Winkel", log.Handlers()); }),
              kDdeNoAnswer);
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(L"", L"DDE", L"Winkel", {}); }), kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(L"Contest32", std::wstring(300, L'T'), L"Winkel", {}); }),
              kInvalidArgument);

    const std::string service = UniqueName("Refuser");
    PeerProcess peer("server", service, "DDE", {"Winkel=1"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(W(service), L"DDE", L"Unbekannt", log.Handlers()); }), kDdeRefused);
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(W(service), L"OtherTopic", L"Winkel", log.Handlers()); }), kDdeNoAnswer);
    EXPECT_EQ(ErrorOf([&] { dde.OpenHotLink(W(service), L"DDE", L"", log.Handlers()); }), kInvalidArgument);
    // The refused link's conversation was ended again by our side.
    EXPECT_TRUE(WaitUntil([&] { return peer.CountLines("disconnect") == 2; }, 2000));
    EXPECT_TRUE(log.values.empty());
    EXPECT_EQ(log.closed, 0) << "a link that never opened reports no closing";
}

TEST(Win32DdeClient, OnlyTheFirstOfTwoAnsweringServersKeepsTheConversation) {
    const std::string service = UniqueName("Twin");
    PeerProcess first("server", service, "DDE", {"Winkel=1"});
    ASSERT_TRUE(first.WaitForLine("ready", 20000));
    PeerProcess second("server", service, "DDE", {"Winkel=2"});
    ASSERT_TRUE(second.WaitForLine("ready", 20000));
    Win32Dde dde;
    LinkLog log;
    auto link = dde.OpenHotLink(W(service), L"DDE", L"Winkel", log.Handlers());
    ASSERT_EQ(log.values.size(), 1u);
    const bool firstKept = log.values[0] == L"1";
    PeerProcess& kept = firstKept ? first : second;
    PeerProcess& dropped = firstKept ? second : first;
    EXPECT_TRUE(WaitUntil([&] { return dropped.CountLines("disconnect") == 1; }, 2000));
    EXPECT_EQ(kept.CountLines("disconnect"), 0);
    EXPECT_EQ(kept.CountLines("advstart Winkel"), 1);
    EXPECT_EQ(dropped.CountLines("advstart Winkel"), 0);
}

TEST(Win32DdeClient, ExecuteRoundTripMeasuredOverAThousand) {
    const std::string service = UniqueName("Bench");
    PeerProcess peer("server", service, "DDEServer", {"DDECommand=x", "execute=count"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    auto link = dde.OpenHotLink(W(service), L"DDEServer", L"DDECommand", {});
    std::vector<double> times;
    for (int i = 0; i < 1000; ++i) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        link->Execute(L"003rotatesp");
        times.push_back(MillisecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    std::printf("execute round trip over 1000: median %.3f ms, p99 %.3f ms, max %.3f ms\n", times[500], times[989],
                times.back());
    peer.Control("count");
    EXPECT_TRUE(peer.WaitForLine("executes 1000", 5000));
}

}  // namespace
}  // namespace tarvello::win32::test
