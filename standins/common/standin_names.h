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

// What each partner offers Tarvello, spelled here from the partners' description and not taken from Tarvello's
// sources, so that a misreading on either side shows up in the tests.
inline constexpr char kDxViewApplication[] = "DXView";
inline constexpr char kDxViewServerTopic[] = "DDEServer";
inline constexpr char kDxViewMainTopic[] = "DXViewMain";
inline constexpr char kSpotPrefixItem[] = "SpotPrefix";
inline constexpr char kCommandItem[] = "DDECommand";
inline constexpr char kShortPathItem[] = "ShortPath";
inline constexpr char kSelectBearingCommand[] = "003selectbearing";
inline constexpr char kRotateShortPathCommand[] = "003rotatesp";
inline constexpr char kRotateLongPathCommand[] = "003rotatelp";
inline constexpr char kSpWindowTitle[] = "SP";
inline constexpr char kTarvelloApplication[] = "Tarvello";
inline constexpr char kTarvelloTopic[] = "DDEClient";
inline constexpr char kStartRequest[] = "003start";

inline constexpr char kLoggerApplication[] = "Contest32";
inline constexpr char kLoggerTopic[] = "DDE";
inline constexpr char kCallItem[] = "NeuesRufzeichen";
inline constexpr char kAngleItem[] = "Winkel";
inline constexpr char kLocatorItem[] = "Locator";

// Edit boxes of the logger window, in tab order.
inline constexpr int kCallEditId = 101;
inline constexpr int kAngleEditId = 102;
inline constexpr int kLocatorEditId = 103;

// Exit codes: 0 normal end, 2 bad command line; standin-ctl adds 1 = window not found, 2 = command refused.
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitRefused = 2;

}  // namespace standin
