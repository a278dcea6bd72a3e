// Start-up and shut-down of the control window on a simulated desktop: the program log, the INI file,
// the logger's hot links, and the three ways a start can end.
#include <gtest/gtest.h>

#include <string>

#include "control_window/tarvello_program.h"
#include "fakes/recording_view.h"
#include "fakes/sim_partners.h"

namespace tarvello {
namespace {

using testing::RecordingView;

constexpr wchar_t kLogPath[] = L"C:\\Tarvello\\Error.log";
constexpr wchar_t kIniPath[] = L"C:\\Tarvello\\Tarvello.ini";
const std::string kHeader = "Tarvello - Fehlerlog\r\n";
const std::string kStamp = "05.03.2026 08:04:09";

class ControlWindowStartup : public ::testing::Test {
protected:
    void StartBothPartners() {
        dxview = testing::StartSimDXView(desktop);
        logger = testing::StartSimLogger(desktop);
    }
    TarvelloProgram& Program() {
        if (!program)
            program = std::make_unique<TarvelloProgram>(desktop.platform(), view);
        return *program;
    }
    std::string Log() const { return desktop.files.Read(kLogPath); }
    std::string Ini() const { return desktop.files.Read(kIniPath); }

    sim::SimDesktop desktop;
    RecordingView view;
    testing::SimDXView dxview;
    testing::SimLogger logger;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(ControlWindowStartup, RunningStartShowsTheLoggersValuesAndStartsThePoller) {
    StartBothPartners();
    Program().MainWindow().Form_Load();

    EXPECT_FALSE(Program().MainWindow().Closed());
    EXPECT_EQ(view.Text(ViewField::kText1), L"DL1ABC");
    EXPECT_EQ(view.Text(ViewField::kBearing), L"123");
    EXPECT_EQ(view.Caption().rfind(L"Tarvello 1.0.0", 0), 0u) << view.Caption();
    EXPECT_EQ(Log(), kHeader);
    // DXView's three links come first, then the logger's callsign and angle.
    const auto& attempts = desktop.dde.OpenAttempts();
    ASSERT_EQ(attempts.size(), 5u);
    EXPECT_EQ(attempts[3], L"Contest32|DDE!NeuesRufzeichen");
    EXPECT_EQ(attempts[4], L"Contest32|DDE!Winkel");

    // A new angle in the logger reaches the box through the message loop; the poller reads four keys a tick.
    logger.server->SetItem(L"DDE", L"Winkel", L"245");
    desktop.loop.Advance(20);
    EXPECT_EQ(view.Text(ViewField::kBearing), L"245");
    EXPECT_EQ(desktop.keyboard.AsyncReads(), (std::vector<int>{0x0D, 0x7A, 0x1B, 0x77}));
    EXPECT_TRUE(desktop.shell.MessageBoxes().empty());
}

TEST_F(ControlWindowStartup, StoredPositionIsRestoredAndSavedWithTheReleaseText) {
    StartBothPartners();
    desktop.files.Write(kIniPath, "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n");
    Program().MainWindow().Form_Load();
    EXPECT_EQ(view.left, 1560);
    EXPECT_EQ(view.top, 2175);
    EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"SetLeft", L"SetTop", L"KeepOnScreen"}));

    view.left = -120;
    view.top = 2175;
    Program().MainWindow().Form_Unload();
    EXPECT_EQ(Ini(), "[RESTORE]\r\nlinkerRand=-120\r\nobererRand= 2175\r\n[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n");
    // The poller and the logger links end with the window.
    EXPECT_FALSE(Program().MainWindow().PollerRunning());
    EXPECT_EQ(desktop.dde.OpenLinkCount(), 0u);
}

TEST_F(ControlWindowStartup, LoggerNotRunningLogsThenTellsThenClosesWithoutShowing) {
    dxview = testing::StartSimDXView(desktop);
    std::vector<std::wstring> order;
    desktop.shell.journal = desktop.files.journal = [&](const std::wstring& call) { order.push_back(call); };
    Program().MainWindow().Form_Load();

    EXPECT_EQ(Log(), kHeader + kStamp + " Win-Contest war nicht gestartet\r\n");
    ASSERT_EQ(desktop.shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop.shell.MessageBoxes()[0].text, L"Bitte starten Sie zun\u00e4chst Win-Contest");
    EXPECT_EQ(desktop.shell.MessageBoxes()[0].title, L"Tarvello");
    // Header, entry, message: the entry is written before the operator is told.
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[1], L"AppendLine C:\\Tarvello\\Error.log");
    EXPECT_EQ(order[2], L"MessageBox Bitte starten Sie zun\u00e4chst Win-Contest");
    EXPECT_TRUE(Program().MainWindow().Closed());
    EXPECT_TRUE(view.destroyed);
    EXPECT_FALSE(view.shown);
    EXPECT_FALSE(Program().MainWindow().PollerRunning());
    // The orderly close wrote the position restored at start (the first-start default) and the release.
    EXPECT_EQ(Ini(), "[RESTORE]\r\nlinkerRand= 9000\r\nobererRand= 600\r\n[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n");
}

