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

// INI file: the keys of the five rotor actions, and the program-log entry for a key that names no single key.
inline constexpr std::wstring_view kHotkeySection = L"TASTEN";
inline constexpr std::wstring_view kInvalidHotkeyEntry = L" Tastenbelegung ung\u00fcltig: ";

// The key help: "<key> = <action>", or "<action>: keine Taste" for an action without a key.
inline constexpr std::wstring_view kKeyHelpEquals = L" = ";
inline constexpr std::wstring_view kNoKey = L": keine Taste";
inline constexpr std::wstring_view kCtrlPrefix = L"Strg+";
inline constexpr std::wstring_view kAltPrefix = L"Alt+";
inline constexpr std::wstring_view kShiftPrefix = L"Umschalt+";

}  // namespace tarvello::texts
