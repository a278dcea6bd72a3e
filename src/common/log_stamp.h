// The stamp of a diagnostic log line: a date-time value written "dd-mmm-yyyy hh:nn:ss" with the locale's
// month abbreviations and time separator, rounded to the nearest second.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvello {

class LocaleInfo;

struct StampNames {
    std::array<std::wstring, 12> months{L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                        L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    std::wstring timeSeparator = L":";
};

// The names of the given locale; a name the locale does not give keeps its English default.
StampNames StampNamesOf(LocaleInfo& locale, std::uint32_t lcid);

// Values before 30 December 1899, after 31 December 9999 or not finite are written as the stamp of 0.
std::wstring FormatLogStamp(double dateTime, const StampNames& names);

}  // namespace tarvello
