// Start-up and shut-down of the control window on a simulated desktop: the program log, the INI file,
// the logger's hot links, and the three ways a start can end.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "base/program_error.h"
#include "control_window/tarvello_program.h"
#include "fakes/recording_view.h"
#include "fakes/sim_partners.h"

namespace tarvello {
namespace {

using testing::RecordingView;
using Texts = std::vector<std::wstring>;

constexpr wchar_t kLogPath[] = L"C:\\Tarvello\\Error.log";
constexpr wchar_t kIniPath[] = L"C:\\Tarvello\\Tarvello.ini";
const std::string kHeader = "Tarvello - Fehlerlog\r\n";
const std::string kStamp = "05.03.2026 08:04:09";
const std::string kSavedRelease = "[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n";

// The simulated shell, with the executable's name failing on its first reading.
struct FirstNameFailingShell : sim::SimShell {
    using SimShell::SimShell;
    std::wstring ExeBaseName() override {
        if (nameFailures-- > 0)
            throw ProgramError(error_number::kPathNotFound);
        return SimShell::ExeBaseName();
    }
    int nameFailures = 0;
};

class ControlWindowStartup : public ::testing::Test {
protected:
    void StartBothPartners() {
        testing::StartSimDXView(desktop);
        logger = testing::StartSimLogger(desktop);
    }
    ControlWindow& Window() {
        if (!program) {
            const Platform platform{desktop.dde,  desktop.keyboard,     desktop.windows, desktop.profile,
                                    desktop.help, desktop.clock,        desktop.loop,    desktop.files,
                                    shell,        desktop.bearingSource};
            program = std::make_unique<TarvelloProgram>(platform, view);
        }
        return program->MainWindow();
    }
    std::string Log() const { return desktop.files.Read(kLogPath); }
    std::string Ini() const { return desktop.files.Read(kIniPath); }

