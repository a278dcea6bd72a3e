// Clock and locale family: UTC clock, the local date-time text, locale facts and the OS version record.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

struct SystemTime {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t dayOfWeek = 0;
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    std::int16_t milliseconds = 0;
};

// The fields of OSVERSIONINFOA the program prepares and reads.
struct OsVersionInfo {
    std::uint32_t size = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;  // szCSDVersion, 128 bytes
};

namespace locale_type {
inline constexpr std::uint32_t kLanguage = 2;             // LOCALE_SLANGUAGE
inline constexpr std::uint32_t kCountry = 6;              // LOCALE_SCOUNTRY
inline constexpr std::uint32_t kTimeSeparator = 0x1E;     // LOCALE_STIME
inline constexpr std::uint32_t kAbbrevMonthName1 = 0x44;  // LOCALE_SABBREVMONTHNAME1, the others follow
}  // namespace locale_type

class ClockLocale {
public:
    virtual ~ClockLocale() = default;
    virtual SystemTime UtcNow() = 0;  // UTC
    // The current local date and time in the general date format: short date, a blank, long time;
    // the date alone at exactly midnight.
    virtual std::wstring LocalDateTimeText() = 0;
    virtual std::uint32_t UserLocaleId() = 0;
    // GetLocaleInfoA. With bufferChars 0: the size needed including the NUL, or 0. Otherwise fills
    // *buffer with what the call wrote (NUL included, converted from the code page) and returns its length
    // including the NUL, or 0 on failure.
    virtual int LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) = 0;
    // GetVersionExA on a prepared record; false when the call failed (the record is then unchanged).
    virtual bool OsVersion(OsVersionInfo& info) = 0;
};

}  // namespace tarvello
