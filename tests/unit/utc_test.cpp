// UTC: the clock reading becomes the OLE Automation date of that moment; failures give 0 and are reported.
#include <gtest/gtest.h>

#include <chrono>

#include "common_test_support.h"
#include "platform/program_error.h"

namespace tarvello::testing {
namespace {

double CurrentTimeAt(std::int16_t year,
                     std::int16_t month,
                     std::int16_t day,
                     std::int16_t hour = 0,
                     std::int16_t minute = 0,
                     std::int16_t second = 0,
                     std::int16_t milliseconds = 0) {
    sim::SimClockLocale clock;
    clock.SetUtc(SystemTime{year, month, 0, day, hour, minute, second, milliseconds});
    RecordingReporter reporter;
    UTC utc(clock, reporter);
    const double value = utc.CurrentTime();
    EXPECT_TRUE(reporter.reports.empty());
    return value;
}

// The OLE Automation day number of a civil date, computed independently of the program's arithmetic.
double OleDay(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
    const sys_days epoch{std::chrono::year{1899} / December / 30};
    return static_cast<double>((date - epoch).count());
}

TEST(UtcCurrentTime, GivesTheLandmarkDates) {
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2000, 1, 1), 36526);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2000, 3, 1), 36586);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2100, 3, 1), 73110);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2004, 2, 29, 12, 0, 0), 38046.5);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2026, 3, 5, 7, 4, 9), 46086 + 25449.0 / 86400);
    // Milliseconds are dropped, not rounded.
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2026, 3, 5, 7, 4, 9, 999), 46086 + 25449.0 / 86400);
}

TEST(UtcCurrentTime, MatchesTheCivilCalendarForEveryDayFrom2000To2400) {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    UTC utc(clock, reporter);
    int mismatches = 0;
    for (int year = 2000; year <= 2400; year += (year < 2110 ? 1 : 97)) {
        for (unsigned month = 1; month <= 12; ++month) {
            const std::chrono::year_month_day_last last{std::chrono::year{year} / std::chrono::month{month} /
                                                        std::chrono::last};
            for (unsigned day = 1; day <= static_cast<unsigned>(last.day()); ++day) {
                clock.SetUtc(SystemTime{static_cast<std::int16_t>(year), static_cast<std::int16_t>(month), 0,
                                        static_cast<std::int16_t>(day), 23, 59, 59, 0});
                if (utc.CurrentTime() != OleDay(year, month, day) + 86399.0 / 86400)
                    ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(UtcCurrentTime, ReadingsBefore2000CountOnlyTheirDayWithinTheYear) {
    EXPECT_DOUBLE_EQ(CurrentTimeAt(1999, 12, 31, 23, 59, 59), 36890 + 86399.0 / 86400);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(1999, 1, 1), 36526);
    // 1996 is a leap year, so its 1 March is day 61 of the year.
    EXPECT_DOUBLE_EQ(CurrentTimeAt(1996, 3, 1), 36525 + 61);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(-5, 1, 1), 36526);
}

TEST(UtcCurrentTime, OutOfRangeFieldsGiveADefinedValue) {
    // Month 0 adds no months; month 13 adds all twelve (the thirteenth adds nothing).
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2001, 0, 1), 36525 + 366 + 1);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2001, 13, 1), 36525 + 366 + 334 + 1);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2001, 1, 0, 25, 0, 0), 36526 + 366 - 1 + 25.0 / 24);
    EXPECT_DOUBLE_EQ(CurrentTimeAt(2001, 1, 1, -12, 0, 0), 36526 + 366 - 0.5);
    EXPECT_GT(CurrentTimeAt(32767, 32767, 32767, 32767, 32767, 32767), 11000000);
}

TEST(UtcCurrentTime, AFailingClockGivesZeroAndIsReportedUnderItsName) {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    UTC utc(clock, reporter);
    clock.FailWith(sim::SimClockCall::kGetSystemTime, error_number::kPermissionDenied);
    EXPECT_EQ(utc.CurrentTime(), 0);
    clock.FailWith(sim::SimClockCall::kGetSystemTime, 100000);
    EXPECT_EQ(utc.CurrentTime(), 0);
    using Report = std::pair<std::int16_t, std::wstring>;
    EXPECT_EQ(reporter.reports, (std::vector<Report>{{70, L"UTC.CurrentTime"}, {6, L"UTC.CurrentTime"}}));
}

TEST(UtcMonthDays, GivesTheLengthOfTheMonthBefore) {
    sim::SimClockLocale clock;
    RecordingReporter reporter;
    UTC utc(clock, reporter);
    const std::int16_t expected[14] = {0, 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 0};
    for (std::int16_t month = 0; month <= 13; ++month) {
        EXPECT_EQ(utc.MonthDays(month, false), expected[month]) << "month " << month;
        EXPECT_EQ(utc.MonthDays(month, true), month == 3 ? 29 : expected[month]) << "month " << month;
    }
    EXPECT_EQ(utc.MonthDays(-1, true), 0);
    EXPECT_EQ(utc.MonthDays(32767, false), 0);
    EXPECT_EQ(utc.MonthDays(-32768, false), 0);
    EXPECT_TRUE(reporter.reports.empty());
}

}  // namespace
}  // namespace tarvello::testing
