// A link notices its partner's end within a second whichever way the partner goes, and our own closing of a
// link is never reported back as the partner's end.
#include <gtest/gtest.h>

#include <memory>

#include "common/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32::test {
namespace {

using error_number::kDdeChannelClosed;

struct EndWatch {
    int closed = 0;
    ULONGLONG closedAt = 0;
    std::vector<std::wstring> values;
    DdeLinkHandlers Handlers() {
        return {[this](const std::wstring& v) { values.push_back(v); },
                [this] {
                    ++closed;
                    closedAt = GetTickCount64();
                }};
    }
};

// A server in another process with our two hot links on its topic DDEServer, each watched for its end.
struct TwoLinks {
    explicit TwoLinks(const std::string& stem)
        : service(UniqueName(stem)),
          peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=DDELookup"}),
          watchLink(dde.OpenHotLink({FromAnsi(service), L"DDEServer", L"SpotPrefix"}, watch.Handlers())),
          commandLink(dde.OpenHotLink({FromAnsi(service), L"DDEServer", L"DDECommand"}, command.Handlers())) {}

    std::string service;
    PeerProcess peer;
    Win32Dde dde;
    EndWatch watch;
    EndWatch command;
    std::unique_ptr<DdeLink> watchLink;
    std::unique_ptr<DdeLink> commandLink;
};

TEST(Win32DdePartnerEnd, BothLinksLearnOnceWithinASecondWhenTheServerUninitializesOrIsKilled) {
    for (const bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "killed" : "uninitialized, process alive");
        TwoLinks links("End");
        auto& [service, peer, dde, watch, command, watchLink, commandLink] = links;
        EXPECT_EQ(watch.values, std::vector<std::wstring>{L"DL"});
        const ULONGLONG endedAt = GetTickCount64();
        // Wine's DDEML tells its clients nothing when a server uninitializes.
        kill ? peer.Kill() : peer.Control("uninit");
        ASSERT_TRUE(WaitUntil([&] { return watch.closed == 1 && command.closed == 1; }, 3000));
        EXPECT_LE(watch.closedAt - endedAt, 1000u);
        EXPECT_LE(command.closedAt - endedAt, 1000u);
        EXPECT_FALSE(watchLink->IsOpen());
        EXPECT_EQ(ErrorOf([&] { commandLink->Execute(L"003rotatesp"); }), kDdeChannelClosed);
        // Told once, however many ways the end shows (terminate, vanished window).
        WaitUntil([] { return false; }, 600);
        EXPECT_EQ(watch.closed + command.closed, 2);
        EXPECT_EQ(peer.HasExited(), kill) << "the end is noticed without the process going";
    }
}

TEST(Win32DdePartnerEnd, ClosingALinkOurselvesIsNotReportedAndReachesThePartner) {
    TwoLinks links("OwnClose");
    auto& [service, peer, dde, watch, other, link, otherLink] = links;
    link.reset();
    EXPECT_TRUE(peer.WaitForLine("disconnect", 2000)) << "the partner is told the conversation ended";
    peer.Control("set SpotPrefix DK");
    peer.Kill();
    ASSERT_TRUE(WaitUntil([&] { return other.closed == 1; }, 3000));
    EXPECT_EQ(watch.closed, 0);
    EXPECT_EQ(watch.values, std::vector<std::wstring>{L"DL"});
}

std::unique_ptr<DdeLink>* doomedLink = nullptr;

void CALLBACK DestroyDoomedLink(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    doomedLink->reset();
}

TEST(Win32DdePartnerEnd, ALinkDestroyedFromItsOwnNoticeOrDuringAWaitLeavesNoHarm) {
    const std::string service = UniqueName("Reentry");
    PeerProcess peer("server", service, "DDEServer", {"SpotPrefix=DL", "DDECommand=x", "execute=block"});
    Win32Dde dde;
    std::unique_ptr<DdeLink> watchLink;
    int closed = 0;
    watchLink = dde.OpenHotLink({FromAnsi(service), L"DDEServer", L"SpotPrefix"}, {{}, [&] {
                                                                                       ++closed;
                                                                                       watchLink.reset();
                                                                                   }});
    std::unique_ptr<DdeLink> commandLink = dde.OpenHotLink({FromAnsi(service), L"DDEServer", L"DDECommand"}, {});
    // A timer that fires while Execute waits for an answer that never comes, and destroys that very link.
    doomedLink = &commandLink;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DestroyDoomedLink);
    DdeLink* executing = commandLink.get();
    EXPECT_EQ(ErrorOf([&] { executing->Execute(L"003rotatesp"); }), kDdeChannelClosed);
    KillTimer(nullptr, timer);
    EXPECT_EQ(commandLink, nullptr);
    peer.Kill();
    ASSERT_TRUE(WaitUntil([&] { return closed == 1; }, 3000));
    EXPECT_EQ(watchLink, nullptr);
}

}  // namespace
}  // namespace tarvello::win32::test
