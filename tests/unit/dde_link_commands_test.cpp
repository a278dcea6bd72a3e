// The rotator commands sent to DXView, their not-connected paths, failed executes, and the caption.
#include <string>
#include <vector>

#include "dde_link/rotator_commands.h"
#include "dde_link_fixture.h"

namespace tarvello::dde_link_testing {
namespace {

using DdeLinkRotatorCommands = DdeLinkTest;

TEST_F(DdeLinkRotatorCommands, EachCommandIsExactlyOneExecuteWithTheTextAsGiven) {
    auto& dxview = StartDxView();
    module.Initialize();
    module.SelectBearing(L"245");
    module.SelectBearing(L"");
    module.SelectBearing(L" 7 ");  // no trimming, padding or checking
    module.SelectBearing(L"abc\u00e4");
    module.RotateRotor(true);
    module.RotateRotor(false);
    EXPECT_EQ(dxview.executes,
              (std::vector<std::wstring>{L"003selectbearing245", L"003selectbearing", L"003selectbearing 7 ",
                                         L"003selectbearingabc\u00e4", L"003rotatesp", L"003rotatelp"}));
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_TRUE(mainWindow.bearingTexts.empty());
    EXPECT_TRUE(desk.shell.MessageBoxes().empty());
}

TEST_F(DdeLinkRotatorCommands, SelectBearingWithoutDXViewWarnsLogsOnceAndEndsTheProcess) {
    module.Initialize();
    std::vector<std::wstring> order;
    desk.shell.journal = [&](const std::wstring& call) { order.push_back(call); };
    EXPECT_THROW(module.SelectBearing(L"245"), sim::SimProcessEnded);
    EXPECT_TRUE(desk.shell.ProcessEnded());
    EXPECT_EQ(mainWindow.bearingTexts, std::vector<std::wstring>{L""});
    ASSERT_EQ(desk.shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(desk.shell.MessageBoxes()[0].text, L"DXView ist nicht aktiv. Bitte starten Sie DXView");
    EXPECT_EQ(desk.shell.MessageBoxes()[0].title, L"Tarvello");
    EXPECT_EQ(mainWindow.programLog, std::vector<std::wstring>{L" DX-View war nicht gestartet"});
    EXPECT_EQ(order, (std::vector<std::wstring>{L"MessageBox DXView ist nicht aktiv. Bitte starten Sie DXView",
                                                L"EndProcessNow"}));
}

TEST_F(DdeLinkRotatorCommands, SelectBearingStillEndsWhenDXViewReturnsWhileTheMessageIsOpen) {
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

TEST_F(DdeLinkRotatorCommands, AnUnwritableProgramLogKeepsTheProgramRunningWithDXViewMarkedLost) {
    module.Initialize();
    desk.loop.Advance(5000);  // the one retry is used up: Idle
    mainWindow.failProgramLog = true;
    EXPECT_NO_THROW(module.SelectBearing(L"245"));
    EXPECT_FALSE(desk.shell.ProcessEnded());
    EXPECT_EQ(desk.shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    EXPECT_EQ(ErrorLog(), "");  // not a reported failure
}

TEST_F(DdeLinkRotatorCommands, RotateRotorWithoutDXViewDoesNothingAtAll) {
    module.Initialize();
    const auto captions = mainWindow.captions;
    const auto state = DxViewState();
    module.RotateRotor(true);
    module.RotateRotor(false);
    EXPECT_TRUE(desk.shell.MessageBoxes().empty());
    EXPECT_TRUE(mainWindow.programLog.empty());
    EXPECT_TRUE(mainWindow.bearingTexts.empty());
    EXPECT_EQ(mainWindow.captions, captions);
    EXPECT_EQ(DxViewState(), state);
    EXPECT_FALSE(desk.shell.ProcessEnded());
}

TEST_F(DdeLinkRotatorCommands, RefusedUnansweredOrLostExecutesMarkDXViewLostAndTheProgramGoesOn) {
    for (auto answer : {sim::ExecuteAnswer::kRefuse, sim::ExecuteAnswer::kNoAnswer}) {
        SCOPED_TRACE(static_cast<int>(answer));
        auto& dxview = StartDxView();
        module.Initialize();
        const auto attempts = Attempts();
        dxview.executeAnswer = answer;
        EXPECT_NO_THROW(module.RotateRotor(true));
        EXPECT_EQ(DxViewState(), "Retry scheduled");
        EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");
        EXPECT_FALSE(desk.shell.ProcessEnded());
        // DXView answers again: the one retry, 5000 ms later, connects.
        dxview.executeAnswer = sim::ExecuteAnswer::kAccept;
        desk.loop.Advance(5000);
        EXPECT_EQ(Attempts(), attempts + 1);
        EXPECT_EQ(DxViewState(), "Connected");
        module.SelectBearing(L"90");
        EXPECT_EQ(dxview.executes.back(), L"003selectbearing90");
    }
}

TEST_F(DdeLinkRotatorCommands, ARefusedBearingIsNotAnEndOfTheProgram) {
    auto& dxview = StartDxView();
    module.Initialize();
    dxview.executeAnswer = sim::ExecuteAnswer::kRefuse;
    EXPECT_NO_THROW(module.SelectBearing(L"245"));
    EXPECT_FALSE(desk.shell.ProcessEnded());
    EXPECT_TRUE(desk.shell.MessageBoxes().empty());
    EXPECT_TRUE(mainWindow.programLog.empty());
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    EXPECT_EQ(ErrorLog(), "");
}

TEST_F(DdeLinkRotatorCommands, AConversationGoneBeforeItsNoticeArrivedCountsAsALostExecute) {
    auto& dxview = StartDxView();
    module.Initialize();
    dxview.executes.clear();
    StopDxView();  // the notice is still queued
    EXPECT_NO_THROW(module.RotateRotor(false));
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.loop.RunPending();  // the late notice finds the retry already scheduled
    EXPECT_EQ(DxViewState(), "Retry scheduled");
    desk.loop.Advance(5000);
    EXPECT_EQ(Attempts(), 2u);
    EXPECT_EQ(DxViewState(), "Idle");
}

TEST_F(DdeLinkRotatorCommands, AfterTerminateACommandIsALostExecuteWithoutATimer) {
    StartDxView();
    module.Initialize();
    module.Terminate();
    EXPECT_NO_THROW(module.SelectBearing(L"1"));
    EXPECT_FALSE(module.IsServerConnected(3));
    EXPECT_EQ(desk.loop.RunningTimerCount(), 0u);
    EXPECT_TRUE(desk.dde.Server(L"DXView")->executes.empty());
}

using DdeLinkCaption = DdeLinkTest;

TEST_F(DdeLinkCaption, ShowsVersionThenDXViewThenTheDiagnosticHint) {
    module.Initialize();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");
    StartDxView();
    desk.loop.Advance(5000);
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV}");

    // The first reported failure writes the start report, which turns the hint on.
    module.SetServerConnect(9, true);
    EXPECT_TRUE(module.DiagnosticFlag());
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV} - see ErrorLog in C:\\Tarvello/ErrorLog.txt");
    StopDxView();
    desk.loop.RunPending();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 - see ErrorLog in C:\\Tarvello/ErrorLog.txt");

    // A new start clears the diagnostic flag; the version follows the version record.
    desk.shell.SetProgramVersion({L"Tarvello", 1, 0, 12});
    module.Terminate();
    module.Initialize();
    EXPECT_FALSE(module.DiagnosticFlag());
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.12");
}

TEST_F(DdeLinkCaption, EnableDebugLogAndUpdateCaptionCanBeCalledDirectly) {
    desk.shell.SetProgramFolder(L"D:\\Funk\\Tarvello");
    module.UpdateCaption();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0");
    module.EnableDebugLog();
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 - see ErrorLog in D:\\Funk\\Tarvello/ErrorLog.txt");
    EXPECT_EQ(mainWindow.captions.size(), 2u);
}

TEST_F(DdeLinkCaption, ACaptionThatCannotBeSetIsReportedAndNothingEscapes) {
    StartDxView();
    module.Initialize();
    mainWindow.failCaption = true;
    EXPECT_NO_THROW(module.MarkDXViewDisconnected());
    EXPECT_EQ(DxViewState(), "Retry scheduled");  // the tables were set before the caption failed
    const auto lines = ErrorLogLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6].substr(20),
              " > program error 5 in module DDEClientModule.SetServerConnect: Invalid procedure call or argument");
    desk.loop.Advance(5000);
    EXPECT_EQ(DxViewState(), "Connected");
}

}  // namespace
}  // namespace tarvello::dde_link_testing
