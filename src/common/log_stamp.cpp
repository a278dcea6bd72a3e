// Formats diagnostic log stamps from date-time values.
#include "common/log_stamp.h"

#include <cmath>
#include <cstdint>

#include "common/locale_info.h"
#include "platform/clock_locale.h"

namespace tarvello {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// 31 December 9999 23:59:59, the last moment a four-digit year can write.
constexpr double kLastWritable = 2958465.0 + 86399.0 / 86400.0;

struct CivilDate {
    int year;
    int month;
    int day;
};

// Day 0 is 30 December 1899. The civil-from-days method counts from 1 March of year 0.
CivilDate CivilFromDayNumber(std::int64_t dayNumber) {
    constexpr std::int64_t kDaysFrom0000To18991230 = 693899;  // 1 March 0000 to 30 December 1899
    const std::int64_t z = dayNumber + kDaysFrom0000To18991230;
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

std::wstring TwoDigits(std::int64_t value) {
    return std::wstring(1, static_cast<wchar_t>(L'0' + value / 10)) + static_cast<wchar_t>(L'0' + value % 10);
}

}  // namespace

StampNames StampNamesOf(LocaleInfo& locale, std::uint32_t lcid) {
    StampNames names;
    if (lcid == 0)
        return names;
    for (std::uint32_t m = 0; m < 12; ++m) {
        std::wstring month = locale.GetUserLocaleInfo(lcid, locale_type::kAbbrevMonthName1 + m);
        if (!month.empty())
            names.months[m] = std::move(month);
    }
    std::wstring separator = locale.GetUserLocaleInfo(lcid, locale_type::kTimeSeparator);
    if (!separator.empty())
        names.timeSeparator = std::move(separator);
    return names;
}

std::wstring FormatLogStamp(double dateTime, const StampNames& names) {
    if (!std::isfinite(dateTime) || dateTime < 0 || dateTime > kLastWritable)
        dateTime = 0;
    const auto totalSeconds = static_cast<std::int64_t>(std::llround(dateTime * kSecondsPerDay));
    const CivilDate date = CivilFromDayNumber(totalSeconds / kSecondsPerDay);
    const std::int64_t secondOfDay = totalSeconds % kSecondsPerDay;
    const std::wstring year = std::to_wstring(date.year);
    return TwoDigits(date.day) + L"-" + names.months[date.month - 1] + L"-" + std::wstring(4 - year.size(), L'0') +
           year + L" " + TwoDigits(secondOfDay / 3600) + names.timeSeparator + TwoDigits(secondOfDay / 60 % 60) +
           names.timeSeparator + TwoDigits(secondOfDay % 60);
}

}  // namespace tarvello
