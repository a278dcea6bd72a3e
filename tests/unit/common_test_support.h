// Test support for the common services: the three modules wired on a fresh simulated desktop, a reporter
// that records what UTC and LocaleInfo report when tested alone, and the expected lines of "ErrorLog.txt".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/program_error.h"
#include "common/diagnostic_log.h"
#include "common/locale_info.h"
#include "common/utc_clock.h"
#include "platform/sim/sim_desktop.h"

namespace tarvello::testing {

struct RecordingReporter : ErrorReporter {
    void ReportError(std::int16_t number, const std::wstring& procedure) override {
        reports.emplace_back(number, procedure);
    }
    std::vector<std::pair<std::int16_t, std::wstring>> reports;
};

// Modules refer to DiagnosticLog, declared after them; they keep the reference and use it later.
struct CommonServices {
    explicit CommonServices(Shell& shell)
        : utc(desk.clock, diagnostics),
          locale(desk.clock, diagnostics),
          diagnostics(desk.files, shell, desk.clock, utc, locale) {}
    CommonServices() : CommonServices(desk.shell) {}

    std::string Log() const { return desk.files.Read(L"C:\\Tarvello\\ErrorLog.txt"); }
    void SetUtc(std::int16_t hour, std::int16_t minute, std::int16_t second) {
        desk.clock.SetUtc(SystemTime{2026, 3, 0, 5, hour, minute, second, 0});
    }

    sim::SimDesktop desk;
    UtcClock utc;
    LocaleInfo locale;
    DiagnosticLog diagnostics;
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

// Log lines: each text behind the stamp and " > ", ended by CR LF.
inline std::string Stamped(const std::string& stamp, std::initializer_list<std::string> texts) {
    std::string lines;
    for (const std::string& text : texts)
        lines += stamp + " > " + text + "\r\n";
    return lines;
}

// The six-line start report of the default simulated desktop.
inline std::string StartReport(const std::string& stamp,
                               const std::string& country = "United States",
                               const std::string& language = "English (United States)",
                               const std::string& os = "unknown build 7601",
                               const std::string& header = "Tarvello version 1.0.0") {
    return Stamped(stamp, {header, "App.Path        : C:\\Tarvello", "App.exe         : Tarvello",
                           "Operating System: " + os, "Country         : " + country, "Language        : " + language});
}

}  // namespace tarvello::testing
