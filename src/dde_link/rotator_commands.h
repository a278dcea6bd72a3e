// The execute strings sent to DXView to select a bearing and to turn the rotor.
#pragma once

#include <string>

namespace tarvello {

// "003selectbearing" followed by the angle exactly as given (no trimming, padding or check).
std::wstring SelectBearingCommand(const std::wstring& angle);
// "003rotatesp" for the short path, "003rotatelp" for the long path.
std::wstring RotateRotorCommand(bool shortPath);

}  // namespace tarvello
