// Test support for the common services: the three modules wired on a fresh simulated desktop, and a
// reporter that records what UTC and LocaleInfo report when tested alone.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/common.h"
#include "common/locale_info.h"
#include "common/utc.h"
#include "platform/program_error.h"
#include "platform/sim/sim_desktop.h"

namespace tarvello::testing {

struct RecordingReporter : ErrorReporter {
    void ReportError(std::int16_t number, const std::wstring& procedure) override {
        reports.emplace_back(number, procedure);
    }
    std::vector<std::pair<std::int16_t, std::wstring>> reports;
};

// Modules refer to Common, declared after them; they keep the reference and use it later.
struct CommonServices {
    explicit CommonServices(Shell& shell)
        : utc(desk.clock, common), locale(desk.clock, common), common(shell, desk.clock, utc, locale) {}
    CommonServices() : CommonServices(desk.shell) {}

    std::string Log() const { return desk.files.Read(L"C:\\Tarvello\\ErrorLog.txt"); }
    void SetUtc(std::int16_t year,
                std::int16_t month,
                std::int16_t day,
                std::int16_t hour,
                std::int16_t minute,
                std::int16_t second) {
        desk.clock.SetUtc(SystemTime{year, month, 0, day, hour, minute, second, 0});
    }

    sim::SimDesktop desk;
    UTC utc;
    LocaleInfo locale;
    Common common;
};

// The simulated shell with ProgramVersion or ProgramFolder failing.
struct FailingShell : sim::SimShell {
    using SimShell::SimShell;
    VersionRecord ProgramVersion() override {
        if (versionFails)
            throw ProgramError(13);
        return SimShell::ProgramVersion();
    }
    std::wstring ProgramFolder() override {
        if (folderFails)
            throw ProgramError(error_number::kPathNotFound);
        return SimShell::ProgramFolder();
    }
    bool versionFails = false;
    bool folderFails = false;
};

}  // namespace tarvello::testing
