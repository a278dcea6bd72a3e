// DiagnosticLog: the diagnostic log "ErrorLog.txt" - error entries, the start report before a run's first entry,
// and the bounded handling of failures that happen while an entry is being written.
#include "common/diagnostic_log.h"

#include "base/program_error.h"
#include "common/locale_info.h"
#include "common/log_stamp.h"
#include "common/reported_call.h"
#include "common/utc_clock.h"
#include "common/version_text.h"

namespace tarvello {

namespace {

// Clears the writing depth however the entry ends, so a failure cannot leave the log locked.
class DepthReset {
public:
    explicit DepthReset(int& depth) : depth_(depth) {}
    ~DepthReset() { depth_ = 0; }
    DepthReset(const DepthReset&) = delete;
    DepthReset& operator=(const DepthReset&) = delete;

private:
    int& depth_;
};

template <class Text>
std::wstring TextOrEmpty(Text&& text) {
    std::wstring result;
    RunIgnoringFailure([&] { result = text(); });
    return result;
}

}  // namespace

void DiagnosticLog::ReportError(std::int16_t number, const std::wstring& procedure) {
    DebugLog(L"program error " + std::to_wstring(number) + L" in module " + procedure + L": " +
             ErrorDescription(number));
}

void DiagnosticLog::DebugLog(const std::wstring& message) {
    if (debugLogDepth_ > 0) {
        // A failure reported while an entry is written (the clock, the locale, the caption): its line is
        // written after the current one. Failures while those lines are written are dropped, so a clock
        // that always fails cannot feed the log without end.
        if (debugLogDepth_ == 1)
            nestedEntries_.push_back(message);
        return;
    }
    DepthReset reset(debugLogDepth_);
    debugLogDepth_ = 1;
    WriteEntry(message);
    debugLogDepth_ = 2;
    for (const std::wstring& nested : nestedEntries_)
        WriteEntry(nested);
    nestedEntries_.clear();
}

void DiagnosticLog::WriteEntry(const std::wstring& message) {
    StampNames names;
    RunIgnoringFailure([&] { names = StampNamesOf(locale_, clock_.UserLocaleId()); });
    if (!logStarted_) {
        WriteStartReport(names);
        // Set even when nothing could be written, so the report is not tried again in this run.
        logStarted_ = true;
        RunIgnoringFailure([&] {
            if (enableDebugLog_)
                enableDebugLog_();
        });
    }
    double now = 0;
    RunIgnoringFailure([&] { now = utc_.CurrentTime(); });
    RunIgnoringFailure([&] { files_.AppendLine(logPath_, FormatLogStamp(now, names) + L" > " + message); });
}

void DiagnosticLog::WriteStartReport(const StampNames& names) {
    const std::wstring lines[] = {
        TextOrEmpty([&] {
            const VersionRecord version = shell_.ProgramVersion();
            return version.productName + L" version " + VersionText(version);
        }),
        L"App.Path        : " + TextOrEmpty([&] { return shell_.ProgramFolder(); }),
        L"App.exe         : " + TextOrEmpty([&] { return shell_.ExeBaseName(); }),
        L"Operating System: " + GetOSName() + L" build " + std::to_wstring(GetOSBuild()),
        L"Country         : " + locale_.GetLocaleCountry(),
        L"Language        : " + locale_.GetLocaleLanguage(),
    };
    const std::wstring stamp = FormatLogStamp(startTime_, names);
    for (const std::wstring& line : lines) {
        RunIgnoringFailure([&] { files_.AppendLine(logPath_, stamp + L" > " + line); });
    }
}

}  // namespace tarvello
