// The one way the DXView link and the common services record a failure.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // procedure is written as module, ".", procedure, for example "Common.GetOSVersion".
    virtual void ReportError(std::int16_t number, const std::wstring& procedure) = 0;
};

// Narrows a failure's number for ReportError: numbers outside the 16-bit range are logged as the overflow
// error (6) rather than wrapped into an unrelated number.
std::int16_t NarrowErrorNumber(int number);

}  // namespace tarvello
