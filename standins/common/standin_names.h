// Window classes, control ids and file names of the stand-ins, shared with standin-ctl and the tests.
#pragma once

namespace standin {

inline constexpr char kLoggerWindowClass[] = "TarvelloStandInLogger";
inline constexpr char kLoggerWindowTitle[] = "Win-Contest - Stand-in";
inline constexpr char kLoggerExe[] = "ContestLogger.exe";
inline constexpr char kLoggerJournal[] = "ContestLogger-journal.txt";

inline constexpr char kDxViewWindowClass[] = "TarvelloStandInDXView";
inline constexpr char kDxViewWindowTitle[] = "DXView - Stand-in";
inline constexpr char kDxViewInfoClass[] = "ThunderRT6FormDC";
inline constexpr char kDxViewInfoTitle[] = "DXView Info";
inline constexpr char kDxViewSpClass[] = "TarvelloStandInSP";
inline constexpr char kDxViewExe[] = "DXView.exe";
inline constexpr char kDxViewJournal[] = "DXView-journal.txt";

inline constexpr char kCtlExe[] = "standin-ctl.exe";

// Edit boxes of the logger window, in tab order.
inline constexpr int kCallEditId = 101;
inline constexpr int kAngleEditId = 102;
inline constexpr int kLocatorEditId = 103;

// Exit codes: 0 normal end, 2 bad command line; standin-ctl adds 1 = window not found, 2 = command refused.
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitRefused = 2;

}  // namespace standin
