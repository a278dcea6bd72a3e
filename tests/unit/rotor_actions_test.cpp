// The hotkey poller and the rotor actions on a simulated desktop: what each key sends to DXView, what the
// window shows, the exact order of the rotor stop's key events, posts and waits, and one action at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_window/tarvello_program.h"
#include "fakes/recording_view.h"
#include "fakes/sim_partners.h"

namespace tarvello {
namespace {

using testing::RecordingView;
using Texts = std::vector<std::wstring>;

constexpr int kReturn = 0x0D, kF11 = 0x7A, kEsc = 0x1B, kF8 = 0x77;

class RotorActions : public ::testing::Test {
protected:
    void SetUp() override {
        dxview = testing::StartSimDXView(desktop);
        logger = testing::StartSimLogger(desktop, L"DL1ABC", L"123");
        program = std::make_unique<TarvelloProgram>(desktop.platform(), view);
        program->MainWindow().Start();
        ASSERT_TRUE(program->MainWindow().PollerRunning());
        desktop.keyboard.ClearEvents();
    }
    // One poller tick in which exactly these keys read as freshly pressed.
    void TickWithFreshPress(std::initializer_list<int> keys) {
        for (int key : keys)
            desktop.keyboard.QueueAsyncState(key, static_cast<std::int16_t>(0x8001));
        desktop.loop.Advance(20);
    }
    const Texts& Executes() const { return dxview.server->executes; }

