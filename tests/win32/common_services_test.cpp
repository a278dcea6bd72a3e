// The common services on the real clock, locale table and version record under Wine, writing a real
// "ErrorLog.txt" through the Win32 shell into a folder of the test's own.
#include <windows.h>
// windows.h maps these names to their ...W functions, which would rename the ClockLocale members.
#undef GetLocaleInfo
#undef GetVersionEx

#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/common.h"
#include "common/locale_info.h"
#include "common/log_stamp.h"
#include "common/utc.h"
#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_clock_locale.h"
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

struct RecordingReporter : ErrorReporter {
    void ReportError(std::int16_t number, const std::wstring& procedure) override {
        reports.push_back(std::to_wstring(number) + L" " + procedure);
    }
    std::vector<std::wstring> reports;
};

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

std::string DirectLocaleText(LCID lcid, LCTYPE type) {
    char text[256] = {};
    return GetLocaleInfoA(lcid, type, text, sizeof(text)) > 0 ? text : "";
}

TEST(Win32ClockLocale, TheClockReadsUtcAndTheVersionRecordIsFilled) {
    Win32ClockLocale clock;
    const std::time_t before = std::time(nullptr);
    const SystemTime now = clock.GetSystemTime();
    const std::tm utc = *std::gmtime(&before);
    EXPECT_EQ(now.year, utc.tm_year + 1900);
    EXPECT_EQ(now.month, utc.tm_mon + 1);
    EXPECT_EQ(now.day, utc.tm_mday);
    EXPECT_NEAR(now.hour * 3600 + now.minute * 60 + now.second, utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec, 5);
    EXPECT_FALSE(clock.LocalDateTimeText().empty());

    OsVersionInfo info;
    info.size = 148;
    info.servicePack.assign(128, ' ');
    ASSERT_TRUE(clock.GetVersionEx(info));
    OSVERSIONINFOA direct{};
    direct.dwOSVersionInfoSize = sizeof(direct);
    GetVersionExA(&direct);
    EXPECT_EQ(info.platformId, direct.dwPlatformId);
    EXPECT_EQ(info.majorVersion, direct.dwMajorVersion);
    EXPECT_EQ(info.buildNumber, direct.dwBuildNumber);
    EXPECT_LT(info.servicePack.size(), 128u);

    OsVersionInfo wrongSize;
    wrongSize.size = 100;
    EXPECT_FALSE(clock.GetVersionEx(wrongSize));
    EXPECT_EQ(wrongSize.buildNumber, 0u);
}

TEST(Win32ClockLocale, LocaleTextsFollowTheTwoCallProtocol) {
    Win32ClockLocale clock;
    RecordingReporter reporter;
    LocaleInfo locale(clock, reporter);
    const LCID user = GetUserDefaultLCID();
    ASSERT_NE(user, 0u);
    EXPECT_EQ(ToAnsi(locale.GetLocaleLanguage()), DirectLocaleText(user, LOCALE_SLANGUAGE));
    EXPECT_EQ(ToAnsi(locale.GetLocaleCountry()), DirectLocaleText(user, LOCALE_SCOUNTRY));
    EXPECT_FALSE(locale.GetLocaleCountry().empty());
    EXPECT_EQ(locale.GetUserLocaleInfo(0x409, 0x7FFF), L"");

    const StampNames english = StampNamesOf(locale, 0x409);
    EXPECT_EQ(english.months[0], L"Jan");
    EXPECT_EQ(english.months[2], L"Mar");
    EXPECT_EQ(english.months[11], L"Dec");
    EXPECT_EQ(english.timeSeparator, L":");
    EXPECT_EQ(FormatLogStamp(46086 + 25449.0 / 86400, english), L"05-Mar-2026 07:04:09");
    const StampNames german = StampNamesOf(locale, 0x407);
    EXPECT_EQ(german.months[9], L"Okt");
    EXPECT_EQ(german.months[11], L"Dez");
    EXPECT_TRUE(reporter.reports.empty());
}

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
    return lines;
}

TEST(Win32CommonServices, TheRealCallsWriteAWellFormedReportIntoARealFile) {
    TempFolderShell shell;
    Win32ClockLocale clock;
    struct Services {
        Services(Shell& shell, ClockLocale& clock)
            : utc(clock, common), locale(clock, common), common(shell, clock, utc, locale) {}
        UTC utc;
        LocaleInfo locale;
        Common common;
    } s(shell, clock);
    int captionRefreshes = 0;
    s.common.SetEnableDebugLog([&] { ++captionRefreshes; });

    s.common.Initialize();
    s.common.Terminate();
    EXPECT_EQ(FileBytes(shell.LogPath()), "<missing>");

    s.common.Initialize();
    s.common.ReportError(5, L"Common.GetOSName");
    s.common.Terminate();
    EXPECT_EQ(captionRefreshes, 1);

    const std::vector<std::string> lines = SplitCrLf(FileBytes(shell.LogPath()));
    ASSERT_EQ(lines.size(), 8u);
    const std::regex stamped(R"(^(\d\d-[^ -]+-\d{4} \d\d[^ ]\d\d[^ ]\d\d) > (.*)$)");
    std::vector<std::string> stamps, texts;
    for (const std::string& line : lines) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, stamped)) << line;
        stamps.push_back(match[1]);
        texts.push_back(match[2]);
    }
    for (int i = 1; i < 6; ++i)
        EXPECT_EQ(stamps[i], stamps[0]);

    OSVERSIONINFOA direct{};
    direct.dwOSVersionInfoSize = sizeof(direct);
    GetVersionExA(&direct);
    const VersionRecord version = shell.ProgramVersion();
    EXPECT_EQ(texts[0], ToAnsi(version.productName) + " version " + std::to_string(version.major) + "." +
                            std::to_string(version.minor) + "." + std::to_string(version.revision));
    EXPECT_EQ(texts[1], "App.Path        : " + ToAnsi(shell.ProgramFolder()));
    EXPECT_EQ(texts[2], "App.exe         : win32_tests");
    EXPECT_EQ(texts[3], "Operating System: unknown build " + std::to_string(direct.dwBuildNumber));
    EXPECT_EQ(texts[4], "Country         : " + DirectLocaleText(GetUserDefaultLCID(), LOCALE_SCOUNTRY));
    EXPECT_EQ(texts[5], "Language        : " + DirectLocaleText(GetUserDefaultLCID(), LOCALE_SLANGUAGE));
    EXPECT_EQ(texts[6], "program error 5 in module Common.GetOSName: Invalid procedure call or argument");
    EXPECT_EQ(texts[7], ToAnsi(version.productName) + " shutdown");
}

}  // namespace
}  // namespace tarvello::win32
