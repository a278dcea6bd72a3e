// DiagnosticLog, the heart of the common services: the diagnostic log "ErrorLog.txt" with its start report, error
// reporting, the version text and the operating-system facts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/error_reporter.h"
#include "common/log_stamp.h"
#include "platform/clock_locale.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace tarvello {

class UtcClock;
class LocaleInfo;

class DiagnosticLog : public ErrorReporter {
public:
    DiagnosticLog(Files& files, Shell& shell, ClockLocale& clock, UtcClock& utc, LocaleInfo& locale);

    // Called right after the start report of a run has been written (DxViewLink::EnableDebugLog).
    void SetEnableDebugLog(std::function<void()> enableDebugLog) { enableDebugLog_ = std::move(enableDebugLog); }

    void Initialize();
    void Terminate();
    void DebugLog(const std::wstring& message);
    void ReportError(std::int16_t number, const std::wstring& procedure) override;
    std::wstring Version();
    void GetOSVersion();
    std::wstring GetOSName();
    std::int32_t GetOSBuild();

    bool LogStarted() const { return logStarted_; }
    const std::wstring& LogPath() const { return logPath_; }

private:
    void WriteEntry(const std::wstring& message);
    void WriteStartReport(const StampNames& names);

    Files& files_;
    Shell& shell_;
    ClockLocale& clock_;
    UtcClock& utc_;
    LocaleInfo& locale_;
    std::function<void()> enableDebugLog_;
    std::wstring logPath_;
    double startTime_ = 0;
    bool logStarted_ = false;
    int debugLogDepth_ = 0;  // 1 while an entry is written, 2 while the lines reported meanwhile are written
    std::vector<std::wstring> nestedEntries_;
    std::wstring osName_;  // "Unknown" from Initialize on
    std::int32_t osBuild_ = 0;
};

}  // namespace tarvello
