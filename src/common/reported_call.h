// The catch-and-report rule of the common services: a failure stops the body, is reported under the
// procedure's name, and the caller goes on with whatever result the body had produced so far.
#pragma once

#include <exception>

#include "base/program_error.h"
#include "common/error_reporter.h"

namespace tarvello {

// Runs body and ignores any failure in it; used where a step must not stop the steps after it. True when the
// body ran to its end.
template <class Body>
bool RunIgnoringFailure(Body&& body) {
    try {
        body();
        return true;
    } catch (const ProgramError&) {
    } catch (const std::exception&) {
    }
    return false;
}

// Runs body; returns false when it failed and the failure was reported under procedure. Only the program's own
// failures and standard exceptions are caught, so a simulated process end passes through. Reporting is the
// last resort: a report that fails as well is dropped.
template <class Body>
bool RunReported(ErrorReporter& reporter, const wchar_t* procedure, Body&& body) {
    int number = 0;
    try {
        body();
        return true;
    } catch (const ProgramError& failure) {
        number = failure.Number();
    } catch (const std::exception& failure) {
        number = FailureNumberOf(failure);
    }
    RunIgnoringFailure([&] { reporter.ReportError(NarrowErrorNumber(number), procedure); });
    return false;
}

}  // namespace tarvello
