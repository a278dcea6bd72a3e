// The diagnostic log "ErrorLog.txt": the start report before a run's first entry, error and shutdown
// entries, the exact bytes written, and what happens when the log cannot be written or an entry fails.
#include <gtest/gtest.h>

#include <stdexcept>

#include "base/program_error.h"
#include "common_test_support.h"
#include "failing_allocation.h"

namespace tarvello::testing {
namespace {

const std::wstring kLogPath = L"C:\\Tarvello\\ErrorLog.txt";
const std::string kStamp = "05-Mar-2026 07:04:09";

struct DiagnosticLogEntries : ::testing::Test {
    DiagnosticLogEntries() {
        s.desk.clock.UseEnglishLocale();
        s.SetUtc(7, 4, 9);
        s.diagnostics.SetEnableDebugLog([this] {
            ++hookCalls;
            logWhenHookRan = s.Log();
            logStartedWhenHookRan = s.diagnostics.LogStarted();
        });
    }

    CommonServices s;
    int hookCalls = 0;
    std::string logWhenHookRan;
    bool logStartedWhenHookRan = false;
};

TEST_F(DiagnosticLogEntries, FirstFailureAppendsSevenLinesSecondOneAndShutdownOne) {
    s.diagnostics.Initialize();
    s.SetUtc(7, 5, 10);
    s.diagnostics.ReportError(5, L"DDEClientmodule.Initialize");
    const std::string first = StartReport("05-Mar-2026 07:04:09") +
                              "05-Mar-2026 07:05:10 > program error 5 in module DDEClientmodule.Initialize: "
                              "Invalid procedure call or argument\r\n";
    EXPECT_EQ(s.Log(), first);
    EXPECT_EQ(logWhenHookRan, StartReport(kStamp));
    EXPECT_TRUE(logStartedWhenHookRan);

    s.SetUtc(7, 5, 11);
    s.diagnostics.ReportError(282, L"DDEClientModule.SetServerConnect");
    const std::string second = first +
                               "05-Mar-2026 07:05:11 > program error 282 in module DDEClientModule.SetServerConnect: "
                               "No foreign application responded to a DDE initiate\r\n";
    EXPECT_EQ(s.Log(), second);
    EXPECT_EQ(hookCalls, 1);

    s.SetUtc(8, 0, 0);
    s.diagnostics.Terminate();
    const std::string third = second + "05-Mar-2026 08:00:00 > Tarvello shutdown\r\n";
    EXPECT_EQ(s.Log(), third);
    // A new start writes a new report before its first entry.
    s.diagnostics.Initialize();
    s.diagnostics.ReportError(9, L"A.B");
    EXPECT_EQ(s.Log(), third + StartReport("05-Mar-2026 08:00:00") +
                           Stamped("05-Mar-2026 08:00:00", {"program error 9 in module A.B: Subscript out of range"}));
}

TEST_F(DiagnosticLogEntries, FailuresWhileAnEntryIsWrittenFollowItAsWholeLines) {
    s.diagnostics.Initialize();
    s.desk.clock.FailWith(sim::SimClockCall::kUserLocaleId, error_number::kInvalidArgument);
    s.diagnostics.ReportError(13, L"Common.Initialize");
    EXPECT_EQ(s.Log(), StartReport(kStamp, "", "") +
                           Stamped(kStamp, {"program error 13 in module Common.Initialize: Type mismatch",
                                            "program error 5 in module LocaleInfo.GetLocaleCountry: "
                                            "Invalid procedure call or argument",
                                            "program error 5 in module LocaleInfo.GetLocaleLanguage: "
                                            "Invalid procedure call or argument"}));
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(DiagnosticLogEntries, AClockThatAlwaysFailsCannotFeedTheLogWithoutEnd) {
    const std::string zero = "30-Dec-1899 00:00:00";
    const std::string overflow = "program error 6 in module UTC.CurrentTime: Overflow";
    s.desk.clock.FailWith(sim::SimClockCall::kUtcNow, error_number::kOverflow);
    // The start report runs inside Initialize, before the system was detected.
    s.diagnostics.Initialize();
    const std::string expected = StartReport(zero, "United States", "English (United States)", "Unknown build 0") +
                                 Stamped(zero, {overflow, overflow});
    EXPECT_EQ(s.Log(), expected);
    EXPECT_EQ(s.diagnostics.GetOSName(), L"unknown");
    s.diagnostics.ReportError(5, L"X.Y");
    EXPECT_EQ(s.Log(), expected + Stamped(zero, {"program error 5 in module X.Y: Invalid procedure call or argument",
                                                 overflow}));
}

TEST_F(DiagnosticLogEntries, ErrorNumbersOutsideSixteenBitsAreLoggedAsOverflow) {
    for (const auto& [wide, narrow] : std::initializer_list<std::pair<int, std::int16_t>>{
             {32767, 32767}, {-32768, -32768}, {32768, 6}, {-32769, 6}, {-2147483647 - 1, 6}})
        EXPECT_EQ(NarrowErrorNumber(wide), narrow) << wide;
    s.diagnostics.Initialize();
    s.diagnostics.ReportError(-32768, L"A.B");
    EXPECT_EQ(s.Log(), StartReport(kStamp) + Stamped(kStamp, {"program error -32768 in module A.B: "
                                                              "Application-defined or object-defined error"}));
}

TEST_F(DiagnosticLogEntries, MemoryRunningOutWhileTheSystemNameIsReadIsReportedAndGivesEmptyText) {
    s.desk.clock.SetVersion(OsVersionInfo{148, 5, 1, 2600, 2, ""});  // "Windows XP", longer than the inline buffer
    s.diagnostics.Initialize();
    test::FailAllocation();
    EXPECT_EQ(s.diagnostics.GetOSName(), L"");
    EXPECT_EQ(s.Log(), StartReport(kStamp, "United States", "English (United States)", "Windows XP build 2600") +
                           Stamped(kStamp, {"program error 7 in module Common.GetOSName: Out of memory"}));
}

TEST(ProgramError, EveryNamedNumberCarriesItsStandardDescriptionAsLogsShowIt) {
    namespace n = error_number;
    const std::pair<int, std::wstring> named[] = {
        {n::kInvalidArgument, L"5 Invalid procedure call or argument"},
        {n::kOverflow, L"6 Overflow"},
        {n::kOutOfMemory, L"7 Out of memory"},
        {n::kSubscriptOutOfRange, L"9 Subscript out of range"},
        {n::kPermissionDenied, L"70 Permission denied"},
        {n::kPathNotFound, L"76 Path not found"},
        {n::kDdeNoAnswer, L"282 No foreign application responded to a DDE initiate"},
        {n::kDdeChannelClosed, L"284 Can't open DDE channel"},
        {n::kDdeRefused, L"285 Foreign application won't perform DDE method or operation"},
        {n::kDdeTimeout, L"286 Timeout occurred while waiting for DDE response"},
        {n::kBearingSource, L"429 ActiveX component can't create object"},
        {n::kAutomationError, L"440 Automation error"}};
    for (const auto& [number, text] : named) {
        const ProgramError error(number);
        EXPECT_EQ(std::to_wstring(error.Number()) + L" " + error.Description(), text);
    }
    EXPECT_EQ(FailureNumberOf(std::range_error("r")), 6);
    EXPECT_EQ(FailureNumberOf(std::overflow_error("o")), 6);
    EXPECT_EQ(FailureNumberOf(std::runtime_error("x")), 5);
}

}  // namespace
}  // namespace tarvello::testing
