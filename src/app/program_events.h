// Hands the control window's clicks and close to the program's control window logic. No failure may cross
// the window procedure back into Windows, so each call is fenced.
#pragma once

#include "app/win32_control_window.h"
#include "control_window/control_window.h"

namespace tarvello::app {

class ProgramEvents : public ControlWindowEvents {
public:
    explicit ProgramEvents(ControlWindow& mainWindow) : mainWindow_(mainWindow) {}

    void HelpClicked() override;
    void SendBearingClicked() override;
    void LongPathClicked() override;
    void TakeBearingClicked() override;
    void Unloading() override;
    // The control window is the program's only window: when it is gone the message loop ends.
    void Destroyed() override;

private:
    ControlWindow& mainWindow_;
};

}  // namespace tarvello::app
