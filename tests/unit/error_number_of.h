// The error number a call of the program fails with, for tests of failures.
#pragma once

#include "base/program_error.h"

namespace tarvello::test {

// The call's ProgramError number, or 0 when it succeeds.
template <typename Call>
int ErrorNumberOf(Call call) {
    try {
        call();
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace tarvello::test
