// The whole program on one platform: every module once, wired together, with the control window on top.
// A test builds a fresh program on a fresh simulated desktop; WinMain builds one on the Win32 platform.
#pragma once

#include <memory>

#include "automation/window_finder.h"
#include "common/action_gate.h"
#include "common/diagnostic_log.h"
#include "common/locale_info.h"
#include "common/utc_clock.h"
#include "control_window/control_window.h"
#include "control_window/files_and_pauses.h"
#include "control_window/program_log.h"
#include "dde_link/dxview_link.h"
#include "platform/platform.h"
#include "settings/ini_access.h"

namespace tarvello {

class TarvelloProgram {
public:
    TarvelloProgram(const Platform& platform, ControlView& view);

    ControlWindow& MainWindow() { return main_; }
    DxViewLink& DxView() { return dxViewLink_; }
    DiagnosticLog& Diagnostics() { return diagnostics_; }
    WindowFinder& Finder() { return finder_; }
    ActionGate& Gate() { return gate_; }
    IniAccess& IniStore();

private:
    Platform platform_;
    ActionGate gate_;
    UtcClock utc_;
    LocaleInfo locale_;
    DiagnosticLog diagnostics_;
    WindowFinder finder_;
    FilesAndPauses filesAndPauses_;
    ProgramLog programLog_;
    std::unique_ptr<IniAccess> ini_;
    ControlWindow main_;
    DxViewLink dxViewLink_;
};

}  // namespace tarvello
