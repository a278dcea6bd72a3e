// Builds DXView's rotator commands from the names in partners.h.
#include "dde_link/rotator_commands.h"

#include "partners/partners.h"

namespace tarvello {

std::wstring SelectBearingCommand(const std::wstring& angle) {
    std::wstring command(partners::kDxViewCommandPrefix);
    command += partners::kSelectBearingCommand;
    command += angle;
    return command;
}

std::wstring RotateRotorCommand(bool shortPath) {
    std::wstring command(partners::kDxViewCommandPrefix);
    command += shortPath ? partners::kRotateShortPathCommand : partners::kRotateLongPathCommand;
    return command;
}

}  // namespace tarvello
