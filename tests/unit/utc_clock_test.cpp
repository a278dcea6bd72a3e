// UTC: the clock reading becomes the OLE Automation date of that moment; failures give 0 and are reported.
#include <gtest/gtest.h>

#include <chrono>

#include "base/program_error.h"
#include "common_test_support.h"

namespace tarvello::testing {
namespace {

struct UtcClockTest : ::testing::Test {
    double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int milliseconds = 0) {
        auto f = [](int v) { return static_cast<std::int16_t>(v); };
        clock.SetUtc(SystemTime{f(year), f(month), 0, f(day), f(hour), f(minute), f(second), f(milliseconds)});
        return utc.CurrentTime();
    }

    sim::SimClockLocale clock;
    RecordingReporter reporter;
    UtcClock utc{clock, reporter};
};

TEST_F(UtcClockTest, MatchesTheCivilCalendarForEveryDayFrom2000To2400AndDropsMilliseconds) {
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

}  // namespace
}  // namespace tarvello::testing
