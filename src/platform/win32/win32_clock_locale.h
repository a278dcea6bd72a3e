// The clock and locale family on Windows: kernel32's UTC clock, the local general-date text, the user's
// locale table and the ANSI version record.
#pragma once

#include "platform/clock_locale.h"

namespace tarvello::win32 {

class Win32ClockLocale : public ClockLocale {
public:
    SystemTime UtcNow() override;
    std::wstring LocalDateTimeText() override;
    std::uint32_t UserLocaleId() override;
    int LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) override;
    bool OsVersion(OsVersionInfo& info) override;
};

}  // namespace tarvello::win32
