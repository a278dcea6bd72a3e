// The real Tarvello.exe under Wine beside the stand-ins: what an operator sees at start, when the logger
// changes a value, when the logger is missing, and what the INI file keeps between runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"

namespace e2e {
namespace {

class StartupE2E : public TarvelloE2E {};

// The INI file as key=value lines; Wine drops the leading blank that Windows keeps, so blanks are trimmed.
std::string IniValue(const std::string& ini, const std::string& key) {
    const auto at = ini.find(key + "=");
    if (at == std::string::npos)
        return "<missing>";
    const auto start = at + key.size() + 1;
    std::string value = ini.substr(start, ini.find("\r\n", start) - start);
    value.erase(0, value.find_first_not_of(' '));
    return value;
}

// The INI file as an orderly close leaves it: the window's place in twips and the release text.
void ExpectSavedPlace(const std::string& ini, const std::string& left, const std::string& top) {
    EXPECT_EQ(IniValue(ini, "linkerRand"), left) << ini;
    EXPECT_EQ(IniValue(ini, "obererRand"), top) << ini;
    EXPECT_EQ(IniValue(ini, "Release_Nr"), "1.0.0 Beta") << ini;
}

TEST_F(StartupE2E, ShowsTheLoggersValuesFollowsChangesAndRemembersItsPlace) {
    StartDXView();
    StartLogger(L"--call DL1ABC --angle 123");
    StartTarvello();
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the control window was not shown";
    EXPECT_TRUE(WaitFor([&] { return ChildText(main, IDC_TEXT1) == L"DL1ABC"; }, 3000)) << ChildText(main, IDC_TEXT1);
    EXPECT_TRUE(WaitFor([&] { return ChildText(main, IDC_BEARING) == L"123"; }, 3000)) << ChildText(main, IDC_BEARING);
    EXPECT_EQ(WindowText(main).rfind(L"Tarvello 1.0.0", 0), 0u);

    // Each new angle typed in the logger reaches the box.
    for (int i = 0; i < 3; ++i) {
        const std::wstring angle = std::to_wstring(200 + i);
        ASSERT_TRUE(ScriptLogger("set angle " + std::to_string(200 + i)));
        ASSERT_TRUE(WaitFor([&] { return ChildText(main, IDC_BEARING) == angle; }, 2000)) << i;
    }

    // Moved by the operator, closed, started again: the window comes back where it was left.
    SetWindowPos(main, nullptr, 104, 145, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    ExpectSavedPlace(ReadFileBytes(FolderFile(L"Tarvello.ini")), "1560", "2175");
    EXPECT_EQ(ReadFileBytes(FolderFile(L"Error.log")), "Tarvello - Fehlerlog\r\n");

    StartTarvello();
    main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 104);
    EXPECT_EQ(r.top, 145);
}

TEST_F(StartupE2E, LoggerMissingLogsTellsAndClosesWithoutShowingTheWindow) {
    StartDXView();
    StartTarvello();
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(tarvello_->Id(), L"Tarvello")) != nullptr; }, 15000));
    EXPECT_EQ(MessageBoxText(box), L"Bitte starten Sie zun\u00e4chst Win-Contest");
    // The entry is already written while the message is shown, and the control window was never shown.
    const auto log = ReadLines(FolderFile(L"Error.log"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Tarvello - Fehlerlog");
    EXPECT_NE(log[1].find(" Win-Contest war nicht gestartet"), std::string::npos);
    EXPECT_EQ(log[1].size() - log[1].find(" Win-Contest"), std::string(" Win-Contest war nicht gestartet").size());
    HWND main = FindTopLevel(
        L"TarvelloControlWindow", [](const std::wstring&) { return true; }, tarvello_->Id());
    EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    const std::string ini = ReadFileBytes(FolderFile(L"Tarvello.ini"));
    EXPECT_EQ(IniValue(ini, "Release_Nr"), "1.0.0 Beta") << ini;
    EXPECT_NE(IniValue(ini, "linkerRand"), "<missing>");
    EXPECT_EQ(ReadLines(FolderFile(L"Error.log")).size(), 2u);
}

// Log-off, and a close while minimised: the position kept is where the window comes back to.
TEST_F(StartupE2E, LogOffAndAMinimisedCloseSaveTheNormalPlace) {
    for (const bool logOff : {true, false}) {
        SCOPED_TRACE(logOff ? "log-off" : "minimised close");
        ASSERT_TRUE(
            WriteFileBytes(FolderFile(L"Tarvello.ini"), "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n"));
        if (logOff) {
            StartDXView();
            StartLogger();
        }
        StartTarvello();
        HWND main = WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        if (logOff) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
            SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
        } else {
            ShowWindow(main, SW_MINIMIZE);
            ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }, 2000));
            PostMessageW(main, WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(tarvello_->WaitForExit(10000));
        ExpectSavedPlace(ReadFileBytes(FolderFile(L"Tarvello.ini")), "1560", "2175");
    }
}

TEST_F(StartupE2E, DamagedIniFileStillGivesANormalStart) {
    const std::string junk = std::string("\x01\xff[RESTORE]\r\nlinkerRand=links\r\n", 30) + std::string(10000, 'x');
    ASSERT_TRUE(WriteFileBytes(FolderFile(L"Tarvello.ini"), junk));
    StartDXView();
    StartLogger(L"--angle 77");
    StartTarvello();
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ChildText(main, IDC_BEARING) == L"77"; }, 3000));
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr) << "window off screen";
}

}  // namespace
}  // namespace e2e
