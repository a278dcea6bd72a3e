// Conversion between the program's wide text and the system ANSI code page, done at each ...A call.
#pragma once

#include <string>

namespace tarvello::win32 {

// Characters with no place in the code page become the code page's default character ('?').
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

}  // namespace tarvello::win32
