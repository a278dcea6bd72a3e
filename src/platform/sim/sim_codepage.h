// Windows-1252, the ANSI code page of the simulated desktop (and of Wine in a western locale).
#pragma once

#include <string>

namespace tarvello {

// Characters with no place in the code page become '?', as WideCharToMultiByte does by default.
std::string EncodeCp1252(const std::wstring& text);
std::wstring DecodeCp1252(const std::string& bytes);

}  // namespace tarvello
