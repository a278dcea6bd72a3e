// The connection to DXView through every row of its state table: the start-up attempt, the single retry
// 5000 ms later, outside "start" requests, losses noticed through the SpotPrefix link, and shut-down.
#include <string>
#include <vector>

#include "dde_link_fixture.h"

namespace tarvello::dde_link_testing {
namespace {

using DdeLinkStartUp = DdeLinkTest;

TEST_F(DdeLinkStartUp, WithDXViewRunningOpensTheThreeLinksInOrderAndIsConnected) {
    auto& dxview = StartDxView();
    dxview.SetItem(L"DXViewMain", L"ShortPath", L"123");
    module.Initialize();
    EXPECT_EQ(desk.dde.OpenAttempts(),
              (std::vector<std::wstring>{L"DXView|DDEServer!SpotPrefix", L"DXView|DDEServer!DDECommand",
                                         L"DXView|DXViewMain!ShortPath"}));
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(mainWindow.currentBearingTexts, std::vector<std::wstring>{L"123"});
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV}");
}

TEST_F(DdeLinkStartUp, WithoutDXViewTriesTwiceFiveSecondsApartAndThenNeverAgain) {
    module.Initialize();
    EXPECT_EQ(Attempts(), 1u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    const auto start = desk.loop.NowMs();

    std::vector<std::uint64_t> attemptTimes;
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"SpotPrefix")
            attemptTimes.push_back(desk.loop.NowMs() - start);
    };
    desk.loop.Advance(4999);
    EXPECT_EQ(Attempts(), 1u);
    desk.loop.Advance(1);
    EXPECT_EQ(attemptTimes, std::vector<std::uint64_t>{5000});
    EXPECT_EQ(DxViewState(), "Idle");

    desk.loop.Advance(24 * 3600 * 1000ull);
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Idle");
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");
    EXPECT_EQ(ErrorLog(), "");  // a missing DXView is not a program error
}

TEST_F(DdeLinkStartUp, TheRetryingStateLastsExactlyAsLongAsTheReconnection) {
    module.Initialize();
    std::vector<std::string> seen;
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"SpotPrefix")
            seen.push_back(DxViewState());
    };
    desk.loop.Advance(5000);
    EXPECT_EQ(seen, std::vector<std::string>{"Retrying"});
    EXPECT_EQ(DxViewState(), "Idle");
}

using DdeLinkLossOfDXView = DdeLinkTest;

TEST_F(DdeLinkLossOfDXView, ClosingWhileConnectedGivesOneAttemptFiveSecondsLaterBackToConnectedOrIdle) {
    StartDxView();
    module.Initialize();
    StopDxView();
    desk.loop.RunPending();  // the end of the conversation arrives through the message loop
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");

    desk.loop.Advance(4999);
    EXPECT_EQ(Attempts(), 1u);
    desk.loop.Advance(1);
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Idle");
    desk.loop.Advance(60'000);
    EXPECT_EQ(Attempts(), 2u);

    // Back with DXView: an outside start connects; a second loss is again retried once, this time successfully.
    StartDxView();
    EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
    EXPECT_EQ(DxViewState(), "Connected");
    StopDxView();
    desk.loop.RunPending();
    StartDxView();
    desk.loop.Advance(5000);
    EXPECT_EQ(Attempts(), 4u);
    EXPECT_EQ(DxViewState(), "Connected");
}

TEST_F(DdeLinkLossOfDXView, AFailedReconnectionNeverStartsTheTimerAgain) {
    module.Initialize();
    desk.loop.Advance(5000);
    ASSERT_EQ(DxViewState(), "Idle");
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);

    // An outside start that fails schedules the one retry; its failure ends the attempts again.
    EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.loop.Advance(5000);
    EXPECT_EQ(DxViewState(), "Idle");
    desk.loop.Advance(3'600'000);
    EXPECT_EQ(Attempts(), 4u);
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
}

TEST_F(DdeLinkLossOfDXView, FailureAtTheSecondLinkKeepsSpotPrefixAndSchedulesTheRetry) {
    auto& dxview = StartDxView();
    dxview.refusedAdviseItems = {L"DDECommand"};
    module.Initialize();
    EXPECT_EQ(desk.dde.OpenAttempts(),
              (std::vector<std::wstring>{L"DXView|DDEServer!SpotPrefix", L"DXView|DDEServer!DDECommand"}));
    EXPECT_EQ(desk.dde.OpenLinkCount(), 1u);  // SpotPrefix stays linked
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"DL");
    desk.loop.RunPending();
    EXPECT_EQ(module.Window()->Field(L"SpotPrefix"), L"DL");

    dxview.refusedAdviseItems.clear();
    desk.loop.Advance(5000);
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
}

