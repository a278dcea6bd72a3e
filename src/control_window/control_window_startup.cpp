// Start-up and shut-down of the control window, and its link to the DXView link module.
#include "control_window/control_window.h"

#include <exception>

#include "base/program_error.h"
#include "common/action_gate.h"
#include "common/diagnostic_log.h"
#include "common/program_texts.h"
#include "common/reported_call.h"
#include "control_window/control_texts.h"
#include "control_window/files_and_pauses.h"
#include "control_window/program_log.h"
#include "dde_link/dxview_link.h"
#include "partners/partners.h"
#include "settings/ini_access.h"
#include "settings/number_text.h"

namespace tarvello {
namespace {

constexpr std::uint32_t kPollIntervalMs = 20;

}  // namespace

ControlWindow::ControlWindow(ControlWindowServices services) : services_(std::move(services)) {}

ControlWindow::~ControlWindow() = default;

void ControlWindow::Start() {
    // The load is an action of its own: an outside "start" that comes while its links open waits for it.
    services_.gate.Run([this] { RunStartupSequence(); });
}

void ControlWindow::RunStartupSequence() {
    int code = 0;
    std::wstring description;
    try {
        RunStartupSteps();
    } catch (const ProgramError& e) {
        code = e.Number();
        description = e.Description();
    } catch (const std::exception& e) {
        // Every failure leaves its line in the program log, not only the program's own ones.
        code = FailureNumberOf(e);
        description = ErrorDescription(code);
    }
    HandleStartupFailure(code, description);
}

void ControlWindow::RunStartupSteps() {
    // The program log exists from the first start on. A folder where it cannot be written must not keep the
    // operator from the rotor: the log is then simply skipped.
    if (!services_.filesAndPauses.FileExists(services_.programLog.Path()))
        RunIgnoringFailure([&] { services_.programLog.CreateWithHeader(); });
    // Without DXView's info window the process ends here.
    CheckDXViewPresence();
    services_.diagnostics.Initialize();
    services_.filesAndPauses.InitIniPath(services_.iniStore());
    ReadHotkeySettings();
    RestorePosition();
    // The hidden DDE window and the three links to DXView, then the caption that shows them.
    services_.dxViewLink.Initialize();
    services_.dxViewLink.UpdateCaption();
    // A logger that does not answer fails here with 282.
    OpenLoggerLinks();
    // The poller's first tick comes 20 ms after start-up, never during it.
    pollTimer_ = services_.platform.loop.StartTimer(kPollIntervalMs, [this] { PollKeys(); });
}

void ControlWindow::ReadHotkeySettings() {
    hotkeys_ = ReadHotkeys(services_.iniStore(), [this](std::wstring_view iniKey, const std::wstring& value) {
        ReportInvalidHotkey(iniKey, value);
    });
    const bool longPathHasKey = hotkeys_[static_cast<std::size_t>(RotorAction::kTurnLongPath)].has_value();
    services_.view.ShowKeyHelp({KeyHelpLines(hotkeys_), longPathHasKey});
}

void ControlWindow::ReportInvalidHotkey(std::wstring_view iniKey, const std::wstring& value) {
    constexpr std::size_t kLoggedValueLength = 200;
    AppendProgramLogIfPossible(std::wstring(texts::kInvalidHotkeyEntry) + std::wstring(iniKey) + L"=" +
                               value.substr(0, kLoggedValueLength));
}

void ControlWindow::RestorePosition() {
    IniAccess& ini = services_.iniStore();
    const auto left = ParseNumberText(
        ini.ReadEntry(std::wstring(texts::kRestoreSection), std::wstring(texts::kLeftKey), std::wstring()));
    const auto top = ParseNumberText(
        ini.ReadEntry(std::wstring(texts::kRestoreSection), std::wstring(texts::kTopKey), std::wstring()));
    // A first start (or a damaged entry) has no usable position: open at a sensible place instead of
    // stopping start-up halfway.
    if (!left || !top) {
        services_.view.PlaceAtDefaultPosition();
        return;
    }
    services_.view.SetLeftTwips(*left);
    services_.view.SetTopTwips(*top);
    // A monitor may have gone since the position was saved; the INI file keeps its values until the next close.
    services_.view.KeepOnScreen();
}

void ControlWindow::OpenLoggerLinks() {
    callsignLink_ = OpenLoggerLink(partners::kCallsignItem, ViewField::kCallsign);
    bearingLink_ = OpenLoggerLink(partners::kBearingItem, ViewField::kBearing);
}

std::unique_ptr<DdeLink> ControlWindow::OpenLoggerLink(std::wstring_view item, ViewField field) {
    ControlView& view = services_.view;
    return services_.platform.dde.OpenHotLink(
        {std::wstring(partners::kLoggerApplication), std::wstring(partners::kLoggerTopic), std::wstring(item)},
        {[&view, field](const std::wstring& value) { view.SetText(field, value); }, nullptr});
}

void ControlWindow::HandleStartupFailure(int code, const std::wstring& description) {
    if (code == 0)
        return;
    if (code == error_number::kDdeNoAnswer) {
        // Order matters: log entry, then the message, then the close.
        AppendProgramLogIfPossible(std::wstring(texts::kLoggerMissingEntry));
        services_.platform.shell.ShowCriticalMessage(std::wstring(texts::kLoggerMissingMessage),
                                                     std::wstring(kProgramTitle));
        CloseWindow();
        return;
    }
    AppendProgramLogIfPossible(L" " + std::to_wstring(code) + L" " + description);
}

void ControlWindow::CloseWindow() {
    ShutDown();
    services_.view.Destroy();
    closed_ = true;
}

void ControlWindow::ShutDown() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (pollTimer_) {
        services_.platform.loop.StopTimer(*pollTimer_);
        pollTimer_.reset();
    }
    IniAccess& ini = services_.iniStore();
    // A start that failed before the INI path was set must still write the program's own file, never the
    // platform's default profile.
    if (ini.IniFile().empty())
        services_.filesAndPauses.InitIniPath(ini);
    ini.WriteEntry(std::wstring(texts::kRestoreSection), std::wstring(texts::kLeftKey),
                   FormatNumberText(services_.view.LeftTwips()));
    ini.WriteEntry(std::wstring(texts::kRestoreSection), std::wstring(texts::kTopKey),
                   FormatNumberText(services_.view.TopTwips()));
    ini.WriteEntry(std::wstring(texts::kReleaseSection), std::wstring(texts::kReleaseKey),
                   std::wstring(texts::kReleaseText));
    services_.diagnostics.Terminate();
    services_.dxViewLink.Terminate();
    // The hot links end with the window.
    callsignLink_.reset();
    bearingLink_.reset();
}

