// The real Tarvello.exe under Wine beside the stand-ins: what an operator sees at start, when the logger
// changes a value, when the logger is missing, what the INI file keeps between runs (also a damaged one), the
// help, and all of it in program folders whose names the ANSI code page cannot spell or that hold "&" and "(".
#include <gtest/gtest.h>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"

namespace e2e {
namespace {

class StartupE2E : public TarvelloE2E {
protected:
    // A value of Tarvello.ini as a program reads it back; "<missing>" when there is none.
    std::wstring IniValue(const wchar_t* section, const wchar_t* key) const {
        wchar_t value[64] = {};
        GetPrivateProfileStringW(section, key, L"<missing>", value, 64, FolderFile(L"Tarvello.ini").c_str());
        return value;
    }
    // As an orderly end leaves it: the window's place 104,145 in twips, and the release text.
    void ExpectSavedPlace() const {
        EXPECT_EQ(IniValue(L"RESTORE", L"linkerRand"), L"1560");
        EXPECT_EQ(IniValue(L"RESTORE", L"obererRand"), L"2175");
        EXPECT_EQ(IniValue(L"RELEASE", L"Release_Nr"), L"1.0.0 Beta");
    }
};

TEST_F(StartupE2E, ShowsTheLoggersValuesFollowsChangesAndRemembersItsPlaceInAnyFolder) {
    ASSERT_TRUE(RegisterBearingSource(false));  // taking the bearing then leaves an entry in the diagnostic log
    ASSERT_NO_FATAL_FAILURE(UseProgramFolder(L"\u0141\u00f3d\u017a \u7121\u7dda"));
    // A damaged INI file still gives a normal start, on screen.
    const std::string junk = std::string("\x01\xff[RESTORE]\r\nlinkerRand=links\r\n", 30) + std::string(10000, 'x');
    ASSERT_TRUE(WriteFileBytes(FolderFile(L"Tarvello.ini"), junk));
    ASSERT_NO_FATAL_FAILURE(StartAll(L"--call DL1ABC --angle 123"));
    RECT r{};
    GetWindowRect(main_, &r);
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr) << "window off screen";
    EXPECT_TRUE(WaitFor([&] { return ChildText(main_, IDC_CALLSIGN) == L"DL1ABC"; }, 3000))
        << ChildText(main_, IDC_CALLSIGN);
    EXPECT_TRUE(WaitFor([&] { return ChildText(main_, IDC_BEARING) == L"123"; }, 3000));
    EXPECT_EQ(WindowText(main_).rfind(L"Tarvello 1.0.0", 0), 0u);

    // Each new angle typed in the logger reaches the box.
    for (const std::string angle : {"200", "201", "202"}) {
        ASSERT_TRUE(Script(standin::kLoggerWindowClass, "set angle " + angle));
        ASSERT_TRUE(WaitFor([&] { return ChildText(main_, IDC_BEARING) == test_support::Widen(angle); }, 2000));
    }

    // The question mark opens the help.
    ClickLater(IDC_HELP_BUTTON);
    EXPECT_TRUE(
        WaitFor([&] { return WindowText(FindTopLevel(tarvello_->Id(), L"HH Parent")) == L"Tarvello Hilfe"; }, 10000));
    // The diagnostic log lies in the folder too; the caption names it, and its start report writes the folder's
    // name in Windows-1252, with the best fit for the letters the code page lacks.
    // The click waits until the help's first page is loaded: in a new Wine prefix that page first tries to start
    // Wine's RPC service, and Wine gives up on it only after 5 s.
    ClickLater(IDC_TAKE_BEARING_BUTTON);
    EXPECT_TRUE(WaitFor(
        [&] { return WindowText(main_).ends_with(L" - see ErrorLog in " + folder_ + L"/ErrorLog.txt"); }, 20000));
    EXPECT_NE(ReadFileBytes(FolderFile(L"ErrorLog.txt"))
                  .find(" > App.Path        : " + test_support::Narrow(journals_) +
                        "\\L\xF3"
                        "dz ??\r\n"),
              std::string::npos);

    // Moved by the operator, closed, started again: the window comes back where it was left.
    SetWindowPos(main_, nullptr, 104, 145, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    ExpectSavedPlace();
    EXPECT_EQ(ReadFileBytes(FolderFile(L"Tarvello.ini")).find('\0'), std::string::npos) << "not single-byte text";
    EXPECT_TRUE(ErrorLogHolds());

    ASSERT_NO_FATAL_FAILURE(StartTarvelloShown());
    GetWindowRect(main_, &r);
    EXPECT_EQ(std::pair(r.left, r.top), std::pair(104L, 145L));
}

// Log-off, and a close while minimised: the position kept is where the window comes back to.
TEST_F(StartupE2E, LogOffAndAMinimisedCloseSaveTheNormalPlace) {
    ASSERT_NO_FATAL_FAILURE(UseProgramFolder(L"Funk (A&B) \u00c4rger"));
    StartStandIn(L"DXView");
    StartStandIn(L"ContestLogger");
    for (const bool logOff : {true, false}) {
        SCOPED_TRACE(logOff ? "log-off" : "minimised close");
        ASSERT_TRUE(
            WriteFileBytes(FolderFile(L"Tarvello.ini"), "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n"));
        ASSERT_NO_FATAL_FAILURE(StartTarvelloShown());
        if (logOff) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
            SendMessageTimeoutW(main_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
        } else {
            ShowWindow(main_, SW_MINIMIZE);
            ASSERT_TRUE(WaitFor([&] { return IsIconic(main_) != FALSE; }, 2000));
            PostMessageW(main_, WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(tarvello_->WaitForExit(10000));
        ExpectSavedPlace();
    }
}

TEST_F(StartupE2E, LoggerMissingLogsTellsAndClosesWithoutShowingTheWindow) {
    StartStandIn(L"DXView");
    StartTarvello();
    EXPECT_EQ(WaitForMessageBox(), L"Bitte starten Sie zun\u00e4chst Win-Contest");
    // The entry is already written while the message is shown, and the control window was never shown.
    EXPECT_TRUE(ErrorLogHolds(" Win-Contest war nicht gestartet"));
    EXPECT_FALSE(IsWindowVisible(FindTopLevel(tarvello_->Id(), L"TarvelloControlWindow")));
    AnswerMessageBox();
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    EXPECT_TRUE(ErrorLogHolds(" Win-Contest war nicht gestartet"));
    EXPECT_EQ(IniValue(L"RELEASE", L"Release_Nr"), L"1.0.0 Beta");
    EXPECT_NE(IniValue(L"RESTORE", L"linkerRand"), L"<missing>");
}

}  // namespace
}  // namespace e2e
