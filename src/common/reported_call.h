// The catch-and-report rule of the common services: a failure stops the body, is reported under the
// procedure's name, and the caller goes on with whatever result the body had produced so far.
#pragma once

#include <exception>

#include "common/error_reporter.h"
#include "platform/program_error.h"

namespace tarvello {

// The error number a caught standard exception is reported with.
int FailureNumberOf(const std::exception& failure);

// Runs body; returns false when it failed and the failure was reported under procedure. Only the
// program's own failures and standard exceptions are caught, so a simulated process end passes through.
template <class Body>
bool RunReported(ErrorReporter& reporter, const wchar_t* procedure, Body&& body) {
    try {
        body();
        return true;
    } catch (const ProgramError& failure) {
        reporter.ReportError(NarrowErrorNumber(failure.Number()), procedure);
    } catch (const std::exception& failure) {
        reporter.ReportError(NarrowErrorNumber(FailureNumberOf(failure)), procedure);
    }
    return false;
}

// Runs body and ignores any failure in it; used where a step must not stop the steps after it.
template <class Body>
void RunIgnoringFailure(Body&& body) {
    try {
        body();
    } catch (const ProgramError&) {
    } catch (const std::exception&) {
    }
}

}  // namespace tarvello
