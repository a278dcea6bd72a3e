// Narrowing of failure numbers for ReportError.
#include "common/error_reporter.h"

#include <limits>

#include "base/program_error.h"

namespace tarvello {

std::int16_t NarrowErrorNumber(int number) {
    if (number < std::numeric_limits<std::int16_t>::min() || number > std::numeric_limits<std::int16_t>::max()) {
        return static_cast<std::int16_t>(error_number::kOverflow);
    }
    return static_cast<std::int16_t>(number);
}

}  // namespace tarvello
