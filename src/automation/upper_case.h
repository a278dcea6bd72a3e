// Upper-casing for the window finder's comparisons: the same result on every platform and locale.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

// ASCII and the letters of the western single-byte code page (Latin-1 and the extra letters of
// Windows-1252); every other character is left as it is.
std::wstring UpperCaseText(std::wstring_view text);

}  // namespace tarvello