void ControlWindow::AppendProgramLogIfPossible(const std::wstring& entryText) {
    // A write-protected program folder loses the entry; the program goes on as if it had been written.
    RunIgnoringFailure([&] { services_.programLog.Append(entryText); });
}

void ControlWindow::SetCaption(const std::wstring& caption) {
    services_.view.SetCaption(caption);
}

void ControlWindow::SetBearingText(const std::wstring& text) {
    services_.view.SetText(ViewField::kBearing, text);
}

void ControlWindow::SetCurrentBearingText(const std::wstring& text) {
    services_.view.SetText(ViewField::kCurrentBearing, text);
}

void ControlWindow::AppendProgramLog(const std::wstring& entryText) {
    services_.programLog.Append(entryText);
}

void ControlWindow::OnHelpButton() {
    services_.gate.Run([this] {
        services_.platform.help.ShowHelp(services_.platform.shell.ProgramFolder() + L"\\" +
                                         std::wstring(texts::kHelpFileName));
    });
}

std::wstring ControlWindow::StripTrailingCRLF(const std::wstring& theData) {
    if (theData.size() > 2 && theData.compare(theData.size() - 2, 2, L"\r\n") == 0) {
        return theData.substr(0, theData.size() - 2);
    }
    return theData;
}

}  // namespace tarvello
