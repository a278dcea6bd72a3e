// The diagnostic log "ErrorLog.txt": the start report before a run's first entry, error and shutdown
// entries, the exact bytes written, and what happens when the log cannot be written or an entry fails.
#include <gtest/gtest.h>

#include "common_test_support.h"
#include "platform/program_error.h"

namespace tarvello::testing {
namespace {

const std::wstring kLogPath = L"C:\\Tarvello\\ErrorLog.txt";

struct CommonLog : ::testing::Test {
    CommonLog() {
        s.desk.clock.UseEnglishLocale();
        s.SetUtc(2026, 3, 5, 7, 4, 9);
        s.common.SetEnableDebugLog([this] {
            ++hookCalls;
            linesWhenHookRan = Lines();
            logStartedWhenHookRan = s.common.LogStarted();
        });
    }
    int Lines() const {
        const std::string log = s.Log();
        int count = 0;
        for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2))
            ++count;
        return count;
    }

    CommonServices s;
    int hookCalls = 0;
    int linesWhenHookRan = -1;
    bool logStartedWhenHookRan = false;
};

const std::string kEnglishStartReport =
    "05-Mar-2026 07:04:09 > Tarvello version 1.0.0\r\n"
    "05-Mar-2026 07:04:09 > App.Path        : C:\\Tarvello\r\n"
    "05-Mar-2026 07:04:09 > App.exe         : Tarvello\r\n"
    "05-Mar-2026 07:04:09 > Operating System: unknown build 7601\r\n"
    "05-Mar-2026 07:04:09 > Country         : United States\r\n"
    "05-Mar-2026 07:04:09 > Language        : English (United States)\r\n";

TEST_F(CommonLog, ARunThatReportsNothingLeavesTheFileAlone) {
    s.common.Initialize();
    EXPECT_EQ(s.common.LogPath(), kLogPath);
    s.common.Terminate();
    EXPECT_FALSE(s.desk.files.Exists(kLogPath));
    EXPECT_FALSE(s.common.LogStarted());
    EXPECT_EQ(hookCalls, 0);
}

TEST_F(CommonLog, FirstFailureAppendsSevenLinesSecondOneAndShutdownOne) {
    s.common.Initialize();
    s.SetUtc(2026, 3, 5, 7, 5, 10);
    s.common.ReportError(5, L"DDEClientmodule.Initialize");
    const std::string first = kEnglishStartReport +
                              "05-Mar-2026 07:05:10 > program error 5 in module DDEClientmodule.Initialize: "
                              "Invalid procedure call or argument\r\n";
    EXPECT_EQ(s.Log(), first);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(linesWhenHookRan, 6);
    EXPECT_TRUE(logStartedWhenHookRan);

    s.SetUtc(2026, 3, 5, 7, 5, 11);
    s.common.ReportError(282, L"DDEClientModule.SetServerConnect");
    const std::string second = first +
                               "05-Mar-2026 07:05:11 > program error 282 in module DDEClientModule.SetServerConnect: "
                               "No foreign application responded to a DDE initiate\r\n";
    EXPECT_EQ(s.Log(), second);
    EXPECT_EQ(hookCalls, 1);

    s.SetUtc(2026, 3, 5, 8, 0, 0);
    s.common.Terminate();
    EXPECT_EQ(s.Log(), second + "05-Mar-2026 08:00:00 > Tarvello shutdown\r\n");
}

TEST_F(CommonLog, RunsFollowEachOtherAndTheGermanLocaleIsWrittenInTheAnsiCodePage) {
    s.desk.files.Write(kLogPath, "earlier run\r\n");
    s.desk.clock.UseGermanLocale();
    s.common.Initialize();
    s.common.ReportError(-5, L"Common.Version");
    EXPECT_EQ(s.Log(),
              "earlier run\r\n"
              "05-M\xe4r-2026 07:04:09 > Tarvello version 1.0.0\r\n"
              "05-M\xe4r-2026 07:04:09 > App.Path        : C:\\Tarvello\r\n"
              "05-M\xe4r-2026 07:04:09 > App.exe         : Tarvello\r\n"
              "05-M\xe4r-2026 07:04:09 > Operating System: unknown build 7601\r\n"
              "05-M\xe4r-2026 07:04:09 > Country         : Deutschland\r\n"
              "05-M\xe4r-2026 07:04:09 > Language        : Deutsch (Deutschland)\r\n"
              "05-M\xe4r-2026 07:04:09 > program error -5 in module Common.Version: "
              "Application-defined or object-defined error\r\n");
}

TEST_F(CommonLog, NoUserLocaleEndsCountryAndLanguageRightAfterTheirLabels) {
    s.desk.clock.SetUserLocale(0);
    s.desk.shell.SetProgramFolder(L"D:\\Funk\\Rotor");
    s.desk.files.AddFolder(L"D:\\Funk\\Rotor");
    s.desk.shell.SetExeBaseName(L"TarvelloTest");
    s.desk.shell.SetProgramVersion(VersionRecord{L"Tarvello", 1, 0, 12});
    s.desk.clock.SetVersion(OsVersionInfo{148, 5, 1, 2600, 2, ""});
    s.common.Initialize();
    s.common.DebugLog(L"plain text, kept as it is:  ");
    EXPECT_EQ(s.desk.files.Read(L"D:\\Funk\\Rotor\\ErrorLog.txt"),
              "05-Mar-2026 07:04:09 > Tarvello version 1.0.12\r\n"
              "05-Mar-2026 07:04:09 > App.Path        : D:\\Funk\\Rotor\r\n"
              "05-Mar-2026 07:04:09 > App.exe         : TarvelloTest\r\n"
              "05-Mar-2026 07:04:09 > Operating System: Windows XP build 2600\r\n"
              "05-Mar-2026 07:04:09 > Country         : \r\n"
              "05-Mar-2026 07:04:09 > Language        : \r\n"
              "05-Mar-2026 07:04:09 > plain text, kept as it is:  \r\n");
}

