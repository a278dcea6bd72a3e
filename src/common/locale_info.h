// LocaleInfo: the names of the user's language and country, read from the platform's locale table.
#pragma once

#include <cstdint>
#include <string>

#include "common/error_reporter.h"
#include "platform/clock_locale.h"

namespace tarvello {

class LocaleInfo {
public:
    LocaleInfo(ClockLocale& clock, ErrorReporter& reporter) : clock_(clock), reporter_(reporter) {}

    // Empty when the user has no locale (id 0) or the platform gives no text.
    std::wstring GetLocaleLanguage();
    std::wstring GetLocaleCountry();
    // The text of one locale information type, exactly as the platform wrote it without its NUL.
    std::wstring GetUserLocaleInfo(std::uint32_t lcid, std::uint32_t type);

private:
    std::wstring UserLocaleText(std::uint32_t type, const wchar_t* procedure);

    ClockLocale& clock_;
    ErrorReporter& reporter_;
};

}  // namespace tarvello
