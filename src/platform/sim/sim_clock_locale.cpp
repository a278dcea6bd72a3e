// Simulated clock and locale.
#include "platform/sim/sim_clock_locale.h"

#include "base/program_error.h"

namespace tarvello::sim {

SimClockLocale::SimClockLocale() {
    UseGermanLocale();
}

void SimClockLocale::Enter(SimClockCall call) {
    ++calls_[Index(call)];
    if (failures_[Index(call)] != 0)
        throw ProgramError(failures_[Index(call)]);
}

SystemTime SimClockLocale::UtcNow() {
    Enter(SimClockCall::kUtcNow);
    return utc_;
}

std::uint32_t SimClockLocale::UserLocaleId() {
    Enter(SimClockCall::kUserLocaleId);
    return lcid_;
}

int SimClockLocale::LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) {
    Enter(SimClockCall::kLocaleText);
    if (localeInfoOverride)
        return localeInfoOverride(lcid, type, buffer, bufferChars);
    auto it = info_.find({lcid, type});
    if (it == info_.end())
        return 0;
    const int needed = static_cast<int>(it->second.size()) + 1;
    if (bufferChars == 0)
        return needed;
    if (bufferChars < needed || buffer == nullptr)
        return 0;
    buffer->assign(it->second);
    buffer->push_back(L'\0');
    return needed;
}

bool SimClockLocale::OsVersion(OsVersionInfo& info) {
    Enter(SimClockCall::kOsVersion);
    lastVersionRequest_ = info;
    if (!versionSucceeds_ || info.size != 148)
        return false;
    const auto size = info.size;
    info = version_;
    info.size = size;
    return true;
}

void SimClockLocale::UseLocale(const SimLocale& locale) {
    // The table is keyed by Windows' own numbers for the texts, not by the program's names for them, so that a
    // wrong name shows in the tests.
    constexpr std::uint32_t kWindowsLanguage = 2;          // LOCALE_SLANGUAGE
    constexpr std::uint32_t kWindowsCountry = 6;           // LOCALE_SCOUNTRY
    constexpr std::uint32_t kWindowsTimeSeparator = 0x1E;  // LOCALE_STIME
    constexpr std::uint32_t kWindowsFirstMonth = 0x44;     // LOCALE_SABBREVMONTHNAME1, the others follow
    lcid_ = locale.lcid;
    for (std::uint32_t m = 0; m < 12; ++m)
        SetLocaleInfo(locale.lcid, kWindowsFirstMonth + m, locale.months[m]);
    SetLocaleInfo(locale.lcid, kWindowsTimeSeparator, L":");
    SetLocaleInfo(locale.lcid, kWindowsLanguage, locale.language);
    SetLocaleInfo(locale.lcid, kWindowsCountry, locale.country);
}

void SimClockLocale::UseEnglishLocale() {
    UseLocale({0x409,
               {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"},
               L"English (United States)",
               L"United States"});
}

void SimClockLocale::UseGermanLocale() {
    UseLocale({0x407,
               {L"Jan", L"Feb", L"M\u00e4r", L"Apr", L"Mai", L"Jun", L"Jul", L"Aug", L"Sep", L"Okt", L"Nov", L"Dez"},
               L"Deutsch (Deutschland)",
               L"Deutschland"});
}

}  // namespace tarvello::sim