TEST_F(CommonLog, ALogThatCannotBeWrittenLosesItsEntriesButTheProgramGoesOn) {
    s.desk.files.SetUnwritable(L"C:\\Tarvello");
    s.common.Initialize();
    s.common.ReportError(5, L"Common.GetOSName");
    EXPECT_TRUE(s.common.LogStarted());
    EXPECT_EQ(hookCalls, 1);
    s.common.ReportError(6, L"Common.GetOSBuild");
    s.common.Terminate();
    EXPECT_EQ(hookCalls, 1);
    EXPECT_FALSE(s.desk.files.Exists(kLogPath));
}

TEST_F(CommonLog, AFileRemovedBetweenEntriesIsCreatedAgainWithoutANewStartReport) {
    s.common.Initialize();
    s.common.ReportError(5, L"A.B");
    s.desk.files.Remove(kLogPath);
    s.common.ReportError(9, L"C.D");
    EXPECT_EQ(s.Log(), "05-Mar-2026 07:04:09 > program error 9 in module C.D: Subscript out of range\r\n");
}

TEST_F(CommonLog, FailuresWhileAnEntryIsWrittenFollowItAsWholeLines) {
    s.common.Initialize();
    s.desk.clock.FailWith(sim::SimClockCall::kGetUserDefaultLCID, error_number::kInvalidArgument);
    s.common.ReportError(13, L"Common.Initialize");
    EXPECT_EQ(s.Log(),
              "05-Mar-2026 07:04:09 > Tarvello version 1.0.0\r\n"
              "05-Mar-2026 07:04:09 > App.Path        : C:\\Tarvello\r\n"
              "05-Mar-2026 07:04:09 > App.exe         : Tarvello\r\n"
              "05-Mar-2026 07:04:09 > Operating System: unknown build 7601\r\n"
              "05-Mar-2026 07:04:09 > Country         : \r\n"
              "05-Mar-2026 07:04:09 > Language        : \r\n"
              "05-Mar-2026 07:04:09 > program error 13 in module Common.Initialize: Type mismatch\r\n"
              "05-Mar-2026 07:04:09 > program error 5 in module LocaleInfo.GetLocaleCountry: "
              "Invalid procedure call or argument\r\n"
              "05-Mar-2026 07:04:09 > program error 5 in module LocaleInfo.GetLocaleLanguage: "
              "Invalid procedure call or argument\r\n");
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(CommonLog, AClockThatAlwaysFailsCannotFeedTheLogWithoutEnd) {
    s.desk.clock.FailWith(sim::SimClockCall::kGetSystemTime, error_number::kOverflow);
    s.common.Initialize();
    // The start report runs inside Initialize, before the system was detected.
    const std::string expected =
        "30-Dec-1899 00:00:00 > Tarvello version 1.0.0\r\n"
        "30-Dec-1899 00:00:00 > App.Path        : C:\\Tarvello\r\n"
        "30-Dec-1899 00:00:00 > App.exe         : Tarvello\r\n"
        "30-Dec-1899 00:00:00 > Operating System: Unknown build 0\r\n"
        "30-Dec-1899 00:00:00 > Country         : United States\r\n"
        "30-Dec-1899 00:00:00 > Language        : English (United States)\r\n"
        "30-Dec-1899 00:00:00 > program error 6 in module UTC.CurrentTime: Overflow\r\n"
        "30-Dec-1899 00:00:00 > program error 6 in module UTC.CurrentTime: Overflow\r\n";
    EXPECT_EQ(s.Log(), expected);
    EXPECT_EQ(s.common.GetOSName(), L"unknown");
    s.common.ReportError(5, L"X.Y");
    EXPECT_EQ(s.Log(),
              expected +
                  "30-Dec-1899 00:00:00 > program error 5 in module X.Y: Invalid procedure call or argument\r\n"
                  "30-Dec-1899 00:00:00 > program error 6 in module UTC.CurrentTime: Overflow\r\n");
}

TEST_F(CommonLog, AFailingCaptionHookIsIgnoredAndTheEntryStillWritten) {
    s.common.SetEnableDebugLog([this] {
        ++hookCalls;
        throw ProgramError(error_number::kDdeChannelClosed);
    });
    s.common.Initialize();
    s.common.ReportError(5, L"A.B");
    s.common.ReportError(6, L"C.D");
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(Lines(), 8);
}

TEST_F(CommonLog, ErrorNumbersOutsideSixteenBitsAreLoggedAsOverflow) {
    EXPECT_EQ(NarrowErrorNumber(0), 0);
    EXPECT_EQ(NarrowErrorNumber(32767), 32767);
    EXPECT_EQ(NarrowErrorNumber(-32768), -32768);
    EXPECT_EQ(NarrowErrorNumber(32768), 6);
    EXPECT_EQ(NarrowErrorNumber(-32769), 6);
    EXPECT_EQ(NarrowErrorNumber(-2147483647 - 1), 6);
    s.common.Initialize();
    s.common.ReportError(-32768, L"A.B");
    EXPECT_NE(s.Log().find("> program error -32768 in module A.B: Application-defined or object-defined error\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tarvello::testing
