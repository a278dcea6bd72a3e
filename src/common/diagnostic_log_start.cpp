// DiagnosticLog: start and end of the common services, the version text and the operating-system facts.
#include "common/diagnostic_log.h"

#include "base/logged_procedure_names.h"
#include "common/locale_info.h"
#include "common/os_name_table.h"
#include "common/reported_call.h"
#include "common/utc_clock.h"
#include "common/version_text.h"

namespace tarvello {

namespace {
constexpr std::uint32_t kOsVersionInfoSize = 148;  // sizeof(OSVERSIONINFOA)
constexpr std::size_t kServicePackChars = 128;
}  // namespace

DiagnosticLog::DiagnosticLog(Files& files, Shell& shell, ClockLocale& clock, UtcClock& utc, LocaleInfo& locale)
    : files_(files), shell_(shell), clock_(clock), utc_(utc), locale_(locale) {}

void DiagnosticLog::Initialize() {
    logStarted_ = false;
    osName_ = L"Unknown";
    // A failure while the path is formed belongs to the caller: without a path there is no log at all.
    logPath_ = shell_.ProgramFolder() + L"\\ErrorLog.txt";
    // Both report their own failures and return normally: nothing of this step can fail any more.
    startTime_ = utc_.CurrentTime();
    GetOSVersion();
}

void DiagnosticLog::Terminate() {
    RunReported(*this, logged_procedure::kDiagnosticLogTerminate, [&] {
        if (logStarted_)
            DebugLog(shell_.ProgramVersion().productName + L" shutdown");
    });
}

std::wstring DiagnosticLog::Version() {
    std::wstring result;
    RunReported(*this, logged_procedure::kVersion, [&] { result = VersionText(shell_.ProgramVersion()); });
    return result;
}

void DiagnosticLog::GetOSVersion() {
    RunReported(*this, logged_procedure::kGetOSVersion, [&] {
        OsVersionInfo info;
        info.size = kOsVersionInfoSize;
        info.servicePack.assign(kServicePackChars, ' ');
        // A failed call leaves the fields at 0, which names no system: "unknown", build 0.
        clock_.OsVersion(info);
        // On Windows 95 to Me the high word carries the version too; the number is kept as reported.
        osBuild_ = static_cast<std::int32_t>(info.buildNumber);
        osName_ = OsNameFor(info.platformId, info.majorVersion, info.minorVersion);
    });
}

std::wstring DiagnosticLog::GetOSName() {
    std::wstring result;
    RunReported(*this, logged_procedure::kGetOSName, [&] { result = osName_; });
    return result;
}

std::int32_t DiagnosticLog::GetOSBuild() {
    return osBuild_;  // a copied number: nothing to fail and report
}

}  // namespace tarvello
