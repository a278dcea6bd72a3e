// Simulated clock and locale: a UTC time, a local date-time text, a locale table and a version record that
// tests set.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/clock_locale.h"

namespace tarvello::sim {

enum class SimClockCall { kUtcNow, kUserLocaleId, kLocaleText, kOsVersion, kCount };

class SimClockLocale : public ClockLocale {
public:
    SimClockLocale();

    SystemTime UtcNow() override;
    std::wstring LocalDateTimeText() override { return localText_; }
    std::uint32_t UserLocaleId() override;
    int LocaleText(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) override;
    bool OsVersion(OsVersionInfo& info) override;

    void SetUtc(SystemTime t) { utc_ = t; }
    void SetLocalDateTimeText(std::wstring text) { localText_ = std::move(text); }
    void SetUserLocale(std::uint32_t lcid) { lcid_ = lcid; }
    void SetLocaleInfo(std::uint32_t lcid, std::uint32_t type, std::wstring text) { info_[{lcid, type}] = text; }
    // Loads the English (United States, 0x409) or German (Germany, 0x407) names, month abbreviations and
    // time separator.
    void UseEnglishLocale();
    void UseGermanLocale();
    void SetVersion(OsVersionInfo v, bool succeeds = true) {
        version_ = std::move(v);
        versionSucceeds_ = succeeds;
    }

    // Every later call of that operation throws ProgramError(number); number 0 lets them succeed again.
    void FailWith(SimClockCall call, int number) { failures_[Index(call)] = number; }
    int Calls(SimClockCall call) const { return calls_[Index(call)]; }
    // The record as the program prepared it for the last OsVersion call.
    const OsVersionInfo& LastVersionRequest() const { return lastVersionRequest_; }
    // Replaces the locale table's answers, for platform answers the table cannot give (a failing second call).
    std::function<int(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars)>
        localeInfoOverride;

private:
    struct SimLocale {
        std::uint32_t lcid;
        std::array<const wchar_t*, 12> months;
        const wchar_t* language;
        const wchar_t* country;
    };
    void UseLocale(const SimLocale& locale);

    static int Index(SimClockCall call) { return static_cast<int>(call); }
    void Enter(SimClockCall call);

    int failures_[static_cast<int>(SimClockCall::kCount)] = {};
    int calls_[static_cast<int>(SimClockCall::kCount)] = {};
    OsVersionInfo lastVersionRequest_;
    SystemTime utc_{2026, 3, 4, 5, 7, 4, 9, 0};
    std::wstring localText_ = L"05.03.2026 08:04:09";
    std::uint32_t lcid_ = 0x407;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::wstring> info_;
    OsVersionInfo version_{148, 6, 1, 7601, 2, ""};
    bool versionSucceeds_ = true;
};

}  // namespace tarvello::sim
