// A window handle as the core sees it: an opaque integer, 0 for none.
#pragma once

#include <cstdint>

namespace tarvello {
using WindowHandle = std::int64_t;
}  // namespace tarvello
