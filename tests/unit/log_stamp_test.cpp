// Diagnostic log stamps: "dd-mmm-yyyy hh:nn:ss" in the locale's month names and time separator, rounded to
// the nearest second; values no four-digit year can write fall back to the stamp of 0.
#include <gtest/gtest.h>

#include <limits>

#include "common/log_stamp.h"
#include "common_test_support.h"

namespace tarvello::testing {
namespace {

constexpr double kSecond = 1.0 / 86400;
const double kMarch5th2026At070409 = 46086 + 25449 * kSecond;

TEST(LogStamp, WritesEachLocalesMonthNamesAndTimeSeparator) {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    LocaleInfo locale(clock, reporter);
    const double value = kMarch5th2026At070409;
    clock.UseGermanLocale();
    EXPECT_EQ(FormatLogStamp(value, StampNamesOf(locale, 0x407)), L"05-M\u00e4r-2026 07:04:09");
    EXPECT_EQ(FormatLogStamp(value + 300, StampNamesOf(locale, 0x407)), L"30-Dez-2026 07:04:09");
    // A locale with its own time separator, and one without month names: those keep the English default.
    clock.SetLocaleInfo(0x40b, 0x1E, L".");           // LOCALE_STIME
    clock.SetLocaleInfo(0x40b, 0x44 + 2, L"maalis");  // LOCALE_SABBREVMONTHNAME3
    EXPECT_EQ(FormatLogStamp(value, StampNamesOf(locale, 0x40b)), L"05-maalis-2026 07.04.09");
    EXPECT_EQ(FormatLogStamp(value + 31, StampNamesOf(locale, 0x40b)), L"05-Apr-2026 07.04.09");
    EXPECT_EQ(FormatLogStamp(value, StampNamesOf(locale, 0)), L"05-Mar-2026 07:04:09");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(LogStamp, RoundsToTheNearestSecondAcrossDayAndYearEndsAndFallsBackToZero) {
    const StampNames english;
    const std::pair<double, const wchar_t*> cases[] = {
        {46387 + 86399.4 * kSecond, L"31-Dec-2026 23:59:59"},
        {46387 + 86399.6 * kSecond, L"01-Jan-2027 00:00:00"},
        {38046.5, L"29-Feb-2004 12:00:00"},
        {61, L"01-Mar-1900 00:00:00"},
        {2958465 + 86399 * kSecond, L"31-Dec-9999 23:59:59"},
        // Values no stamp can write.
        {-0.25, L"30-Dec-1899 00:00:00"},
        {2958466.0, L"30-Dec-1899 00:00:00"},
        {std::numeric_limits<double>::quiet_NaN(), L"30-Dec-1899 00:00:00"},
        {std::numeric_limits<double>::infinity(), L"30-Dec-1899 00:00:00"},
    };
    for (const auto& [value, stamp] : cases)
        EXPECT_EQ(FormatLogStamp(value, english), stamp) << value;
    // The English month names, the default of every locale without its own.
    std::wstring months;
    for (const double firstOfMonth :
         {46023, 46054, 46082, 46113, 46143, 46174, 46204, 46235, 46266, 46296, 46327, 46357})
        months += FormatLogStamp(firstOfMonth, english).substr(3, 4);
    EXPECT_EQ(months, L"Jan-Feb-Mar-Apr-May-Jun-Jul-Aug-Sep-Oct-Nov-Dec-");
}

}  // namespace
}  // namespace tarvello::testing
