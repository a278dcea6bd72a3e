// The texts of the DXView link that users, logs and the caption show, kept in one place.
#pragma once

#include <string_view>

namespace tarvello::dde_link_texts {

inline constexpr std::wstring_view kDxViewNotActive = L"DXView ist nicht aktiv. Bitte starten Sie DXView";
inline constexpr std::wstring_view kDxViewWasNotStarted = L" DX-View war nicht gestartet";  // Error.log entry

// Caption pieces: " {DXV}" while DXView is connected, the hint while the diagnostic log is in use.
inline constexpr std::wstring_view kDxViewConnectedMark = L" {DXV}";
inline constexpr std::wstring_view kErrorLogHint = L" - see ErrorLog in ";
inline constexpr std::wstring_view kErrorLogHintFile = L"/ErrorLog.txt";

}  // namespace tarvello::dde_link_texts
