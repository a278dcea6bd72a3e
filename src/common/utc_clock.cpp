// UtcClock: the calendar arithmetic that turns the platform's UTC clock reading into a date-time value.
#include "common/utc_clock.h"

#include <array>

#include "base/logged_procedure_names.h"
#include "common/reported_call.h"

namespace tarvello {

namespace {
// The date-time value of 31 December 1999; the count starts there and adds whole years from 2000 on.
constexpr double kEndOf1999 = 36525;
constexpr int kSecondsPerDay = 86400;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

double UtcClock::CurrentTime() {
    double result = 0;
    RunReported(reporter_, logged_procedure::kCurrentTime, [&] {
        const SystemTime now = clock_.UtcNow();
        // A reading before 2000 adds no whole years: only its day within its own year is counted.
        double days = kEndOf1999;
        for (int year = 2000; year < now.year; ++year)
            days += IsLeapYear(year) ? 366 : 365;
        const bool leap = IsLeapYear(now.year);
        for (int month = 1; month <= now.month; ++month)
            days += MonthDays(static_cast<std::int16_t>(month), leap);
        days += now.day;
        const int seconds = now.hour * 3600 + now.minute * 60 + now.second;
        result = days + static_cast<double>(seconds) / kSecondsPerDay;
    });
    return result;
}

// Plain arithmetic on a table: nothing to fail and report.
std::int16_t UtcClock::MonthDays(std::int16_t month, bool leap) {
    static constexpr std::array<std::int16_t, 13> kLengthOfMonthBefore{0,  0,  31, 28, 31, 30, 31,
                                                                       30, 31, 31, 30, 31, 30};
    if (month < 1 || month > 12)
        return 0;
    if (month == 3 && leap)
        return 29;
    return kLengthOfMonthBefore[static_cast<std::size_t>(month)];
}

}  // namespace tarvello
