// The procedure names the program writes into its diagnostic log, after "program error N in module ". Operators
// and support have always read these names there, so they keep the older program's module and handler names,
// the small m of "DDEClientmodule.Initialize" included, whatever the C++ code calls the same things.
#pragma once

namespace tarvello::logged_procedure {

// The control window: a failing key action inside a poller tick, and the bearing source that did not answer.
inline constexpr wchar_t kPollKeys[] = L"RERurControlMain2.Timer1_Timer";
inline constexpr wchar_t kReadBearingText[] = L"RERurControlMain2.ReadBearingText";

// The DXView link.
inline constexpr wchar_t kDxViewLinkInitialize[] = L"DDEClientmodule.Initialize";
inline constexpr wchar_t kSetServerConnect[] = L"DDEClientModule.SetServerConnect";

// The common services.
inline constexpr wchar_t kDiagnosticLogTerminate[] = L"Common.Terminate";
inline constexpr wchar_t kVersion[] = L"Common.Version";
inline constexpr wchar_t kGetOSVersion[] = L"Common.GetOSVersion";
inline constexpr wchar_t kGetOSName[] = L"Common.GetOSName";
inline constexpr wchar_t kCurrentTime[] = L"UTC.CurrentTime";
inline constexpr wchar_t kGetLocaleLanguage[] = L"LocaleInfo.GetLocaleLanguage";
inline constexpr wchar_t kGetLocaleCountry[] = L"LocaleInfo.GetLocaleCountry";
inline constexpr wchar_t kGetUserLocaleInfo[] = L"LocaleInfo.GetUserLocaleInfo";

}  // namespace tarvello::logged_procedure
