// LocaleInfo: the two-call buffer protocol returns the platform's text without its NUL, and every way the
// platform can fail gives empty text.
#include <gtest/gtest.h>

#include "common/program_error.h"
#include "common_test_support.h"

namespace tarvello::testing {
namespace {

using Report = std::pair<std::int16_t, std::wstring>;

struct LocaleInfoTest : ::testing::Test {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    LocaleInfo locale{clock, reporter};
};

TEST_F(LocaleInfoTest, ATextOfKCharactersComesBackWithExactlyKCharacters) {
    for (const std::wstring text : {L"", L"x", L"Deutschland", L" leading and trailing blanks  ", L"\u00d6sterreich"}) {
        clock.SetLocaleInfo(0x407, 0x1001, text);
        EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 0x1001), text);
    }
    clock.UseGermanLocale();
    EXPECT_EQ(locale.GetLocaleLanguage(), L"Deutsch (Deutschland)");
    EXPECT_EQ(locale.GetLocaleCountry(), L"Deutschland");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LocaleInfoTest, AsksForTheSizeThenFillsABufferOfThatManyBlanks) {
    std::vector<std::pair<std::wstring, int>> calls;
    clock.localeInfoOverride = [&](std::uint32_t, std::uint32_t, std::wstring* buffer, int chars) {
        calls.emplace_back(buffer == nullptr ? L"<none>" : *buffer, chars);
        if (buffer != nullptr)
            *buffer = std::wstring(L"abcd") + L'\0';
        return 5;
    };
    EXPECT_EQ(locale.GetUserLocaleInfo(0x409, 2), L"abcd");
    EXPECT_EQ(calls, (std::vector<std::pair<std::wstring, int>>{{L"<none>", 0}, {L"     ", 5}}));
}

TEST_F(LocaleInfoTest, NoUserLocaleGivesEmptyTextWithoutAskingTheTable) {
    clock.SetUserLocale(0);
    EXPECT_EQ(locale.GetLocaleLanguage(), L"");
    EXPECT_EQ(locale.GetLocaleCountry(), L"");
    EXPECT_EQ(clock.Calls(sim::SimClockCall::kLocaleText), 0);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LocaleInfoTest, PlatformAnswersOfZeroOrNonsenseGiveDefinedTextAndAreNotReported) {
    // An unknown type: the size query answers 0 and no second call is made.
    EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 0x9999), L"");
    EXPECT_EQ(clock.Calls(sim::SimClockCall::kLocaleText), 1);

    // The filling call fails, writes only the NUL, a shorter length than the text, or one beyond the buffer.
    for (const auto& [written, text] : std::initializer_list<std::pair<int, std::wstring>>{
             {0, L""}, {-3, L""}, {1, L""}, {3, L"Wi"}, {500, L"Wien"}}) {
        const int answer = written;
        clock.localeInfoOverride = [answer](std::uint32_t, std::uint32_t, std::wstring* buffer, int) {
            if (buffer == nullptr)
                return 8;
            *buffer = std::wstring(L"Wien") + L'\0';
            return answer;
        };
        EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 2), text) << answer;
    }
    clock.localeInfoOverride = [](std::uint32_t, std::uint32_t, std::wstring*, int) { return -1; };
    EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 2), L"");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LocaleInfoTest, FailuresAreReportedByTheProcedureThatCaughtThem) {
    clock.FailWith(sim::SimClockCall::kLocaleText, error_number::kInvalidArgument);
    EXPECT_EQ(locale.GetLocaleCountry(), L"");
    EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 2), L"");
    clock.FailWith(sim::SimClockCall::kLocaleText, 0);
    clock.FailWith(sim::SimClockCall::kUserLocaleId, error_number::kOverflow);
    EXPECT_EQ(locale.GetLocaleLanguage(), L"");
    EXPECT_EQ(locale.GetLocaleCountry(), L"");
    EXPECT_EQ(reporter.reports, (std::vector<Report>{{5, L"LocaleInfo.GetUserLocaleInfo"},
                                                     {5, L"LocaleInfo.GetUserLocaleInfo"},
                                                     {6, L"LocaleInfo.GetLocaleLanguage"},
                                                     {6, L"LocaleInfo.GetLocaleCountry"}}));
}

}  // namespace
}  // namespace tarvello::testing
