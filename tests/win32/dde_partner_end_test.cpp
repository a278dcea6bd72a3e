// A link notices its partner's end within a second whichever way the partner goes, and our own closing of a
// link is never reported back as the partner's end.
#include <gtest/gtest.h>

#include <memory>

#include "dde_peer_process.h"
#include "platform/program_error.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

struct EndWatch {
    int closed = 0;
    LARGE_INTEGER closedAt{};
    std::vector<std::wstring> values;
    DdeLinkHandlers Handlers() {
        return {[this](const std::wstring& v) { values.push_back(v); },
                [this] {
                    ++closed;
                    QueryPerformanceCounter(&closedAt);
                }};
    }
};

double Between(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int ExecuteError(DdeLink& link) {
    try {
        link.Execute(L"003rotatesp");
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

// Opens two links on one topic, ends the partner by `end`, and checks both learn it within a second.
void ExpectEndNoticed(PeerProcess& peer,
                      const std::string& service,
                      const std::string& topic,
                      const std::function<void()>& end) {
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    EndWatch watch, command;
    auto watchLink = dde.OpenHotLink(FromAnsi(service), FromAnsi(topic), L"SpotPrefix", watch.Handlers());
    auto commandLink = dde.OpenHotLink(FromAnsi(service), FromAnsi(topic), L"DDECommand", command.Handlers());
    EXPECT_EQ(watch.values, std::vector<std::wstring>{L"DL"});
    LARGE_INTEGER endedAt;
    QueryPerformanceCounter(&endedAt);
    end();
    ASSERT_TRUE(WaitUntil([&] { return watch.closed == 1 && command.closed == 1; }, 3000));
    EXPECT_LE(Between(endedAt, watch.closedAt), 1000.0);
    EXPECT_LE(Between(endedAt, command.closedAt), 1000.0);
    EXPECT_FALSE(watchLink->IsOpen());
    EXPECT_EQ(ExecuteError(*commandLink), error_number::kDdeChannelClosed);
    // Told once, however many ways the end shows (terminate, vanished window).
    WaitUntil([] { return false; }, 600);
    EXPECT_EQ(watch.closed, 1);
    EXPECT_EQ(command.closed, 1);
}

TEST(Win32DdePartnerEnd, ARawServerThatQuitsInOrder) {
    const std::string service = UniqueName("RawQuit");
    PeerProcess peer("rawserver", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=DDELookup"});
    ExpectEndNoticed(peer, service, "DDEServer", [&] { peer.Control("quit"); });
}

TEST(Win32DdePartnerEnd, ADdemlServerThatUninitializesWhileItsProcessLivesOn) {
    const std::string service = UniqueName("Uninit");
    PeerProcess peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=DDELookup"});
    ExpectEndNoticed(peer, service, "DDEServer", [&] { peer.Control("uninit"); });
    EXPECT_EQ(peer.CountLines("uninitialized"), 1);
    EXPECT_FALSE(peer.WaitForExit(0)) << "the end was noticed without the process going";
}

TEST(Win32DdePartnerEnd, AKilledServer) {
    const std::string service = UniqueName("Killed");
    PeerProcess peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=DDELookup"});
    ExpectEndNoticed(peer, service, "DDEServer", [&] { peer.Kill(); });
}

TEST(Win32DdePartnerEnd, ClosingALinkOurselvesIsNotReportedAndReachesThePartner) {
    const std::string service = UniqueName("OwnClose");
    PeerProcess peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=x"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    EndWatch watch, other;
    auto link = dde.OpenHotLink(FromAnsi(service), L"DDEServer", L"SpotPrefix", watch.Handlers());
    auto otherLink = dde.OpenHotLink(FromAnsi(service), L"DDEServer", L"DDECommand", other.Handlers());
    link.reset();
    EXPECT_TRUE(peer.WaitForLine("disconnect", 2000)) << "the partner is told the conversation ended";
    peer.Control("set SpotPrefix DK");
    peer.Kill();
    ASSERT_TRUE(WaitUntil([&] { return other.closed == 1; }, 3000));
    EXPECT_EQ(watch.closed, 0);
    EXPECT_EQ(watch.values, std::vector<std::wstring>{L"DL"});
}

TEST(Win32DdePartnerEnd, ALinkDestroyedFromItsOwnNoticeOrDuringAWaitLeavesNoHarm) {
    const std::string service = UniqueName("Reentry");
    PeerProcess peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=x", "execute=block"});
    ASSERT_TRUE(peer.WaitForLine("ready", 20000));
    Win32Dde dde;
    std::unique_ptr<DdeLink> watchLink;
    int closed = 0;
    watchLink = dde.OpenHotLink(FromAnsi(service), L"DDEServer", L"SpotPrefix", {{}, [&] {
                                                                                     ++closed;
                                                                                     watchLink.reset();
                                                                                 }});
    std::unique_ptr<DdeLink> commandLink = dde.OpenHotLink(FromAnsi(service), L"DDEServer", L"DDECommand", {});
    // A timer that fires while Execute waits for an answer that never comes, and destroys that very link.
    static std::unique_ptr<DdeLink>* doomed = nullptr;
    doomed = &commandLink;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        doomed->reset();
    });
    DdeLink* executing = commandLink.get();
    int error = 0;
    try {
        executing->Execute(L"003rotatesp");
    } catch (const ProgramError& e) {
        error = e.Number();
    }
    KillTimer(nullptr, timer);
    EXPECT_EQ(error, error_number::kDdeChannelClosed);
    EXPECT_EQ(commandLink, nullptr);
    peer.Kill();
    ASSERT_TRUE(WaitUntil([&] { return closed == 1; }, 3000));
    EXPECT_EQ(watchLink, nullptr);
}

}  // namespace
}  // namespace tarvello::win32::test