TEST_F(DdeLinkLossOfDXView, ALossNoticedWhileTheRetryIsScheduledKeepsItsTime) {
    auto& dxview = StartDxView();
    dxview.refusedAdviseItems = {L"DDECommand"};
    module.Initialize();
    desk.loop.Advance(2000);
    StopDxView();  // the SpotPrefix link that stayed open now ends
    desk.loop.Advance(2999);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    EXPECT_EQ(Attempts(), 1u);
    desk.loop.Advance(1);
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Idle");
    desk.loop.Advance(60'000);
    EXPECT_EQ(Attempts(), 2u);
}

TEST_F(DdeLinkLossOfDXView, FailureAtTheThirdLinkKeepsTheFirstTwo) {
    auto& dxview = StartDxView();
    dxview.refusedAdviseItems = {L"ShortPath"};
    module.Initialize();
    EXPECT_EQ(desk.dde.OpenAttempts().size(), 3u);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 2u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.loop.Advance(5000);  // the retry is refused at the same place
    EXPECT_EQ(DxViewState(), "Idle");
    EXPECT_EQ(desk.dde.OpenLinkCount(), 2u);
}

using DdeLinkOutsideStart = DdeLinkTest;

TEST_F(DdeLinkOutsideStart, WhileTheRetryIsScheduledConnectsAtOnceAndTheTickReconnectsOnceMore) {
    module.Initialize();
    ASSERT_EQ(DxViewState(), "Retry scheduled");
    StartDxView();
    desk.loop.Advance(2000);
    EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Connected, retry scheduled");
    desk.loop.Advance(2999);
    EXPECT_EQ(Attempts(), 2u);
    desk.loop.Advance(1);  // 5000 ms after the first attempt
    EXPECT_EQ(Attempts(), 3u);
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
    desk.loop.Advance(60'000);
    EXPECT_EQ(Attempts(), 3u);
}

TEST_F(DdeLinkOutsideStart, WhileConnectedReplacesTheLinksQuietly) {
    StartDxView();
    module.Initialize();
    const auto captionsBefore = mainWindow.captions.size();
    EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
    desk.loop.RunPending();
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
    EXPECT_EQ(DxViewState(), "Connected");  // no loss reported, so no retry scheduled
    EXPECT_EQ(mainWindow.captions.size(), captionsBefore + 1);
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV}");
}

TEST_F(DdeLinkOutsideStart, ConnectServerForOtherNumbersChangesNothing) {
    StartDxView();
    module.Initialize();
    module.MarkDXViewDisconnected();
    const auto captionsBefore = mainWindow.captions;
    for (std::int16_t n : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0}, std::int16_t{1}, std::int16_t{2},
                           std::int16_t{4}, std::int16_t{6}, std::int16_t{7}, std::int16_t{999}, std::int16_t{32767}}) {
        module.ConnectServer(n);
    }
    EXPECT_EQ(Attempts(), 1u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    EXPECT_EQ(mainWindow.captions, captionsBefore);
    for (std::int16_t n = 0; n < 7; ++n) {
        if (n == 3)
            continue;
        EXPECT_FALSE(module.IsServerConnected(n)) << n;
        EXPECT_FALSE(module.IsServerRetryPending(n)) << n;
        EXPECT_FALSE(module.IsServerRetrying(n)) << n;
    }
}

TEST_F(DdeLinkOutsideStart, AStartArrivingWhileALinkOpensDoesNotStartASecondAttempt) {
    StartDxView();
    int nested = 0;
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"DDECommand" && nested++ == 0) {
            EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
        }
    };
    module.Initialize();
    EXPECT_EQ(Attempts(), 1u);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);
    EXPECT_EQ(DxViewState(), "Connected");
}

using DdeLinkOtherServers = DdeLinkTest;

TEST_F(DdeLinkOtherServers, TablesFollowSetServerConnectForEveryNumberAndRejectOthers) {
    module.Initialize();  // DXView absent: server 3 has its retry scheduled
    module.SetServerConnect(5, false);
    EXPECT_TRUE(module.IsServerRetryPending(5));
    module.SetServerConnect(0, true);
    EXPECT_TRUE(module.IsServerConnected(0));
    EXPECT_EQ(desk.loop.RunningTimerCount(), 1u);  // one timer serves every server

    desk.loop.Advance(5000);
    EXPECT_FALSE(module.IsServerRetryPending(5));
    EXPECT_TRUE(module.IsServerRetrying(5));  // no links for 5, so its attempt records nothing
    EXPECT_EQ(DxViewState(), "Idle");

    ASSERT_EQ(ErrorLog(), "");
    module.SetServerConnect(7, true);
    module.SetServerConnect(-1, false);
    const auto lines = ErrorLogLines();
    ASSERT_EQ(lines.size(), 8u);  // the start report, then one entry per bad number
    for (std::size_t i : {6u, 7u}) {
        EXPECT_EQ(lines[i].substr(20),
                  " > program error 9 in module DDEClientModule.SetServerConnect: Subscript out of range");
    }
    EXPECT_THROW(module.IsServerConnected(7), ProgramError);
    EXPECT_THROW(module.IsServerConnected(-1), ProgramError);
}

using DdeLinkShutDown = DdeLinkTest;

TEST_F(DdeLinkShutDown, TerminateEndsLinksTopicAndTimerAndLaterNoticesChangeNothing) {
    StartDxView();
    module.Initialize();
    StopDxView();  // the end of the conversation is still on its way
    module.Terminate();
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_FALSE(desk.dde.HasTopic(L"Tarvello", L"DDEClient"));
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
    const auto captions = mainWindow.captions;

    desk.loop.Advance(60'000);
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_EQ(Attempts(), 1u);
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(mainWindow.captions, captions);
    // Nothing else is reset: the table still holds the last recorded state.
    EXPECT_TRUE(module.IsServerConnected(3));
}

TEST_F(DdeLinkShutDown, TerminateWithTheRetryScheduledStopsTheTimer) {
    module.Initialize();
    module.Terminate();
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    desk.loop.Advance(10'000);
    EXPECT_EQ(Attempts(), 1u);
    // Late calls neither create the window nor start a timer.
    module.ConnectServer(3);
    module.MarkDXViewDisconnected();
    module.RetryServerConnect();
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_EQ(Attempts(), 1u);
}

TEST_F(DdeLinkShutDown, TerminateWhileALinkOpensDropsTheAttempt) {
    StartDxView();
    dde.whileOpening = [&](const std::wstring& item) {
        if (item == L"DDECommand")
            module.Terminate();
    };
    module.Initialize();
    EXPECT_EQ(module.Window(), nullptr);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 0u);
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_FALSE(module.IsServerConnected(3));
}

}  // namespace
}  // namespace tarvello::dde_link_testing