TEST_F(ControlWindowStartup, DXViewMissingEndsTheProcessBeforeAnythingElse) {
    logger = testing::StartSimLogger(desktop);
    desktop.files.Write(kLogPath, "older entry\r\n");
    EXPECT_THROW(Program().MainWindow().Form_Load(), sim::SimProcessEnded);

    ASSERT_EQ(desktop.shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop.shell.MessageBoxes()[0].text,
              L"DXView ist im Moment nicht aktiv. Bitte starten Sie zun\u00e4chst DXView");
    EXPECT_EQ(desktop.shell.MessageBoxes()[0].title, L"Tarvello");
    // An existing log is never truncated and gains exactly one line.
    EXPECT_EQ(Log(), "older entry\r\n" + kStamp + " DXView war nicht aktiv\r\n");
    EXPECT_FALSE(desktop.files.Exists(kIniPath));
    EXPECT_TRUE(desktop.dde.OpenAttempts().empty());
    EXPECT_FALSE(desktop.files.Exists(L"C:\\Tarvello\\ErrorLog.txt"));
}

TEST_F(ControlWindowStartup, AnyOtherFailureIsLoggedWithItsCodeAndLeavesTheWindowWithoutPoller) {
    StartBothPartners();
    logger.server->refusedAdviseItems.insert(L"Winkel");
    Program().MainWindow().Form_Load();

    EXPECT_EQ(Log(), kHeader + kStamp + " 285 Foreign application won't perform DDE method or operation\r\n");
    EXPECT_FALSE(Program().MainWindow().Closed());
    EXPECT_FALSE(Program().MainWindow().PollerRunning());
    EXPECT_EQ(view.Text(ViewField::kText1), L"DL1ABC");
    EXPECT_TRUE(desktop.shell.MessageBoxes().empty());

    // A failure that is not the program's own (here of the window, while step 5 places it) is logged too.
    sim::SimDesktop fresh;
    testing::StartSimDXView(fresh);
    testing::StartSimLogger(fresh);
    fresh.files.Write(kIniPath, "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n");
    RecordingView failingView;
    failingView.failMove = true;
    TarvelloProgram failing(fresh.platform(), failingView);
    failing.MainWindow().Form_Load();
    EXPECT_EQ(fresh.files.Read(kLogPath), kHeader + kStamp + " 9 Subscript out of range\r\n");
    EXPECT_FALSE(failing.MainWindow().PollerRunning());
}

TEST_F(ControlWindowStartup, FirstStartAndDamagedIniFilesStillCompleteTheStart) {
    const std::string damaged[] = {
        "",  // no INI file at all
        std::string("\x01\xff\x00[RESTORE\x7f]=\x80\r\n", 12) + std::string(10'000, 'x') + "\r\n",
        "[RESTORE]\r\nlinkerRand=links\r\nobererRand=oben\r\n",
        "[RESTORE]\r\nlinkerRand= 300\r\n[RESTORE]\r\nobererRand= 450\r\n",
        "[RESTORE]\r\nlinkerRand=" + std::string(10'000, '9') + "\r\nobererRand= 1\r\n",
    };
    for (const auto& content : damaged) {
        SCOPED_TRACE(content.substr(0, 40));
        sim::SimDesktop fresh;
        testing::StartSimDXView(fresh);
        testing::StartSimLogger(fresh);
        if (!content.empty())
            fresh.files.Write(kIniPath, content);
        RecordingView freshView;
        TarvelloProgram freshProgram(fresh.platform(), freshView);
        freshProgram.MainWindow().Form_Load();
        EXPECT_TRUE(freshProgram.MainWindow().PollerRunning());
        EXPECT_EQ(freshView.calls.front(), L"PlaceAtDefault");
        EXPECT_EQ(fresh.files.Read(kLogPath), kHeader);
        freshProgram.MainWindow().Form_Unload();
        EXPECT_NE(fresh.files.Read(kIniPath).find("Release_Nr=1.0.0 Beta\r\n"), std::string::npos);
    }
}

TEST_F(ControlWindowStartup, PositionsWithFractionsAndBlanksAreRead) {
    StartBothPartners();
    desktop.files.Write(kIniPath, "[RESTORE]\r\nlinkerRand= 1560.5\r\nobererRand=  -120 \r\n");
    Program().MainWindow().Form_Load();
    EXPECT_EQ(view.left, 1560.5);
    EXPECT_EQ(view.top, -120);
}

TEST_F(ControlWindowStartup, WriteProtectedFolderLosesTheLogButNotTheProgram) {
    dxview = testing::StartSimDXView(desktop);
    desktop.files.SetUnwritable(L"C:\\Tarvello");
    Program().MainWindow().Form_Load();  // the logger is missing: the entry cannot be written either
    EXPECT_FALSE(desktop.files.Exists(kLogPath));
    ASSERT_EQ(desktop.shell.MessageBoxes().size(), 1u);
    EXPECT_TRUE(Program().MainWindow().Closed());
}

TEST(StripTrailingCRLF, RemovesOnePairFromLongerTextsOnly) {
    EXPECT_EQ(RERurControlMain2::StripTrailingCRLF(L"abc\r\n"), L"abc");
    EXPECT_EQ(RERurControlMain2::StripTrailingCRLF(L"ab\n"), L"ab\n");
    EXPECT_EQ(RERurControlMain2::StripTrailingCRLF(L"\r\n"), L"\r\n");
    EXPECT_EQ(RERurControlMain2::StripTrailingCRLF(L"a\r\n\r\n"), L"a\r\n");
    EXPECT_EQ(RERurControlMain2::StripTrailingCRLF(L""), L"");
}

}  // namespace
}  // namespace tarvello
