// The 20 ms hotkey poller and the rotor actions it runs: take the bearing (Return), turn (F11),
// clear (Esc) and stop (F8). The keys are only read, never taken from the program that has the focus.
#include <array>

#include "base/logged_procedure_names.h"
#include "base/program_error.h"
#include "common/action_gate.h"
#include "common/diagnostic_log.h"
#include "control_window/control_texts.h"
#include "control_window/rerur_control_main2.h"
#include "dde_link/dxview_link.h"

namespace tarvello {
namespace {

// Down now and pressed since the previous query: a fresh press. A key held since an earlier tick reads
// 0x8000 and one pressed and already released reads 0x0001; neither fires.
constexpr std::int16_t kFreshPress = static_cast<std::int16_t>(0x8001);

}  // namespace

void RERurControlMain2::Timer1_Timer() {
    using Action = void (RERurControlMain2::*)();
    static constexpr std::array<std::pair<int, Action>, 4> kKeys{{
        {vk::kReturn, &RERurControlMain2::TakeBearing},
        {vk::kF11, &RERurControlMain2::TurnRotor},
        {vk::kEscape, &RERurControlMain2::ClearBearing},
        {vk::kF8, &RERurControlMain2::StopRotor},
    }};
    // While an earlier action waits for DXView, this tick still reads the keys, so that a press is not lost
    // when the key is let go before the wait ends; its action runs after the earlier one, in order.
    for (const auto& [key, keyAction] : kKeys) {
        if (services_.platform.keyboard.ReadKeyState(key) != kFreshPress)
            continue;
        services_.gate.Run([this, action = keyAction] { RunKeyAction(action); });
    }
}

void RERurControlMain2::RunKeyAction(void (RERurControlMain2::*action)()) {
    try {
        (this->*action)();
    } catch (const ProgramError& e) {
        // A failure must not escape into the message loop and end the program; it is recorded instead.
        services_.diagnostics.ReportError(NarrowErrorNumber(e.Number()), logged_procedure::kPollKeys);
    }
}

void RERurControlMain2::Command1_Click() {
    services_.gate.Run([this] { TakeBearing(); });
}

void RERurControlMain2::SelectBearingCmd_Click() {
    services_.gate.Run([this] { services_.dxViewLink.SelectBearing(services_.view.Text(ViewField::kBearing)); });
}

void RERurControlMain2::LPCmd_Click() {
    services_.gate.Run([this] { services_.dxViewLink.RotateRotor(false); });
}

void RERurControlMain2::TakeBearing() {
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

void RERurControlMain2::TurnRotor() {
    services_.view.SetLampColour(colour::kTurning);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorTurning));
    services_.dxViewLink.RotateRotor(true);
}

void RERurControlMain2::ClearBearing() {
    services_.view.SetText(ViewField::kBearing, L"");
    services_.view.SetLampColour(colour::kButtonFace);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorIdle));
    services_.dxViewLink.SelectBearing(services_.view.Text(ViewField::kBearing));
    ActivateLogger();
}

void RERurControlMain2::StopRotor() {
    services_.view.SetLampColour(colour::kStopped);
    services_.view.SetText(ViewField::kStatusText, std::wstring(texts::kRotorStopped));
    RotorStop();
}

}  // namespace tarvello
