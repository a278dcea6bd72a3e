// The program's name as the operator reads it: the title of every message box and the start of the caption.
#pragma once

#include <string_view>

namespace tarvello {

inline constexpr std::wstring_view kProgramTitle = L"Tarvello";

}  // namespace tarvello
