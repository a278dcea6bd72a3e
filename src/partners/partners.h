// What Tarvello needs of its two partner programs, DXView and the contest logger: DDE names, the commands
// it sends and the window patterns it looks for. Shared with the stand-ins, which must offer exactly these.
#pragma once

#include <string_view>

namespace tarvello::partners {

// DXView: DDE source, rotator commands, windows.
inline constexpr std::wstring_view kDxViewApplication = L"DXView";
inline constexpr std::wstring_view kDxViewServerTopic = L"DDEServer";
inline constexpr std::wstring_view kDxViewMainTopic = L"DXViewMain";
inline constexpr std::wstring_view kSpotPrefixItem = L"SpotPrefix";
inline constexpr std::wstring_view kDdeCommandItem = L"DDECommand";
inline constexpr std::wstring_view kShortPathItem = L"ShortPath";
inline constexpr short kDxViewServerNumber = 3;
inline constexpr std::wstring_view kDxViewCommandPrefix = L"003";
inline constexpr std::wstring_view kSelectBearingCommand = L"selectbearing";
inline constexpr std::wstring_view kRotateShortPathCommand = L"rotatesp";
inline constexpr std::wstring_view kRotateLongPathCommand = L"rotatelp";
inline constexpr std::wstring_view kDxViewInfoClassPattern = L"ThunderRT6*";
inline constexpr std::wstring_view kDxViewInfoTitlePattern = L"*DXView Info*";
inline constexpr std::wstring_view kRotorStopWindowTitle = L"SP";

// The contest logger ("Win-Contest" in messages): DDE source and main window.
inline constexpr std::wstring_view kLoggerApplication = L"Contest32";
inline constexpr std::wstring_view kLoggerTopic = L"DDE";
inline constexpr std::wstring_view kCallsignItem = L"NeuesRufzeichen";
inline constexpr std::wstring_view kBearingItem = L"Winkel";
inline constexpr std::wstring_view kLoggerTitleMarker = L"Win-Contest";

// Tarvello's own DDE topic, on which partners ask it to connect.
inline constexpr std::wstring_view kOwnTopic = L"DDEClient";
inline constexpr std::wstring_view kStartCommand = L"start";

}  // namespace tarvello::partners