    sim::SimDesktop desktop;
    FirstNameFailingShell shell{desktop.files};
    RecordingView view;
    testing::SimLogger logger;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(ControlWindowStartup, RunningStartShowsTheLoggersValuesAndStartsThePoller) {
    StartBothPartners();
    Window().Start();

    EXPECT_FALSE(Window().Closed());
    EXPECT_EQ(view.Text(ViewField::kCallsign), L"DL1ABC");
    EXPECT_EQ(view.Text(ViewField::kBearing), L"123");
    EXPECT_EQ(view.Caption(), L"Tarvello 1.0.0 {DXV}");
    EXPECT_EQ(Log(), kHeader);
    // DXView's three links come first, then the logger's callsign and angle.
    const Texts& attempts = desktop.dde.OpenAttempts();
    EXPECT_EQ(Texts(attempts.begin() + 3, attempts.end()),
              (Texts{L"Contest32|DDE!NeuesRufzeichen", L"Contest32|DDE!Winkel"}));

    // A new angle in the logger reaches the box through the message loop; the poller reads four keys a tick.
    logger.server->SetItem(L"DDE", L"Winkel", L"245");
    desktop.loop.Advance(20);
    EXPECT_EQ(view.Text(ViewField::kBearing), L"245");
    EXPECT_EQ(desktop.keyboard.AsyncReads(), (std::vector<int>{0x0D, 0x7A, 0x1B, 0x77}));
    EXPECT_TRUE(desktop.shell.MessageBoxes().empty());
}

TEST_F(ControlWindowStartup, StoredPositionIsRestoredAndSavedWithTheReleaseText) {
    StartBothPartners();
    desktop.files.Write(kIniPath, "[RESTORE]\r\nlinkerRand= 1560.5\r\nobererRand=  -120 \r\n");
    Window().Start();
    EXPECT_EQ(view.left, 1560.5);
    EXPECT_EQ(view.top, -120);
    EXPECT_EQ(view.calls, (Texts{L"SetLeft", L"SetTop", L"KeepOnScreen"}));

    // The diagnostic log's shutdown line is written while DXView's links are still open.
    program->DxView().SetServerConnect(9, true);
    std::size_t linksAtShutdownLine = 0;
    desktop.files.journal = [&](const std::wstring& call) {
        if (call == L"AppendLine C:\\Tarvello\\ErrorLog.txt")
            linksAtShutdownLine = desktop.dde.OpenLinkCount();
    };
    view.top = 2175;
    Window().ShutDown();
    Window().ShutDown();  // a second unload finds everything done
    EXPECT_EQ(Ini(), "[RESTORE]\r\nlinkerRand= 1560.5\r\nobererRand= 2175\r\n" + kSavedRelease);
    EXPECT_EQ(linksAtShutdownLine, 5u);
    // The poller, the logger links and DXView's links end with the window.
    EXPECT_EQ(desktop.loop.RunningTimerCount(), 0u);
    EXPECT_EQ(desktop.dde.OpenLinkCount(), 0u);
}

TEST_F(ControlWindowStartup, LoggerNotRunningLogsThenTellsThenClosesWithoutShowing) {
    testing::StartSimDXView(desktop);
    Texts order;
    shell.journal = desktop.files.journal = [&](const std::wstring& call) { order.push_back(call); };
    Window().Start();

    EXPECT_EQ(Log(), kHeader + kStamp + " Win-Contest war nicht gestartet\r\n");
    ASSERT_EQ(shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(shell.MessageBoxes()[0].title, L"Tarvello");
    // Header, entry, message: the entry is written before the operator is told.
    EXPECT_EQ(Texts(order.begin(), order.begin() + 3),
              (Texts{L"AppendLine C:\\Tarvello\\Error.log", L"AppendLine C:\\Tarvello\\Error.log",
                     L"MessageBox Bitte starten Sie zun\u00e4chst Win-Contest"}));
    EXPECT_TRUE(Window().Closed());
    EXPECT_EQ(view.calls.back(), L"Destroy");
    EXPECT_FALSE(view.shown);
    EXPECT_FALSE(Window().PollerRunning());
    // The orderly close wrote the position restored at start (the first-start default) and the release.
    EXPECT_EQ(Ini(), "[RESTORE]\r\nlinkerRand= 9000\r\nobererRand= 600\r\n" + kSavedRelease);
}

TEST_F(ControlWindowStartup, DXViewMissingEndsTheProcessBeforeAnythingElse) {
    logger = testing::StartSimLogger(desktop);
    desktop.files.Write(kLogPath, "older entry\r\n");
    EXPECT_THROW(Window().Start(), sim::SimProcessEnded);

    ASSERT_EQ(shell.MessageBoxes().size(), 1u);
    EXPECT_EQ(shell.MessageBoxes()[0].text,
              L"DXView ist im Moment nicht aktiv. Bitte starten Sie zun\u00e4chst DXView");
    EXPECT_EQ(shell.MessageBoxes()[0].title, L"Tarvello");
    // An existing log is never truncated and gains exactly one line.
    EXPECT_EQ(Log(), "older entry\r\n" + kStamp + " DXView war nicht aktiv\r\n");
    EXPECT_FALSE(desktop.files.Exists(kIniPath));
    EXPECT_TRUE(desktop.dde.OpenAttempts().empty());
    EXPECT_EQ(desktop.clock.Calls(sim::SimClockCall::kOsVersion), 0);
}

TEST_F(ControlWindowStartup, AnyOtherFailureIsLoggedWithItsCodeAndLeavesTheWindowWithoutPoller) {
    // A failure of the program's own, and failures of the window while the stored position is set.
    const std::pair<std::exception_ptr, std::string> cases[] = {
        {nullptr, " 285 Foreign application won't perform DDE method or operation"},
        {std::make_exception_ptr(std::out_of_range("no such position")), " 9 Subscript out of range"},
        {std::make_exception_ptr(std::bad_alloc()), " 7 Out of memory"}};
    for (const auto& [moveFailure, entry] : cases) {
        SCOPED_TRACE(entry);
        sim::SimDesktop fresh;
        testing::StartSimDXView(fresh);
        testing::StartSimLogger(fresh).server->refusedAdviseItems = {moveFailure ? L"" : L"Winkel"};
        fresh.files.Write(kIniPath, "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n");
        RecordingView failingView;
        failingView.moveFailure = moveFailure;
        TarvelloProgram failing(fresh.platform(), failingView);
        failing.MainWindow().Start();
        EXPECT_EQ(fresh.files.Read(kLogPath), kHeader + kStamp + entry + "\r\n");
        EXPECT_FALSE(failing.MainWindow().Closed());
        EXPECT_FALSE(failing.MainWindow().PollerRunning());
        EXPECT_TRUE(fresh.shell.MessageBoxes().empty());
    }
}

TEST_F(ControlWindowStartup, AStartThatFailedBeforeTheIniPathStillSavesIntoTheProgramsOwnFile) {
    StartBothPartners();
    shell.nameFailures = 1;  // the diagnostic log is set up first, then the INI path fails
    Window().Start();
    EXPECT_EQ(Log(), kHeader + kStamp + " 76 Path not found\r\n");
    EXPECT_EQ(desktop.clock.Calls(sim::SimClockCall::kOsVersion), 1);
    Window().ShutDown();  // the window was never placed
    EXPECT_EQ(Ini(), "[RESTORE]\r\nlinkerRand= 0\r\nobererRand= 0\r\n" + kSavedRelease);
}

TEST(StripTrailingCRLF, RemovesOnePairFromLongerTextsOnly) {
    for (const auto& [data, stripped] : std::initializer_list<std::pair<std::wstring, std::wstring>>{
             {L"abc\r\n", L"abc"}, {L"ab\n", L"ab\n"}, {L"\r\n", L"\r\n"}, {L"a\r\n\r\n", L"a\r\n"}, {L"", L""}})
        EXPECT_EQ(ControlWindow::StripTrailingCRLF(data), stripped);
}

}  // namespace
}  // namespace tarvello