    sim::SimDesktop desktop;
    RecordingView view;
    testing::SimDXView dxview;
    testing::SimLogger logger;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(RotorActions, ReturnShowsAndSendsTheBearingSourcesTextOrTheLoggersAngle) {
    desktop.bearingSource.text = L"245";
    TickWithFreshPress({kReturn});
    EXPECT_EQ(view.Text(ViewField::kBearing), L"245");
    TickWithFreshPress({kReturn});
    EXPECT_EQ(desktop.bearingSource.created, 1);  // created on first use and kept
    EXPECT_EQ(desktop.bearingSource.reads, 2);

    // Without a bearing source the logger's angle goes, and the failure is logged once.
    sim::SimDesktop other;
    testing::StartSimDXView(other);
    testing::StartSimLogger(other, L"DL1ABC", L"123");
    other.bearingSource.creatable = false;
    RecordingView otherView;
    TarvelloProgram withoutSource(other.platform(), otherView);
    withoutSource.MainWindow().Start();
    for (int tick = 0; tick < 2; ++tick) {
        other.keyboard.QueueAsyncState(kReturn, static_cast<std::int16_t>(0x8001));
        other.loop.Advance(20);
    }
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing245", L"003selectbearing245"}));
    EXPECT_EQ(other.dde.Server(L"DXView")->executes, (Texts{L"003selectbearing123", L"003selectbearing123"}));
    const std::string log = other.files.Read(L"C:\\Tarvello\\ErrorLog.txt");
    const auto first = log.find("program error 429 in module RERurControlMain2.ReadBearingText");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("program error", first + 1), std::string::npos) << log;
}

TEST_F(RotorActions, TheWindowShowsEachActionBeforeDXViewHearsOfIt) {
    dxview.server->executeDelayMs = 1000;  // a slow DXView: what the window shows meanwhile is seen
    Texts shown;
    auto showLater = [&] {
        desktop.loop.After(500, [&] {
            shown.push_back(view.Text(ViewField::kStatusText) + L"|" + std::to_wstring(view.lamp) + L"|" +
                            view.Text(ViewField::kBearing) + L"|" +
                            std::to_wstring(desktop.windows.Activations().size()));
        });
    };
    showLater();
    TickWithFreshPress({kF11});
    showLater();
    TickWithFreshPress({kEsc});
    EXPECT_EQ(shown, (Texts{L"Rotor dreht|1048320|123|0", L" |2147483663||0"}));
    EXPECT_EQ(desktop.windows.Activations().size(), 1u);
}

TEST_F(RotorActions, F8HoldsControlAroundTheClickThenReturnsToTheLogger) {
    std::vector<std::wstring> order;
    desktop.loop.journal = desktop.windows.journal = [&](const std::wstring& call) {
        order.push_back(call + L" after " + std::to_wstring(desktop.keyboard.Events().size()) + L" key events");
        if (order.size() == 1)
            order.push_back(view.Text(ViewField::kStatusText));
    };
    TickWithFreshPress({kF8});
    EXPECT_EQ(view.lamp, 0x000000FFu);
    EXPECT_EQ(view.Text(ViewField::kStatusText), L"Rotor angehalten");
    EXPECT_EQ(order, (Texts{L"PostToWindow 513 after 1 key events", L"Rotor angehalten", L"Wait 50 after 1 key events",
                            L"PostToWindow 514 after 1 key events", L"Wait 50 after 1 key events",
                            L"Activate Win-Contest - Logbuch after 2 key events"}));
    EXPECT_EQ(desktop.keyboard.Events(), (std::vector<sim::KeyEvent>{{17, 0x1D, 1}, {17, 0x1D, 3}}));
    EXPECT_EQ(desktop.windows.Posted(),
              (std::vector<sim::PostedMessage>{{dxview.spWindow, 0x0201, 0, 1}, {dxview.spWindow, 0x0202, 0, 1}}));
}

// The order of the keys of one tick is pinned by ChosenKeys, one key serving two actions.
TEST_F(RotorActions, AFailingActionOfATickStopsOnlyItself) {
    // Esc fails in its last step; F8 of the same tick still stops the rotor, and the failure is logged.
    desktop.windows.failActivation = true;
    TickWithFreshPress({kEsc, kF8});
    EXPECT_EQ(desktop.windows.Posted().size(), 2u);
    EXPECT_NE(desktop.files.Read(L"C:\\Tarvello\\ErrorLog.txt")
                  .find("program error 5 in module RERurControlMain2.Timer1_Timer: Invalid procedure call"),
              std::string::npos);
    EXPECT_TRUE(desktop.keyboard.KeysDown().empty());
}

TEST_F(RotorActions, TheClickGoesToTheLastSPWindowOfTheWalkOrNowhere) {
    const WindowHandle top = desktop.windows.AddWindow(0, L"Andere", L"Other");
    const WindowHandle laterSp = desktop.windows.AddWindow(top, L"SP", L"Static");
    desktop.windows.AddWindow(0, L"sp", L"Static");  // letter case matters
    TickWithFreshPress({kF8});
    ASSERT_EQ(desktop.windows.Posted().size(), 2u);
    EXPECT_EQ(desktop.windows.Posted()[0].window, laterSp);
    // Once no "SP" window lives, nothing is posted, but the logger still gets the keyboard back.
    desktop.windows.Destroy(top);
    desktop.windows.Destroy(dxview.infoWindow);
    TickWithFreshPress({kF8});
    EXPECT_EQ(desktop.windows.Posted().size(), 2u);
    EXPECT_EQ(desktop.windows.Activations().size(), 2u);
    EXPECT_TRUE(desktop.keyboard.KeysDown().empty());
}

TEST_F(RotorActions, KeysPressedWhileASlowDXViewAnswersRunAfterTheAnswerInOrder) {
    dxview.server->executeDelayMs = 1500;  // late, but within the 5 s a DDE conversation waits
    dxview.server->journal.clear();
    desktop.bearingSource.text = L"245";
    // F11 is pressed and let go while Return's command waits for its answer.
    desktop.loop.After(120, [&] { desktop.keyboard.PressPhysicalKey(kF11); });
    desktop.loop.After(320, [&] { desktop.keyboard.ReleasePhysicalKey(kF11); });
    // DXView asks for a reconnection meanwhile: answered at once, carried out after the commands.
    bool startAnswered = false;
    desktop.loop.After(500, [&] { startAnswered = desktop.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"); });
    TickWithFreshPress({kReturn});

    EXPECT_TRUE(startAnswered);
    EXPECT_EQ(dxview.server->journal,
              (Texts{L"execute 003selectbearing245", L"answer ack", L"execute 003rotatesp", L"answer ack",
                     L"advise SpotPrefix", L"advise DDECommand", L"advise ShortPath"}));
    EXPECT_EQ(view.Caption(), L"Tarvello 1.0.0 {DXV}");  // a slow DXView keeps its link
    EXPECT_TRUE(desktop.shell.MessageBoxes().empty());
}

TEST_F(RotorActions, TheLoggersTitleNeverComesFromTheProgramsOwnWindows) {
    // The operator types in the logger, so Tarvello's window lies behind it and the walk meets it later.
    const WindowHandle own = desktop.windows.AddProgramWindow(
        L"Tarvello 1.0.0 - see ErrorLog in C:\\Win-Contest/ErrorLog.txt", L"TarvelloControlWindow");
    desktop.windows.AddWindow(own, L"Tasten wirken in Win-Contest", L"Static");
    TickWithFreshPress({kF8});
    TickWithFreshPress({kEsc});
    EXPECT_EQ(program->Finder().sLoggerTitle, L"Win-Contest - Logbuch");
    EXPECT_EQ(desktop.windows.Activations(), Texts(2, L"Win-Contest - Logbuch"));
}

TEST(RotorActionsWithoutLogger, EscWithNoLoggerTitleActivatesNothing) {
    sim::SimDesktop desktop;
    testing::StartSimDXView(desktop);
    desktop.dde.StartServer(L"Contest32", {L"DDE"});  // DDE only, no window to return to
    RecordingView view;
    TarvelloProgram program(desktop.platform(), view);
    program.MainWindow().Start();
    desktop.keyboard.QueueAsyncState(kEsc, static_cast<std::int16_t>(0x8001));
    desktop.loop.Advance(20);
    EXPECT_TRUE(desktop.windows.Activations().empty());
    EXPECT_EQ(desktop.dde.Server(L"DXView")->executes, Texts{L"003selectbearing"});
}

TEST_F(RotorActions, HiddenButtonsAndHelp) {
    view.SetText(ViewField::kBearing, L"017");
    program->MainWindow().OnSendBearingButton();
    program->MainWindow().OnLongPathButton();
    desktop.bearingSource.text = L"300";
    program->MainWindow().OnTakeBearingButton();
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing017", L"003rotatelp", L"003selectbearing300"}));
    program->MainWindow().OnHelpButton();
    EXPECT_EQ(desktop.help.opened, Texts{L"C:\\Tarvello\\Tarvello.chm"});
}

}  // namespace
}  // namespace tarvello
