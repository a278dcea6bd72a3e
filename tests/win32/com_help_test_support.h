// The window waits of the help-family tests; they live in the common process and window harness.
#pragma once

#include "standin_harness.h"

namespace com_help_test {
using standin_test::WaitForWindow;
using standin_test::WaitForWindowGone;
}  // namespace com_help_test
