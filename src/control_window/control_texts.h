// Every text of the control window that the operator reads: messages and program-log entries.
#pragma once

#include <string_view>

namespace tarvello::texts {

inline constexpr std::wstring_view kProgramLogName = L"Error.log";
inline constexpr std::wstring_view kProgramLogHeader = L"Tarvello - Fehlerlog";
inline constexpr std::wstring_view kHelpFileName = L"Tarvello.chm";

inline constexpr std::wstring_view kLoggerMissingMessage = L"Bitte starten Sie zun\u00e4chst Win-Contest";
inline constexpr std::wstring_view kLoggerMissingEntry = L" Win-Contest war nicht gestartet";
inline constexpr std::wstring_view kDxViewMissingMessage =
    L"DXView ist im Moment nicht aktiv. Bitte starten Sie zun\u00e4chst DXView";
inline constexpr std::wstring_view kDxViewMissingEntry = L" DXView war nicht aktiv";

inline constexpr std::wstring_view kRotorTurning = L"Rotor dreht";
inline constexpr std::wstring_view kRotorIdle = L" ";
inline constexpr std::wstring_view kRotorStopped = L"Rotor angehalten";

// INI file: window position and release text.
inline constexpr std::wstring_view kRestoreSection = L"RESTORE";
inline constexpr std::wstring_view kLeftKey = L"linkerRand";
inline constexpr std::wstring_view kTopKey = L"obererRand";
inline constexpr std::wstring_view kReleaseSection = L"RELEASE";
inline constexpr std::wstring_view kReleaseKey = L"Release_Nr";
inline constexpr std::wstring_view kReleaseText = L"1.0.0 Beta";

}  // namespace tarvello::texts
