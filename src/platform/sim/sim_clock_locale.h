// Simulated clock and locale: a UTC time, a local date-time text, a locale table and a version record that
// tests set.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "platform/clock_locale.h"

namespace tarvello::sim {

class SimClockLocale : public ClockLocale {
public:
    SimClockLocale();

    SystemTime GetSystemTime() override { return utc_; }
    std::wstring LocalDateTimeText() override { return localText_; }
    std::uint32_t GetUserDefaultLCID() override { return lcid_; }
    int GetLocaleInfo(std::uint32_t lcid, std::uint32_t type, std::wstring* buffer, int bufferChars) override;
    bool GetVersionEx(OsVersionInfo& info) override;

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

private:
    SystemTime utc_{2026, 3, 4, 5, 7, 4, 9, 0};
    std::wstring localText_ = L"05.03.2026 08:04:09";
    std::uint32_t lcid_ = 0x407;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::wstring> info_;
    OsVersionInfo version_{148, 6, 1, 7601, 2, ""};
    bool versionSucceeds_ = true;
};

}  // namespace tarvello::sim
