// The 20 ms hotkey poller and the rotor actions it runs: take the bearing (Return), turn (F11),
// clear (Esc) and stop (F8). The keys are only read, never taken from the program that has the focus.
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

}  // namespace

void ControlWindow::PollKeys() {
    using Action = void (ControlWindow::*)();
    static constexpr std::array<std::pair<int, Action>, 4> kKeys{{
        {vk::kReturn, &ControlWindow::TakeBearing},
        {vk::kF11, &ControlWindow::TurnRotor},
        {vk::kEscape, &ControlWindow::ClearBearing},
        {vk::kF8, &ControlWindow::StopRotor},
    }};
    // While an earlier action waits for DXView, this tick still reads the keys, so that a press is not lost
    // when the key is let go before the wait ends; its action runs after the earlier one, in order.
    for (const auto& [key, keyAction] : kKeys) {
        if (services_.platform.keyboard.ReadKeyState(key) != kFreshPress)
            continue;
        services_.gate.Run([this, action = keyAction] { RunKeyAction(action); });
    }
}

void ControlWindow::RunKeyAction(void (ControlWindow::*action)()) {
    try {
        (this->*action)();
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

void ControlWindow::TurnRotor() {
    services_.view.SetLampColour(colour::kTurning);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorTurning));
    services_.dxViewLink.RotateRotor(true);
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
