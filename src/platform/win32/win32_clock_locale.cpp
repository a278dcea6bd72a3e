// The clock and locale family on Windows, through the ...A calls and the system ANSI code page.
#include "platform/win32/win32_clock_locale.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {

namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record must have the size the program prepares");

SystemTime FromSystemTime(const SYSTEMTIME& t) {
    return SystemTime{static_cast<std::int16_t>(t.wYear),      static_cast<std::int16_t>(t.wMonth),
                      static_cast<std::int16_t>(t.wDayOfWeek), static_cast<std::int16_t>(t.wDay),
                      static_cast<std::int16_t>(t.wHour),      static_cast<std::int16_t>(t.wMinute),
                      static_cast<std::int16_t>(t.wSecond),    static_cast<std::int16_t>(t.wMilliseconds)};
}

// GetDateFormatA and GetTimeFormatA share the two-call protocol; the text comes back without its NUL.
template <class Format>
std::wstring FormatWith(Format format) {
    const int needed = format(nullptr, 0);
    if (needed <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    const int written = format(bytes.data(), needed);
    if (written <= 0)
        return {};
    bytes.resize(static_cast<std::size_t>(written - 1));
    return FromAnsi(bytes);
}

}  // namespace

SystemTime Win32ClockLocale::UtcNow() {
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    return FromSystemTime(now);
}

std::wstring Win32ClockLocale::LocalDateTimeText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return GeneralDateText(now);
}

std::wstring GeneralDateText(const SYSTEMTIME& now) {
    const std::wstring date = FormatWith([&](char* buffer, int size) {
        return ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, size);
    });
    // The general date format leaves the time out at exactly midnight.
    if (now.wHour == 0 && now.wMinute == 0 && now.wSecond == 0)
        return date;
    return date + L" " + FormatWith([&](char* buffer, int size) {
               return ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, size);
           });
}

std::uint32_t Win32ClockLocale::UserLocaleId() {
    return ::GetUserDefaultLCID();
}

int Win32ClockLocale::LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) {
    if (bufferChars <= 0 || buffer == nullptr)
        return ::GetLocaleInfoA(lcid, type, nullptr, 0);
    std::string bytes(static_cast<std::size_t>(bufferChars), ' ');
    const int written = ::GetLocaleInfoA(lcid, type, bytes.data(), bufferChars);
    if (written <= 0)
        return 0;
    // The converted text keeps its NUL; its length in characters is what the caller cuts by.
    bytes.resize(static_cast<std::size_t>(std::min(written, bufferChars)));
    *buffer = FromAnsi(bytes);
    return static_cast<int>(buffer->size());
}

bool Win32ClockLocale::OsVersion(OsVersionInfo& info) {
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = info.size;
    record.dwMajorVersion = info.majorVersion;
    record.dwMinorVersion = info.minorVersion;
    record.dwBuildNumber = info.buildNumber;
    record.dwPlatformId = info.platformId;
    std::memcpy(record.szCSDVersion, info.servicePack.data(),
                std::min(info.servicePack.size(), sizeof(record.szCSDVersion)));
    if (!::GetVersionExA(&record))
        return false;
    info.majorVersion = record.dwMajorVersion;
    info.minorVersion = record.dwMinorVersion;
    info.buildNumber = record.dwBuildNumber;
    info.platformId = record.dwPlatformId;
    info.servicePack.assign(record.szCSDVersion, strnlen(record.szCSDVersion, sizeof(record.szCSDVersion)));
    return true;
}

}  // namespace tarvello::win32
