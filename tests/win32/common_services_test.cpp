// The common services on the real clock, locale table and version record under Wine, writing a real
// "ErrorLog.txt" through the Win32 shell into a folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "common/common.h"
#include "common/locale_info.h"
#include "common/log_stamp.h"
#include "common/utc.h"
#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_clock_locale.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"

namespace tarvello::win32 {
namespace {

// The Win32 shell with its program folder moved to a fresh temp folder, removed afterwards.
class TempFolderShell : public Win32Shell {
public:
    TempFolderShell() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        folder_ = FromAnsi(std::string(base) + "tarvello_common_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(ToAnsi(folder_).c_str(), nullptr);
    }
    ~TempFolderShell() override {
        DeleteFileA(ToAnsi(LogPath()).c_str());
        RemoveDirectoryA(ToAnsi(folder_).c_str());
    }
    std::wstring ProgramFolder() override { return folder_; }
    std::wstring LogPath() const { return folder_ + L"\\ErrorLog.txt"; }

private:
    std::wstring folder_;
};

struct CountingReporter : ErrorReporter {
    void ReportError(std::int16_t, const std::wstring&) override { ++reports; }
    int reports = 0;
};

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(ToAnsi(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

std::string DirectLocaleText(LCTYPE type) {
    char text[256] = {};
    return GetLocaleInfoA(GetUserDefaultLCID(), type, text, sizeof(text)) > 0 ? text : "";
}

OSVERSIONINFOA DirectVersion() {
    OSVERSIONINFOA direct{};
    direct.dwOSVersionInfoSize = sizeof(direct);
    GetVersionExA(&direct);
    return direct;
}

TEST(Win32ClockLocale, TheClockReadsUtcAndTheVersionRecordIsFilled) {
    Win32ClockLocale clock;
    const std::time_t before = std::time(nullptr);
    const SystemTime now = clock.UtcNow();
    const std::tm utc = *std::gmtime(&before);
    EXPECT_EQ(std::vector<int>({now.year, now.month, now.day}),
              std::vector<int>({utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday}));
    EXPECT_NEAR(now.hour * 3600 + now.minute * 60 + now.second, utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec, 5);
    EXPECT_FALSE(clock.LocalDateTimeText().empty());

    // The general date: short date, one blank, long time; at exactly midnight the date alone.
    auto formatted = [](bool date, const SYSTEMTIME& t) {
        char text[64] = {};
        date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, 64)
             : GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, text, 64);
        return FromAnsi(text);
    };
    SYSTEMTIME evening{2026, 12, 0, 6, 21, 8, 56, 0};
    EXPECT_EQ(GeneralDateText(evening), formatted(true, evening) + L" " + formatted(false, evening));
    EXPECT_NE(formatted(false, evening).find(L"56"), std::wstring::npos) << "the long time carries the seconds";
    SYSTEMTIME midnight{2026, 12, 0, 6, 0, 0, 0, 0};
    EXPECT_EQ(GeneralDateText(midnight), formatted(true, midnight));
    SYSTEMTIME pastMidnight{2026, 12, 0, 6, 0, 0, 1, 0};
    EXPECT_EQ(GeneralDateText(pastMidnight), formatted(true, pastMidnight) + L" " + formatted(false, pastMidnight));

    OsVersionInfo info{148, 0, 0, 0, 0, std::string(128, ' ')};
    ASSERT_TRUE(clock.OsVersion(info));
    const OSVERSIONINFOA direct = DirectVersion();
    EXPECT_EQ(std::vector<DWORD>({info.platformId, info.majorVersion, info.buildNumber}),
              std::vector<DWORD>({direct.dwPlatformId, direct.dwMajorVersion, direct.dwBuildNumber}));
    EXPECT_LT(info.servicePack.size(), 128u);

    OsVersionInfo wrongSize;
    wrongSize.size = 100;
    EXPECT_FALSE(clock.OsVersion(wrongSize));
    EXPECT_EQ(wrongSize.buildNumber, 0u);
}

TEST(Win32ClockLocale, LocaleTextsFollowTheTwoCallProtocol) {
    Win32ClockLocale clock;
    CountingReporter reporter;
    LocaleInfo locale(clock, reporter);
    EXPECT_EQ(ToAnsi(locale.GetLocaleLanguage()), DirectLocaleText(LOCALE_SLANGUAGE));
    EXPECT_EQ(ToAnsi(locale.GetLocaleCountry()), DirectLocaleText(LOCALE_SCOUNTRY));
    EXPECT_FALSE(locale.GetLocaleCountry().empty());
    EXPECT_EQ(locale.GetUserLocaleInfo(0x409, 0x7FFF), L"");

    const StampNames english = StampNamesOf(locale, 0x409);
    EXPECT_EQ(english.months[11], L"Dec");
    EXPECT_EQ(FormatLogStamp(46086 + 25449.0 / 86400, english), L"05-Mar-2026 07:04:09");
    EXPECT_EQ(StampNamesOf(locale, 0x407).months[9], L"Okt");
    EXPECT_EQ(reporter.reports, 0);
}

TEST(Win32CommonServices, TheRealCallsWriteAWellFormedReportIntoARealFile) {
    TempFolderShell shell;
    Win32Files files;
    Win32ClockLocale clock;
    struct Services {
        Services(Files& files, Shell& shell, ClockLocale& clock)
            : utc(clock, common), locale(clock, common), common(files, shell, clock, utc, locale) {}
        UTC utc;
        LocaleInfo locale;
        Common common;
    } s(files, shell, clock);
    int captionRefreshes = 0;
    s.common.SetEnableDebugLog([&] { ++captionRefreshes; });

    s.common.Initialize();
    s.common.Terminate();
    EXPECT_EQ(FileBytes(shell.LogPath()), "<missing>");

    s.common.Initialize();
    s.common.ReportError(5, L"Common.GetOSName");
    s.common.Terminate();
    EXPECT_EQ(captionRefreshes, 1);

    // Eight lines, the six of the start report sharing one stamp.
    const std::string bytes = FileBytes(shell.LogPath());
    const std::string stamp = bytes.substr(0, bytes.find(" > "));
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d\d-[^ -]+-\d{4} \d\d[^ ]\d\d[^ ]\d\d)"))) << stamp;
    const std::string startStamp = "\r\n" + stamp + " > ";
    const VersionRecord version = shell.ProgramVersion();
    const std::string product = ToAnsi(version.productName);
    const std::string expectedStart =
        stamp + " > " + product + " version " + std::to_string(version.major) + "." + std::to_string(version.minor) +
        "." + std::to_string(version.revision) + startStamp + "App.Path        : " + ToAnsi(shell.ProgramFolder()) +
        startStamp + "App.exe         : win32_tests" + startStamp + "Operating System: unknown build " +
        std::to_string(DirectVersion().dwBuildNumber) + startStamp +
        "Country         : " + DirectLocaleText(LOCALE_SCOUNTRY) + startStamp +
        "Language        : " + DirectLocaleText(LOCALE_SLANGUAGE) + "\r\n";
    ASSERT_EQ(bytes.substr(0, expectedStart.size()), expectedStart);
    EXPECT_TRUE(std::regex_match(bytes.substr(expectedStart.size()),
                                 std::regex("[^\r\n]+ > program error 5 in module Common.GetOSName: Invalid procedure "
                                            "call or argument\r\n[^\r\n]+ > " +
                                            product + " shutdown\r\n")))
        << bytes;
}

}  // namespace
}  // namespace tarvello::win32
