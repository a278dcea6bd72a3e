// Maps standard exceptions to the familiar error numbers.
#include "common/reported_call.h"

#include <new>
#include <stdexcept>

namespace tarvello {

int FailureNumberOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        return 7;  // out of memory
    if (dynamic_cast<const std::out_of_range*>(&failure) != nullptr)
        return error_number::kSubscriptOutOfRange;
    if (dynamic_cast<const std::overflow_error*>(&failure) != nullptr)
        return error_number::kOverflow;
    if (dynamic_cast<const std::range_error*>(&failure) != nullptr)
        return error_number::kOverflow;
    return error_number::kInvalidArgument;
}

}  // namespace tarvello
