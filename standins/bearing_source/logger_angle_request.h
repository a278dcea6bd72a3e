// Asks the contest logger for its current angle with one DDEML request.
#pragma once

#include <optional>
#include <string>

namespace bearing_standin {

// The logger's "Winkel" item as ANSI bytes, up to the first NUL; nullopt when the logger does not answer
// within timeoutMs (not running, refusing, or too slow).
std::optional<std::string> RequestLoggerAngle(unsigned long timeoutMs);

}  // namespace bearing_standin
