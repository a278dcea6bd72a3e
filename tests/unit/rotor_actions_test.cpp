// The hotkey poller and the rotor actions on a simulated desktop: what each key sends to DXView, what the
// window shows, and the exact order of the rotor stop's key events, posts and wait.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_window/tarvello_program.h"
#include "fakes/recording_view.h"
#include "fakes/sim_partners.h"

namespace tarvello {
namespace {

using testing::RecordingView;

class RotorActions : public ::testing::Test {
protected:
    void SetUp() override {
        dxview = testing::StartSimDXView(desktop);
        logger = testing::StartSimLogger(desktop);
        program = std::make_unique<TarvelloProgram>(desktop.platform(), view);
        program->MainWindow().Form_Load();
        ASSERT_TRUE(program->MainWindow().PollerRunning());
        desktop.keyboard.ClearEvents();
    }
    // One poller tick in which exactly these keys read as freshly pressed.
    void TickWithFreshPress(std::initializer_list<int> keys) {
        for (int key : keys)
            desktop.keyboard.QueueAsyncState(key, static_cast<std::int16_t>(0x8001));
        desktop.loop.Advance(20);
    }
    const std::vector<std::wstring>& Executes() const { return dxview.server->executes; }

    sim::SimDesktop desktop;
    RecordingView view;
    testing::SimDXView dxview;
    testing::SimLogger logger;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(RotorActions, QuietTicksOnlyReadTheFourKeys) {
    const auto readsBefore = desktop.keyboard.AsyncReads().size();
    desktop.keyboard.QueueAsyncState(0x0D, static_cast<std::int16_t>(0x8000));  // held since an earlier tick
    desktop.keyboard.QueueAsyncState(0x7A, 0x0001);                             // pressed and released already
    desktop.loop.Advance(20);
    desktop.loop.Advance(20);
    EXPECT_EQ(desktop.keyboard.AsyncReads().size() - readsBefore, 8u);
    EXPECT_TRUE(Executes().empty());
    EXPECT_TRUE(desktop.windows.Posted().empty());
    EXPECT_TRUE(desktop.keyboard.Events().empty());
    EXPECT_EQ(view.lamp, 0x8000000Fu);
}

TEST_F(RotorActions, ReturnShowsTheBearingSourcesTextAndSendsIt) {
    desktop.bearingSource.text = L"245";
    TickWithFreshPress({0x0D});
    EXPECT_EQ(view.Text(ViewField::kBearing), L"245");
    EXPECT_EQ(Executes(), (std::vector<std::wstring>{L"003selectbearing245"}));
    TickWithFreshPress({0x0D});
    EXPECT_EQ(desktop.bearingSource.created, 1);  // created on first use and kept
    EXPECT_EQ(desktop.bearingSource.reads, 2);
}

TEST_F(RotorActions, ReturnWithoutBearingSourceSendsTheLoggersAngleAndLogsOnce) {
    desktop.bearingSource.creatable = false;
    TickWithFreshPress({0x0D});
    TickWithFreshPress({0x0D});
    EXPECT_EQ(Executes(), (std::vector<std::wstring>{L"003selectbearing123", L"003selectbearing123"}));
    const std::string log = desktop.files.Read(L"C:\\Tarvello\\ErrorLog.txt");
    const auto first = log.find("program error 429 in module ");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("program error", first + 1), std::string::npos) << log;
}

TEST_F(RotorActions, F11TurnsEscClearsAndGivesTheKeyboardBack) {
    TickWithFreshPress({0x7A});
    EXPECT_EQ(view.lamp, 0x000FFF00u);
    EXPECT_EQ(view.Text(ViewField::kStatusText), L"Rotor dreht");
    EXPECT_EQ(Executes(), (std::vector<std::wstring>{L"003rotatesp"}));

    TickWithFreshPress({0x1B});
    EXPECT_EQ(view.Text(ViewField::kBearing), L"");
    EXPECT_EQ(view.lamp, 0x8000000Fu);
    EXPECT_EQ(view.Text(ViewField::kStatusText), L" ");
    EXPECT_EQ(Executes().back(), L"003selectbearing");
    EXPECT_EQ(desktop.windows.Activations(), (std::vector<std::wstring>{L"Win-Contest - Logbuch"}));
    EXPECT_EQ(desktop.windows.Foreground(), logger.window);
}

TEST_F(RotorActions, F8HoldsControlAroundTheClickThenReturnsToTheLogger) {
    std::vector<std::wstring> order;
    auto note = [&](const std::wstring& call) {
        order.push_back(call + L" after " + std::to_wstring(desktop.keyboard.Events().size()) + L" key events");
    };
    desktop.loop.journal = note;
    desktop.windows.journal = note;
    const auto before = desktop.loop.NowMs();
    TickWithFreshPress({0x77});

    EXPECT_EQ(view.lamp, 0x000000FFu);
    EXPECT_EQ(view.Text(ViewField::kStatusText), L"Rotor angehalten");
    EXPECT_EQ(order, (std::vector<std::wstring>{L"PostToWindow 513 after 1 key events", L"Wait 50 after 1 key events",
                                                L"PostToWindow 514 after 1 key events", L"Wait 50 after 1 key events",
                                                L"Activate Win-Contest - Logbuch after 2 key events"}));
    EXPECT_EQ(desktop.keyboard.Events(), (std::vector<sim::KeyEvent>{{17, 0x1D, 1}, {17, 0x1D, 3}}));
    EXPECT_EQ(desktop.windows.Posted(),
              (std::vector<sim::PostedMessage>{{dxview.spWindow, 0x0201, 0, 1}, {dxview.spWindow, 0x0202, 0, 1}}));
    EXPECT_GE(desktop.loop.NowMs() - before, 100u);
    EXPECT_TRUE(desktop.keyboard.KeysDown().empty());
}

TEST_F(RotorActions, ReturnAndF8InOneTickRunInThatOrder) {
    std::size_t executesAtFirstPost = 99;
    desktop.windows.journal = [&](const std::wstring& call) {
        if (call.rfind(L"PostToWindow", 0) == 0 && executesAtFirstPost == 99)
            executesAtFirstPost = Executes().size();
    };
    TickWithFreshPress({0x77, 0x0D});
    EXPECT_EQ(executesAtFirstPost, 1u);
    EXPECT_EQ(Executes(), (std::vector<std::wstring>{L"003selectbearing245"}));
}

TEST_F(RotorActions, TheClickGoesToTheLastSPWindowOfTheWalkOrNowhere) {
    const WindowHandle top = desktop.windows.AddWindow(0, L"Andere", L"Other");
    const WindowHandle laterSp = desktop.windows.AddWindow(top, L"SP", L"Static");
    desktop.windows.AddWindow(0, L"sp", L"Static");  // letter case matters
    TickWithFreshPress({0x77});
    ASSERT_EQ(desktop.windows.Posted().size(), 2u);
    EXPECT_EQ(desktop.windows.Posted()[0].window, laterSp);

    // DXView's info window gone: the last "SP" seen is still clicked while it lives...
    desktop.windows.Destroy(dxview.infoWindow);
    TickWithFreshPress({0x77});
    EXPECT_EQ(desktop.windows.Posted().size(), 4u);
    EXPECT_EQ(desktop.windows.Posted()[3].window, laterSp);
    // ...and once no "SP" window lives, nothing is posted, but the logger still gets the keyboard back.
    desktop.windows.Destroy(top);
    TickWithFreshPress({0x77});
    EXPECT_EQ(desktop.windows.Posted().size(), 4u);
    EXPECT_EQ(desktop.windows.Activations().size(), 3u);
    EXPECT_TRUE(desktop.keyboard.KeysDown().empty());
}

TEST_F(RotorActions, HiddenButtonsAndHelp) {
    view.SetText(ViewField::kBearing, L"017");
    program->MainWindow().SelectBearingCmd_Click();
    program->MainWindow().LPCmd_Click();
    desktop.bearingSource.text = L"300";
    program->MainWindow().Command1_Click();
    EXPECT_EQ(Executes(), (std::vector<std::wstring>{L"003selectbearing017", L"003rotatelp", L"003selectbearing300"}));
    EXPECT_EQ(desktop.bearingSource.reads, 1);

    program->MainWindow().Command2_Click();
    EXPECT_EQ(desktop.help.opened, (std::vector<std::wstring>{L"C:\\Tarvello\\Tarvello.chm"}));
}

TEST_F(RotorActions, KeysPressedWhileASlowDXViewAnswersRunAfterTheAnswerInOrder) {
    dxview.server->executeDelayMs = 1500;  // late, but within the 5 s a DDE conversation waits
    dxview.server->journal.clear();
    desktop.bearingSource.text = L"245";
    // F11 is pressed and let go while Return's command waits for its answer.
    desktop.loop.After(120, [&] { desktop.keyboard.PressPhysicalKey(0x7A); });
    desktop.loop.After(320, [&] { desktop.keyboard.ReleasePhysicalKey(0x7A); });
    // DXView asks for a reconnection meanwhile: answered at once, carried out after the commands.
    bool startAnswered = false;
    desktop.loop.After(500, [&] { startAnswered = desktop.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"); });
    TickWithFreshPress({0x0D});

    EXPECT_TRUE(startAnswered);
    EXPECT_EQ(
        dxview.server->journal,
        (std::vector<std::wstring>{L"execute 003selectbearing245", L"answer ack", L"execute 003rotatesp", L"answer ack",
                                   L"advise SpotPrefix", L"advise DDECommand", L"advise ShortPath"}));
    EXPECT_EQ(view.Caption(), L"Tarvello 1.0.0 {DXV}");  // a slow DXView keeps its link
    TickWithFreshPress({0x0D});
    EXPECT_EQ(Executes().back(), L"003selectbearing245");
    EXPECT_TRUE(desktop.shell.MessageBoxes().empty());
}

TEST_F(RotorActions, TheLoggersTitleNeverComesFromTheProgramsOwnWindows) {
    // The operator types in the logger, so Tarvello's window lies behind it and the walk meets it later.
    const WindowHandle own = desktop.windows.AddProgramWindow(
        L"Tarvello 1.0.0 - see ErrorLog in C:\\Win-Contest/ErrorLog.txt", L"TarvelloControlWindow");
    desktop.windows.AddWindow(own, L"Tasten wirken in Win-Contest", L"Static");
    for (int stop = 0; stop < 2; ++stop) {
        TickWithFreshPress({0x77});
        EXPECT_EQ(program->Finder().sLoggerTitle, L"Win-Contest - Logbuch");
    }
    TickWithFreshPress({0x1B});
    EXPECT_EQ(desktop.windows.Activations(), (std::vector<std::wstring>(3, L"Win-Contest - Logbuch")));
}

TEST(RotorActionsWithoutLogger, EscWithNoLoggerTitleActivatesNothing) {
    sim::SimDesktop desktop;
    testing::StartSimDXView(desktop);
    auto& server = desktop.dde.StartServer(L"Contest32", {L"DDE"});  // DDE only, no window to return to
    server.SetItem(L"DDE", L"Winkel", L"90");
    RecordingView view;
    TarvelloProgram program(desktop.platform(), view);
    program.MainWindow().Form_Load();
    desktop.keyboard.QueueAsyncState(0x1B, static_cast<std::int16_t>(0x8001));
    desktop.loop.Advance(20);
    EXPECT_TRUE(desktop.windows.Activations().empty());
    EXPECT_EQ(desktop.dde.Server(L"DXView")->executes, (std::vector<std::wstring>{L"003selectbearing"}));
}

}  // namespace
}  // namespace tarvello
