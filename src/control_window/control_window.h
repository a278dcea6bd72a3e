// The control window's logic: start-up and shut-down, the hot links to the logger, the 20 ms hotkey poller
// with its rotor actions, the rotor stop through DXView's "SP" window, the DXView presence check and help.
// The widgets themselves are behind ControlView.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "control_window/control_view.h"
#include "control_window/hotkey_settings.h"
#include "dde_link/main_window_access.h"
#include "platform/platform.h"

namespace tarvello {

class ActionGate;
class DiagnosticLog;
class DxViewLink;
class IniAccess;
class FilesAndPauses;
class ProgramLog;
class WindowFinder;

// What the control window works with; everything is owned by the program object.
struct ControlWindowServices {
    Platform platform;
    ControlView& view;
    ActionGate& gate;  // one action at a time
    DiagnosticLog& diagnostics;
    DxViewLink& dxViewLink;
    WindowFinder& finder;
    FilesAndPauses& filesAndPauses;
    ProgramLog& programLog;
    std::function<IniAccess&()> iniStore;  // created on first use
};

namespace colour {
inline constexpr std::uint32_t kTurning = 0x000FFF00;     // red 0, green 255, blue 15
inline constexpr std::uint32_t kButtonFace = 0x8000000F;  // system colour 15, the lamp's colour at start
inline constexpr std::uint32_t kStopped = 0x000000FF;     // red 255
}  // namespace colour

namespace vk {
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kAlt = 18;
}  // namespace vk

class ControlWindow : public MainWindowAccess {
public:
    explicit ControlWindow(ControlWindowServices services);
    ~ControlWindow() override;

    // Load handler: the start-up sequence. When the logger does not answer, the window is closed before it
    // was ever shown and Closed() is true afterwards.
    void Start();
    // Unload handler: the shut-down sequence. It runs once, whenever the window closes.
    void ShutDown();
    bool Closed() const { return closed_; }
    bool PollerRunning() const { return pollTimer_.has_value(); }

    void PollKeys();
    void OnTakeBearingButton();  // hidden: the take-bearing action
    void OnSendBearingButton();  // hidden: sends the bearing as it stands
    void OnLongPathButton();     // hidden: long-path turn
    void OnHelpButton();         // "?": the help file

    static std::wstring StripTrailingCRLF(const std::wstring& theData);

    // MainWindowAccess, for the DXView link.
    void SetCaption(const std::wstring& caption) override;
    void SetBearingText(const std::wstring& text) override;
    void SetCurrentBearingText(const std::wstring& text) override;
    void AppendProgramLog(const std::wstring& entryText) override;

private:
    void RunStartupSequence();
    void RunStartupSteps();
    void RunKeyAction(RotorAction action);
    void ReadHotkeySettings();
    void ReportInvalidHotkey(std::wstring_view iniKey, const std::wstring& value);
    void HandleStartupFailure(int code, const std::wstring& description);
    void RestorePosition();
    void OpenLoggerLinks();
    std::unique_ptr<DdeLink> OpenLoggerLink(std::wstring_view item, ViewField field);
    void CloseWindow();
    void AppendProgramLogIfPossible(const std::wstring& entryText);

    void CheckDXViewPresence();
    void TakeBearing();
    void TurnRotor(bool shortPath);
    void ClearBearing();
    void StopRotor();
    void RotorStop();
    void ActivateLogger();
    std::int32_t SearchDXViewWindows();

    ControlWindowServices services_;
    std::unique_ptr<DdeLink> callsignLink_;
    std::unique_ptr<DdeLink> bearingLink_;
    std::unique_ptr<BearingSource> bearingSource_;
    bool bearingSourceFailureLogged_ = false;
    std::optional<TimerId> pollTimer_;
    HotkeyTable hotkeys_ = DefaultHotkeys();  // from section "TASTEN", read once at start-up
    bool unloaded_ = false;
    bool closed_ = false;
};

}  // namespace tarvello
