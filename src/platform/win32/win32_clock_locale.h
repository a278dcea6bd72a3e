// The clock and locale family on Windows: kernel32's UTC clock, the local general-date text, the user's
// locale table and the ANSI version record.
#pragma once

#include <windows.h>

#include "platform/clock_locale.h"

namespace tarvello::win32 {

// A local time in the general date format: the user's short date, a blank and the user's long time; the date
// alone at exactly midnight.
std::wstring GeneralDateText(const SYSTEMTIME& local);

class Win32ClockLocale : public ClockLocale {
public:
    SystemTime UtcNow() override;
    std::wstring LocalDateTimeText() override;
    std::uint32_t UserLocaleId() override;
    int LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) override;
    bool OsVersion(OsVersionInfo& info) override;
};

}  // namespace tarvello::win32
