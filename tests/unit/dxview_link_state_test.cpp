// The connection to DXView through every row of its state table: the start-up attempt, the single retry
// 5000 ms later, outside "start" requests, losses noticed through the SpotPrefix link, and shut-down.
#include <string>
#include <vector>

#include "dxview_link_fixture.h"
#include "failing_allocation.h"

namespace tarvello::dde_link_testing {
namespace {

TEST_F(DxViewLinkTest, ARetryTickThatFallsInsideASlowAttemptRunsAfterIt) {
    module.Initialize();  // no DXView: the retry is due 5000 ms from now
    desk.loop.Advance(4000);
    auto& dxview = StartDxView();
    dxview.linkDelayMs = 2000;
    dxview.refusedAdviseItems = {L"DDECommand"};
    RecordAttempts();
    EXPECT_TRUE(Execute(L"003start"));  // its attempt lasts 4000 ms, and the retry tick comes after 1000
    EXPECT_EQ(attempts, (Strings{"0 Retry scheduled", "4000 Retrying"}));
    EXPECT_EQ(DxViewState(), "Idle");
}

TEST_F(DxViewLinkTest, AReconnectionFailingAtTheSecondLinkKeepsOnlySpotPrefixAndALaterLossKeepsTheRetry) {
    auto& dxview = StartDxView();
    module.Initialize();
    dxview.refusedAdviseItems = {L"DDECommand"};
    RecordAttempts();
    EXPECT_TRUE(Execute(L"003start"));  // the old links close before the new ones open
    EXPECT_EQ(desk.dde.OpenLinkCount(), 1u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"DL");
    desk.loop.Advance(2000);
    EXPECT_EQ(module.Window()->Field(L"SpotPrefix"), L"DL");

    StopDxView();  // the SpotPrefix link that stayed open now ends
    desk.loop.Advance(2999);
    StartDxView();
    desk.loop.Advance(60'000);
    EXPECT_EQ(attempts, (Strings{"0 Connected", "5000 Retrying"}));
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);

    // Refused at the third link, the first two stay open; refused at the first, no old link stays.
    desk.dde.Server(L"DXView")->refusedAdviseItems = {L"ShortPath"};
    module.ConnectServer(3);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 2u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.dde.Server(L"DXView")->refusedAdviseItems = {L"SpotPrefix"};
    module.ConnectServer(3);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
}

TEST_F(DxViewLinkTest, OnlyTheEndOfTheSpotPrefixConversationTellsThatDXViewHasGone) {
    StartDxView();
    module.Initialize();
    desk.dde.EndConversations(L"DXView", L"DXViewMain");
    desk.loop.RunPending();
    EXPECT_EQ(DxViewState(), "Connected");
    desk.dde.EndConversations(L"DXView", L"DDEServer");
    desk.loop.RunPending();
    EXPECT_EQ(DxViewState(), "Retry scheduled");
}

TEST_F(DxViewLinkTest, AStartWhileConnectingIsIgnoredAndWhileConnectedReplacesTheLinksQuietly) {
    StartDxView();
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"DDECommand" && Attempts() == 1) {
            EXPECT_TRUE(Execute(L"003start"));  // arrives while the first attempt is still opening its links
        }
    };
    module.Initialize();
    EXPECT_EQ(Attempts(), 1u);
    const auto captionsBefore = mainWindow.captions.size();
    EXPECT_TRUE(Execute(L"003start"));
    desk.loop.RunPending();
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
    EXPECT_EQ(DxViewState(), "Connected");  // no loss reported, so no retry scheduled
    EXPECT_EQ(mainWindow.captions.size(), captionsBefore + 1);
}

TEST_F(DxViewLinkTest, TablesFollowSetServerConnectForEveryNumberAndRejectOthers) {
    module.Initialize();  // DXView absent: server 3 has its retry scheduled
    module.SetServerConnect(5, false);
    EXPECT_TRUE(module.IsServerRetryPending(5));
    module.SetServerConnect(0, true);
    EXPECT_TRUE(module.IsServerConnected(0));
    EXPECT_EQ(desk.loop.RunningTimerCount(), 1u);  // one timer serves every server
    desk.loop.Advance(5000);
    EXPECT_FALSE(module.IsServerRetryPending(5));
    EXPECT_TRUE(module.IsServerRetrying(5));  // no links for 5, so its attempt records nothing
    EXPECT_FALSE(module.IsServerConnected(2) || module.IsServerRetryPending(2) || module.IsServerRetrying(2));
    EXPECT_EQ(DxViewState(), "Idle");

    ASSERT_EQ(ErrorLog(), "");
    module.SetServerConnect(7, true);
    module.SetServerConnect(-1, false);
    const auto entries = ErrorLogEntries();
    ASSERT_EQ(entries.size(), 8u);  // the start report, then one entry per bad number
    EXPECT_EQ(Strings(entries.begin() + 6, entries.end()),
              Strings(2, " > program error 9 in module DDEClientModule.SetServerConnect: Subscript out of range"));
    EXPECT_THROW(module.IsServerConnected(7), ProgramError);
    EXPECT_THROW(module.IsServerRetrying(-1), ProgramError);
}

TEST_F(DxViewLinkTest, TerminateEndsLinksTopicAndTimerAndLaterNoticesAndCallsChangeNothing) {
    StartDxView();
    module.Initialize();
    module.SetServerConnect(5, false);  // the retry timer runs
    StopDxView();                       // the end of the conversation is still on its way
    module.Terminate();
    EXPECT_FALSE(desk.dde.HasTopic(L"Tarvello", L"DDEClient"));
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
    const auto captions = mainWindow.captions;
    desk.loop.Advance(60'000);
    module.ConnectServer(3);
    module.MarkDXViewDisconnected();
    module.RetryServerConnect();
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_EQ(Attempts(), 1u);
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(mainWindow.captions.size(), captions.size() + 1);  // the late loss shows in the caption only
    EXPECT_FALSE(module.IsServerConnected(3));
}

TEST_F(DxViewLinkTest, TerminateWhileALinkOpensDropsTheAttempt) {
    StartDxView();
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"DDECommand")
            module.Terminate();
    };
    module.Initialize();
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_FALSE(module.IsServerConnected(3) || module.IsServerRetryPending(3));
}

TEST_F(DxViewLinkTest, MemoryRunningOutForTheHiddenWindowIsReportedAndOpensNothing) {
    StartDxView();
    test::FailAllocation();
    module.Initialize();
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
    EXPECT_EQ(ErrorLogEntries().back(), " > program error 7 in module DDEClientmodule.Initialize: Out of memory");
}

}  // namespace
}  // namespace tarvello::dde_link_testing
