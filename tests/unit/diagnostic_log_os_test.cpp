// DiagnosticLog: the operating-system name table, the version record it prepares, the version text, and the
// failures of Initialize, Version, Terminate and GetOSVersion.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "common/os_name_table.h"
#include "common_test_support.h"
#include "error_number_of.h"

namespace tarvello::testing {
namespace {

TEST(DiagnosticLogOsVersion, PreparesTheRecordAndKeepsTheBuildNumberUnmasked) {
    CommonServices s;
    s.desk.clock.SetVersion(OsVersionInfo{148, 4, 0, 0x040003B6, 1, "a"});
    s.diagnostics.Initialize();
    const OsVersionInfo& request = s.desk.clock.LastVersionRequest();
    EXPECT_EQ(request.size, 148u);
    EXPECT_EQ(request.servicePack, std::string(128, ' '));
    EXPECT_EQ(request.majorVersion + request.minorVersion + request.buildNumber + request.platformId, 0u);
    EXPECT_EQ(s.diagnostics.GetOSName(), L"Windows 95");
    EXPECT_EQ(s.diagnostics.GetOSBuild(), 0x040003B6);

    s.desk.clock.SetVersion(OsVersionInfo{148, 4, 0, 0xC0000001, 1, ""});
    s.diagnostics.GetOSVersion();
    EXPECT_EQ(s.diagnostics.GetOSBuild(), -1073741823);
    // The facts are kept: asking again does not ask the platform.
    EXPECT_EQ(s.desk.clock.Calls(sim::SimClockCall::kOsVersion), 2);
    EXPECT_FALSE(s.desk.files.Exists(L"C:\\Tarvello\\ErrorLog.txt"));
}

struct DiagnosticLogFailures : ::testing::Test {
    sim::SimFiles files;
    FailingShell shell{files};
    CommonServices s{shell};
};

TEST_F(DiagnosticLogFailures, VersionAndTerminateReportUnderTheirNamesAndReturnWhatTheyHad) {
    s.desk.clock.UseEnglishLocale();
    std::wstring caption = L"<not refreshed>";
    s.diagnostics.SetEnableDebugLog([&] { caption = L"Tarvello " + s.diagnostics.Version(); });
    s.diagnostics.Initialize();
    shell.versionFails = true;
    s.diagnostics.ReportError(5, L"DDEClientModule.SetServerConnect");
    EXPECT_EQ(caption, L"Tarvello ");
    s.diagnostics.Terminate();
    const std::string stamp = "05-Mar-2026 07:04:09";
    EXPECT_EQ(s.Log(),
              StartReport(stamp, "United States", "English (United States)", "unknown build 7601", "") +
                  Stamped(stamp, {"program error 5 in module DDEClientModule.SetServerConnect: Invalid procedure call "
                                  "or argument",
                                  "program error 13 in module Common.Version: Type mismatch",
                                  "program error 13 in module Common.Terminate: Type mismatch"}));
}

TEST(OsNameTable, NamesEachRowAndNothingElse) {
    // Platform id, major and minor version, and the name they give.
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, const wchar_t*> rows[] = {
        {1, 4, 0, L"Windows 95"},       {1, 0, 0, L"Windows 95"},
        {1, 7, 10, L"Windows 98"},      {1, 4, 90, L"Windows Millennium"},
        {2, 3, 51, L"Windows NT 3.51"}, {2, 4, 7, L"Windows NT 4.0"},
        {2, 5, 0, L"Windows 2000"},     {2, 5, 1, L"Windows XP"},
        {1, 4, 1, L"unknown"},          {2, 5, 2, L"unknown"},
        {2, 6, 1, L"unknown"},          {0, 3, 10, L"unknown"},
        {3, 5, 1, L"unknown"}};
    for (const auto& [platform, major, minor, name] : rows)
        EXPECT_EQ(OsNameFor(platform, major, minor), name) << platform << " " << major << "." << minor;
}

// A start after a detected system whose version call throws: the name goes back to "Unknown", the build number
// stays, and the failure is reported.
TEST(DiagnosticLogOsVersion, AThrowingCallKeepsTheInitialNameAndIsReported) {
    CommonServices s;
    s.desk.clock.UseEnglishLocale();
    s.diagnostics.Initialize();
    s.desk.clock.FailWith(sim::SimClockCall::kOsVersion, error_number::kInvalidArgument);
    s.diagnostics.Initialize();
    EXPECT_EQ(s.diagnostics.GetOSName(), L"Unknown");
    EXPECT_EQ(s.diagnostics.GetOSBuild(), 7601);
    EXPECT_EQ(s.Log(),
              StartReport("05-Mar-2026 07:04:09", "United States", "English (United States)", "Unknown build 7601") +
                  "05-Mar-2026 07:04:09 > program error 5 in module Common.GetOSVersion: Invalid procedure "
                  "call or argument\r\n");
}

}  // namespace
}  // namespace tarvello::testing
