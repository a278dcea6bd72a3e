// UtcClock: the current time in Coordinated Universal Time as a date-time value (days since 30 December 1899,
// time of day as the fraction).
#pragma once

#include <cstdint>

#include "common/error_reporter.h"
#include "platform/clock_locale.h"

namespace tarvello {

class UtcClock {
public:
    UtcClock(ClockLocale& clock, ErrorReporter& reporter) : clock_(clock), reporter_(reporter) {}

    // The current UTC time, milliseconds dropped; 0 after a failure.
    double CurrentTime();
    // The length of the month before month (1 gives 0, 3 gives February's length); 0 for any other month.
    std::int16_t MonthDays(std::int16_t month, bool leap);

private:
    ClockLocale& clock_;
    ErrorReporter& reporter_;
};

}  // namespace tarvello
