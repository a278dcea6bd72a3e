// A link notices its partner's end whichever way the partner goes, and our own closing of a link is never
// reported back as the partner's end.
#include <gtest/gtest.h>

#include <memory>

#include "base/program_error.h"
#include "dde_peer_process.h"
#include "platform/win32/win32_dde.h"

namespace tarvello::win32::test {
namespace {

using error_number::kDdeChannelClosed;

TEST(Win32DdePartnerEnd, EveryOpenLinkLearnsOnceThatTheServerUninitializedOrWasKilledAClosedOneNothing) {
    for (const bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "killed" : "uninitialized, process alive");
        const std::wstring service = UniqueName(L"End");
        PeerProcess peer(L"server", service, L"DDEServer", {L"SpotPrefix=DL", L"DDECommand=x", L"Label=y"});
        Win32Dde dde;
        LinkLog watch, command, ours;
        auto watchLink = dde.OpenHotLink({service, L"DDEServer", L"SpotPrefix"}, watch.Handlers());
        auto commandLink = dde.OpenHotLink({service, L"DDEServer", L"DDECommand"}, command.Handlers());
        auto ownLink = dde.OpenHotLink({service, L"DDEServer", L"Label"}, ours.Handlers());
        ownLink.reset();
        EXPECT_TRUE(peer.WaitForText("DISCONNECT c3", 2000)) << "our link's end ends its conversation";
        EXPECT_EQ(peer.Events("DISCONNECT").size(), 1u) << "the other links keep theirs";
        peer.Control("set SpotPrefix DK");
        ASSERT_TRUE(WaitFor([&] { return watch.values.size() == 2; }, 2000));

        // An uninitializing server ends its conversations and stays; a killed one says nothing, its windows vanish.
        kill ? peer.process.Kill() : peer.Control("uninit");
        ASSERT_TRUE(WaitFor([&] { return watch.closed == 1 && command.closed == 1; }, 2000));
        EXPECT_FALSE(watchLink->IsOpen());
        EXPECT_EQ(ErrorOf([&] { commandLink->Execute(L"003rotatesp"); }), kDdeChannelClosed);
        // Told once, however many ways the end shows (terminate, vanished window).
        WaitFor([] { return false; }, 600);
        EXPECT_EQ(watch.closed + command.closed, 2);
        EXPECT_EQ(ours.values, std::vector<std::wstring>{L"y"});
        EXPECT_EQ(ours.closed, 0);
        EXPECT_EQ(peer.process.Running(), !kill) << "the end is noticed without the process going";
    }
}

std::unique_ptr<DdeLink>* doomedLink = nullptr;

void CALLBACK DestroyDoomedLink(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    doomedLink->reset();
}

TEST(Win32DdePartnerEnd, ALinkDestroyedFromItsOwnNoticeOrDuringAWaitLeavesNoHarm) {
    const std::wstring service = UniqueName(L"Reentry");
    PeerProcess peer(L"server", service, L"DDEServer", {L"SpotPrefix=DL", L"DDECommand=x", L"execute=late"});
    Win32Dde dde;
    std::unique_ptr<DdeLink> watchLink;
    int closed = 0;
    watchLink = dde.OpenHotLink({service, L"DDEServer", L"SpotPrefix"}, {{}, [&] {
                                                                             ++closed;
                                                                             watchLink.reset();
                                                                         }});
    std::unique_ptr<DdeLink> commandLink = dde.OpenHotLink({service, L"DDEServer", L"DDECommand"}, {});
    // A timer that fires while Execute waits for the late answer, and destroys that very link.
    doomedLink = &commandLink;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DestroyDoomedLink);
    DdeLink* executing = commandLink.get();
    EXPECT_EQ(ErrorOf([&] { executing->Execute(L"003rotatesp"); }), kDdeChannelClosed);
    KillTimer(nullptr, timer);
    EXPECT_EQ(commandLink, nullptr);
    peer.process.Kill();
    ASSERT_TRUE(WaitFor([&] { return closed == 1; }, 2000));
    EXPECT_EQ(watchLink, nullptr);
}

}  // namespace
}  // namespace tarvello::win32::test
