// LocaleInfo: the two-call buffer protocol returns the platform's text without its NUL, and every way the
// platform can fail gives empty text.
#include <gtest/gtest.h>

#include "base/program_error.h"
#include "common_test_support.h"

namespace tarvello::testing {
namespace {

using Report = std::pair<std::int16_t, std::wstring>;

struct LocaleInfoTest : ::testing::Test {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    LocaleInfo locale{clock, reporter};
};

TEST_F(LocaleInfoTest, AsksForTheSizeThenFillsABufferOfThatManyBlanksAndCutsTheNul) {
    std::vector<std::pair<std::wstring, int>> calls;
    clock.localeInfoOverride = [&](std::uint32_t, std::uint32_t, std::wstring* buffer, int chars) {
        calls.emplace_back(buffer == nullptr ? L"<none>" : *buffer, chars);
        if (buffer != nullptr)
            *buffer = std::wstring(L"abcd") + L'\0';
        return 5;
    };
    EXPECT_EQ(locale.GetUserLocaleInfo(0x409, 2), L"abcd");
    EXPECT_EQ(calls, (std::vector<std::pair<std::wstring, int>>{{L"<none>", 0}, {L"     ", 5}}));
    // No user locale: empty text, without asking the table.
    clock.SetUserLocale(0);
    EXPECT_EQ(locale.GetLocaleLanguage(), L"");
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LocaleInfoTest, PlatformAnswersOfZeroOrNonsenseGiveDefinedTextAndAreNotReported) {
    // The size query answers 0 or less: no second call. The filling call fails, writes only the NUL, a
    // shorter length than the text, or one beyond the buffer.
    for (const auto& [needed, written, text] :
         std::initializer_list<std::tuple<int, int, std::wstring>>{{0, 5, L""},
                                                                   {-1, 5, L""},
                                                                   {8, 0, L""},
                                                                   {8, -3, L""},
                                                                   {8, 1, L""},
                                                                   {8, 3, L"Wi"},
                                                                   {8, 6, L"Wien"},
                                                                   {8, 500, L"Wien"}}) {
        int calls = 0;
        clock.localeInfoOverride = [&, needed, written](std::uint32_t, std::uint32_t, std::wstring* buffer, int) {
            ++calls;
            if (buffer == nullptr)
                return needed;
            *buffer = std::wstring(L"Wien") + L'\0';
            return written;
        };
        EXPECT_EQ(locale.GetUserLocaleInfo(0x407, 2), text) << needed << " " << written;
        EXPECT_EQ(calls, needed > 0 ? 2 : 1);
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LocaleInfoTest, FailuresAreReportedByTheProcedureThatCaughtThem) {
    clock.FailWith(sim::SimClockCall::kLocaleText, error_number::kInvalidArgument);
    EXPECT_EQ(locale.GetLocaleCountry(), L"");
    clock.FailWith(sim::SimClockCall::kLocaleText, 0);
    clock.FailWith(sim::SimClockCall::kUserLocaleId, error_number::kOverflow);
    EXPECT_EQ(locale.GetLocaleLanguage(), L"");
    EXPECT_EQ(locale.GetLocaleCountry(), L"");
    EXPECT_EQ(reporter.reports, (std::vector<Report>{{5, L"LocaleInfo.GetUserLocaleInfo"},
                                                     {6, L"LocaleInfo.GetLocaleLanguage"},
                                                     {6, L"LocaleInfo.GetLocaleCountry"}}));
}

}  // namespace
}  // namespace tarvello::testing
