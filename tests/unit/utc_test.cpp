// UTC: the clock reading becomes the OLE Automation date of that moment; failures give 0 and are reported.
#include <gtest/gtest.h>

#include <chrono>

#include "common/program_error.h"
#include "common_test_support.h"

namespace tarvello::testing {
namespace {

struct UtcTest : ::testing::Test {
    double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0) {
        auto f = [](int v) { return static_cast<std::int16_t>(v); };
        clock.SetUtc(SystemTime{f(year), f(month), 0, f(day), f(hour), f(minute), f(second), f(milliseconds)});
        return utc.CurrentTime();
    }

    sim::SimClockLocale clock;
    RecordingReporter reporter;
    UTC utc{clock, reporter};
};

TEST_F(UtcTest, MatchesTheCivilCalendarForEveryDayFrom2000To2400AndDropsMilliseconds) {
    using namespace std::chrono;
    const sys_days epoch{1899y / December / 30};
    int mismatches = 0;
    for (int y = 2000; y <= 2400; y += (y < 2110 ? 1 : 97))
        for (sys_days d{year{y} / January / 1}; d < sys_days{year{y + 1} / January / 1}; d += days{1}) {
            const year_month_day date{d};
            const double ole = (d - epoch).count() + 86399.0 / 86400;
            mismatches +=
                At(y, static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), 23, 59, 59, 999) != ole;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_DOUBLE_EQ(At(2026, 3, 5, 7, 4, 9), 46086 + 25449.0 / 86400);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(UtcTest, ReadingsBefore2000AndOutOfRangeFieldsGiveADefinedValue) {
    // Before 2000 only the day within the year counts.
    EXPECT_DOUBLE_EQ(At(1999, 12, 31, 23, 59, 59), 36890 + 86399.0 / 86400);
    EXPECT_DOUBLE_EQ(At(1996, 3, 1), 36525 + 61);  // 1996 is a leap year
    EXPECT_DOUBLE_EQ(At(-5, 1, 1), 36526);
    // Month 0 adds no months; month 13 adds all twelve (the thirteenth adds nothing).
    EXPECT_DOUBLE_EQ(At(2001, 0, 1), 36525 + 366 + 1);
    EXPECT_DOUBLE_EQ(At(2001, 13, 1), 36525 + 366 + 334 + 1);
    EXPECT_DOUBLE_EQ(At(2001, 1, 0, 25), 36526 + 366 - 1 + 25.0 / 24);
    EXPECT_DOUBLE_EQ(At(2001, 1, 1, -12), 36526 + 366 - 0.5);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(UtcTest, AFailingClockGivesZeroAndIsReportedUnderItsName) {
    clock.FailWith(sim::SimClockCall::kUtcNow, error_number::kPermissionDenied);
    EXPECT_EQ(utc.CurrentTime(), 0);
    clock.FailWith(sim::SimClockCall::kUtcNow, 100000);
    EXPECT_EQ(utc.CurrentTime(), 0);
    using Report = std::pair<std::int16_t, std::wstring>;
    EXPECT_EQ(reporter.reports, (std::vector<Report>{{70, L"UTC.CurrentTime"}, {6, L"UTC.CurrentTime"}}));
}

TEST_F(UtcTest, MonthDaysGivesTheLengthOfTheMonthBefore) {
    const std::int16_t expected[14] = {0, 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 0};
    for (std::int16_t month = 0; month <= 13; ++month) {
        EXPECT_EQ(utc.MonthDays(month, false), expected[month]) << "month " << month;
        EXPECT_EQ(utc.MonthDays(month, true), month == 3 ? 29 : expected[month]) << "month " << month;
    }
    EXPECT_EQ(utc.MonthDays(-1, true), 0);
}

}  // namespace
}  // namespace tarvello::testing
