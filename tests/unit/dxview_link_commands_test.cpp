// The rotator commands sent to DXView, their not-connected paths, failed executes, and the caption.
#include <string>
#include <vector>

#include "dde_link/rotator_commands.h"
#include "dxview_link_fixture.h"

namespace tarvello::dde_link_testing {
namespace {

using DxViewLinkRotatorCommands = DxViewLinkTest;

TEST_F(DxViewLinkRotatorCommands, WithoutDXViewRotateRotorDoesNothingAndSelectBearingWarnsLogsOnceAndEnds) {
    module.Initialize();
    const auto captions = mainWindow.captions;
    Texts order;
    desk.shell.journal = [&](const std::wstring& call) {
        order.push_back(call + (mainWindow.bearingTexts == Texts{L""} ? L" / Bearing cleared" : L""));
    };
    module.RotateRotor(true);
    module.RotateRotor(false);
    EXPECT_EQ(mainWindow.captions, captions);
    EXPECT_EQ(DxViewState(), "Retry scheduled");

    EXPECT_THROW(module.SelectBearing(L"245"), sim::SimProcessEnded);
    ASSERT_EQ(desk.shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(desk.shell.MessageBoxes()[0].title, L"Tarvello");
    EXPECT_EQ(order, (Texts{L"MessageBox DXView ist nicht aktiv. Bitte starten Sie DXView / Bearing cleared",
                            L"EndProcessNow / Bearing cleared"}));
    EXPECT_EQ(mainWindow.programLog, Texts{L" DX-View war nicht gestartet"});
}

TEST_F(DxViewLinkRotatorCommands, SelectBearingStillEndsWhenDXViewReturnsWhileTheMessageIsOpen) {
    module.Initialize();
    desk.shell.SetWhileMessageBoxOpen([&] {
        StartDxView();
        desk.loop.Advance(5000);
    });
    EXPECT_THROW(module.SelectBearing(L"10"), sim::SimProcessEnded);
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(mainWindow.programLog.size(), 1u);
    EXPECT_TRUE(desk.dde.Server(L"DXView")->executes.empty());
}

TEST_F(DxViewLinkRotatorCommands, AnAnswerWithinFiveSecondsKeepsDXViewAndALaterOneLosesIt) {
    auto& dxview = StartDxView();
    module.Initialize();
    dxview.executeDelayMs = 5000;
    module.RotateRotor(true);
    EXPECT_EQ(DxViewState(), "Connected");
    dxview.executeDelayMs = 5001;
    module.RotateRotor(true);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
}

TEST_F(DxViewLinkRotatorCommands, RefusedOrUnansweredExecutesMarkDXViewLostAndTheProgramGoesOn) {
    for (auto answer : {sim::ExecuteAnswer::kRefuse, sim::ExecuteAnswer::kNoAnswer})
        for (bool bearing : {true, false}) {
            SCOPED_TRACE(static_cast<int>(answer) * 10 + bearing);
            auto& dxview = StartDxView();
            module.Initialize();
            const auto attempts = Attempts();
            dxview.executeAnswer = answer;
            EXPECT_NO_THROW(bearing ? module.SelectBearing(L"245") : module.RotateRotor(true));
            EXPECT_EQ(DxViewState(), "Retry scheduled");
            // Not the not-connected path: no message, no program log line, no end, no reported failure.
            EXPECT_TRUE(desk.shell.MessageBoxes().empty() && mainWindow.programLog.empty() && ErrorLog().empty());
            // DXView answers again: the one retry, 5000 ms later, connects.
            dxview.executeAnswer = sim::ExecuteAnswer::kAccept;
            desk.loop.Advance(5000);
            EXPECT_EQ(Attempts(), attempts + 1);
            EXPECT_EQ(DxViewState(), "Connected");
            module.RotateRotor(false);
            EXPECT_EQ(dxview.executes.back(), L"003rotatelp");
        }
}

TEST_F(DxViewLinkRotatorCommands, AConversationGoneBeforeItsNoticeOrAfterTerminateCountsAsALostExecute) {
    StartDxView();
    module.Initialize();
    StopDxView();  // the notice is still queued
    EXPECT_NO_THROW(module.RotateRotor(false));
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.loop.Advance(5000);  // the late notice finds the retry already scheduled: still one attempt
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Idle");

    StartDxView();
    EXPECT_TRUE(Execute(L"003start"));
    module.Terminate();
    EXPECT_NO_THROW(module.SelectBearing(L"1"));
    EXPECT_FALSE(module.IsServerConnected(3));
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_TRUE(desk.dde.Server(L"DXView")->executes.empty());
}

using DxViewLinkCaption = DxViewLinkTest;

TEST_F(DxViewLinkCaption, ShowsVersionThenDXViewThenTheDiagnosticHint) {
    desk.shell.SetProgramFolder(L"D:\\Funk\\Tarvello");
    module.Initialize();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");
    StartDxView();
    desk.loop.Advance(5000);
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV}");

    // The first reported failure writes the start report, which turns the hint on.
    module.SetServerConnect(9, true);
    EXPECT_TRUE(module.DiagnosticFlag());
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV} - see ErrorLog in D:\\Funk\\Tarvello/ErrorLog.txt");
    StopDxView();
    desk.loop.RunPending();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 - see ErrorLog in D:\\Funk\\Tarvello/ErrorLog.txt");

    // A new start clears the diagnostic flag; the version follows the version record.
    desk.shell.SetProgramVersion({L"Tarvello", 1, 0, 12});
    module.Terminate();
    module.Initialize();
    EXPECT_FALSE(module.DiagnosticFlag());
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.12");
}

}  // namespace
}  // namespace tarvello::dde_link_testing
