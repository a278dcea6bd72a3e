// Wiring of the program's modules.
#include "control_window/tarvello_program.h"

namespace tarvello {

// Modules refer to ones declared after them (the UTC clock reports through the diagnostic log, the control window
// drives the DXView link); they only keep the references during construction and use them later.
TarvelloProgram::TarvelloProgram(const Platform& platform, ControlView& view)
    : platform_(platform),
      utc_(platform_.clock, diagnostics_),
      locale_(platform_.clock, diagnostics_),
      diagnostics_(platform_.files, platform_.shell, platform_.clock, utc_, locale_),
      finder_(platform_.windows),
      filesAndPauses_(platform_.files, platform_.shell, platform_.loop),
      programLog_(platform_.files, platform_.shell, platform_.clock),
      main_(ControlWindowServices{platform_, view, gate_, diagnostics_, dxViewLink_, finder_, filesAndPauses_,
                                  programLog_, [this]() -> IniAccess& { return IniStore(); }}),
      dxViewLink_(platform_, gate_, diagnostics_, main_) {}

IniAccess& TarvelloProgram::IniStore() {
    if (!ini_)
        ini_ = std::make_unique<IniAccess>(platform_.profile);
    return *ini_;
}

}  // namespace tarvello
