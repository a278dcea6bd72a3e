// The general date of the log's lines under Wine: the user's short date, one blank and the user's long time; at
// exactly midnight the date alone.
#include "platform/win32/win32_clock_locale.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {
namespace {

std::wstring Formatted(bool date, const SYSTEMTIME& time) {
    char text[64] = {};
    date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 64)
         : GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 64);
    return FromAnsi(text);
}

TEST(Win32ClockLocale, TheGeneralDateIsTheShortDateAndTheLongTimeOrAtMidnightTheDateAlone) {
    const SYSTEMTIME evening{2026, 12, 0, 6, 21, 8, 56, 0}, pastMidnight{2026, 12, 0, 6, 0, 0, 1, 0};
    for (const SYSTEMTIME& time : {evening, pastMidnight})
        EXPECT_EQ(GeneralDateText(time), Formatted(true, time) + L" " + Formatted(false, time)) << time.wSecond;
    const SYSTEMTIME midnight{2026, 12, 0, 6, 0, 0, 0, 0};
    EXPECT_EQ(GeneralDateText(midnight), Formatted(true, midnight));
}

}  // namespace
}  // namespace tarvello::win32
