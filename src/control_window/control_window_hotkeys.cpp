// The 20 ms hotkey poller and the rotor actions it runs: take the bearing (Return), turn (F11), turn on the long
// path (no key unless one is chosen), clear (Esc) and stop (F8), or on the keys section "TASTEN" names. The keys
// are only read, never taken from the program that has the focus.
#include <array>

#include "base/logged_procedure_names.h"
#include "base/program_error.h"
#include "common/action_gate.h"
#include "common/diagnostic_log.h"
#include "control_window/control_texts.h"
#include "control_window/control_window.h"
#include "dde_link/dxview_link.h"

namespace tarvello {
namespace {

// Down now and pressed since the previous query: a fresh press. A key held since an earlier tick reads
// 0x8000 and one pressed and already released reads 0x0001; neither fires.
constexpr std::int16_t kFreshPress = static_cast<std::int16_t>(0x8001);
constexpr int kDown = 0x8000;

}  // namespace

void ControlWindow::PollKeys() {
    // Every key in use is read once per tick, whichever actions share it: the read consumes the key's "pressed
    // since the last query" bit. Ctrl, Alt and Shift are read only when some key asks for them.
    Keyboard& keyboard = services_.platform.keyboard;
    std::array<std::optional<bool>, 256> freshPress;
    bool modifiersWanted = false;
    for (const auto& key : hotkeys_) {
        if (!key)
            continue;
        auto& fresh = freshPress[static_cast<std::size_t>(key->virtualKey & 0xFF)];
        if (!fresh)
            fresh = keyboard.ReadKeyState(key->virtualKey) == kFreshPress;
        modifiersWanted = modifiersWanted || key->HasModifiers();
    }
    Hotkey modifiersDown;
    if (modifiersWanted) {
        modifiersDown.ctrl = (keyboard.ReadKeyState(vk::kControl) & kDown) != 0;
        modifiersDown.alt = (keyboard.ReadKeyState(vk::kAlt) & kDown) != 0;
        modifiersDown.shift = (keyboard.ReadKeyState(vk::kShift) & kDown) != 0;
    }
    // While an earlier action waits for DXView, this tick still reads the keys, so that a press is not lost
    // when the key is let go before the wait ends; its actions run after the earlier one, in order.
    for (std::size_t i = 0; i < kRotorActionCount; ++i) {
        const auto& key = hotkeys_[i];
        if (!key || !*freshPress[static_cast<std::size_t>(key->virtualKey & 0xFF)])
            continue;
        if (key->HasModifiers() &&
            (key->ctrl != modifiersDown.ctrl || key->alt != modifiersDown.alt || key->shift != modifiersDown.shift))
            continue;
        services_.gate.Run([this, action = static_cast<RotorAction>(i)] { RunKeyAction(action); });
    }
}

void ControlWindow::RunKeyAction(RotorAction action) {
    try {
        switch (action) {
            case RotorAction::kTakeBearing:
                TakeBearing();
                break;
            case RotorAction::kTurnShortPath:
                TurnRotor(true);
                break;
            case RotorAction::kTurnLongPath:
                TurnRotor(false);
                break;
            case RotorAction::kClearBearing:
                ClearBearing();
                break;
            case RotorAction::kStopRotor:
                StopRotor();
                break;
        }
    } catch (const ProgramError& e) {
        // A failure must not escape into the message loop and end the program; it is recorded instead.
        services_.diagnostics.ReportError(NarrowErrorNumber(e.Number()), logged_procedure::kPollKeys);
    }
}

void ControlWindow::OnTakeBearingButton() {
    services_.gate.Run([this] { TakeBearing(); });
}

void ControlWindow::OnSendBearingButton() {
    services_.gate.Run([this] { services_.dxViewLink.SelectBearing(services_.view.Text(ViewField::kBearing)); });
}

void ControlWindow::OnLongPathButton() {
    services_.gate.Run([this] { services_.dxViewLink.RotateRotor(false); });
}

void ControlWindow::TakeBearing() {
    // A bearing source that cannot be created or does not answer leaves Bearing as the logger's hot link
    // set it, and that angle is sent; the failure is recorded once per run.
    try {
        if (!bearingSource_)
            bearingSource_ = services_.platform.bearingSource.Create();
        services_.view.SetText(ViewField::kBearing, bearingSource_->ReadBearingText());
    } catch (const ProgramError& e) {
        if (!bearingSourceFailureLogged_) {
            bearingSourceFailureLogged_ = true;
            services_.diagnostics.ReportError(NarrowErrorNumber(e.Number()), logged_procedure::kReadBearingText);
        }
    }
    services_.dxViewLink.SelectBearing(services_.view.Text(ViewField::kBearing));
}

// The long-path key shows the turn as F11 does; the hidden long-path button only sends the command.
void ControlWindow::TurnRotor(bool shortPath) {
    services_.view.SetLampColour(colour::kTurning);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorTurning));
    services_.dxViewLink.RotateRotor(shortPath);
}

void ControlWindow::ClearBearing() {
    services_.view.SetText(ViewField::kBearing, L"");
    services_.view.SetLampColour(colour::kButtonFace);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorIdle));
    services_.dxViewLink.SelectBearing(services_.view.Text(ViewField::kBearing));
    ActivateLogger();
}

void ControlWindow::StopRotor() {
    services_.view.SetLampColour(colour::kStopped);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorStopped));
    RotorStop();
}

}  // namespace tarvello
