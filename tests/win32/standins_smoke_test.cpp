// The stand-in partners start, offer what Tarvello relies on under its names to Tarvello's own DDE client, take
// control commands and end in order. The end-to-end tests exercise them in depth.
#include <gtest/gtest.h>

#include "../../standins/common/standin_names.h"
#include "common/program_error.h"
#include "platform/win32/win32_dde.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/test_env.h"

namespace {

using namespace test_support;
using tarvello::error_number::kDdeRefused;

// Sends a stand-in a control command as standin-ctl does; TRUE when it was carried out.
LRESULT SendCommand(HWND window, const std::string& text) {
    COPYDATASTRUCT data{0x54415256, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

// The item's current value as a hot link shows it first.
std::wstring FirstValue(const tarvello::DdeItemName& name) {
    std::wstring value = L"<none>";
    tarvello::win32::Win32Dde().OpenHotLink(name, {[&](const std::wstring& v) { value = v; }, {}});
    return value;
}

TEST(StandIns, DXViewOffersItsItemsWindowsAndCommands) {
    const std::wstring journal = FreshTempPath(L"dxview-smoke");
    ChildProcess dxview(L"\"" + BinPath(L"DXView.exe") + L"\" --journal \"" + journal + L"\"");
    ASSERT_TRUE(WaitForJournalText(journal, "READY"));
    HWND info = FindWindowA(standin::kDxViewInfoClass, standin::kDxViewInfoTitle);
    ASSERT_NE(info, nullptr);
    EXPECT_NE(FindWindowExA(info, nullptr, nullptr, "SP"), nullptr);
    EXPECT_EQ(FirstValue({L"DXView", L"DDEServer", L"SpotPrefix"}), L"DL");
    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"DXView", L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003rotatesp"); }), 0);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003jump"); }), kDdeRefused);
    EXPECT_EQ(SendCommand(FindWindowA(standin::kDxViewWindowClass, nullptr), "refuse on"), TRUE);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003rotatelp"); }), kDdeRefused);
    EXPECT_EQ(RunToEnd(L"\"" + BinPath(L"standin-ctl.exe") + L"\" dxview quit"), 0u);
    EXPECT_EQ(dxview.WaitForExit(10000), 0u);
    EXPECT_EQ(JournalTexts(journal).back(), "QUIT");
}

TEST(StandIns, TheLoggerPublishesWhatIsTypedAndStandinCtlScriptsIt) {
    const std::wstring journal = FreshTempPath(L"logger-smoke");
    ChildProcess logger(L"\"" + BinPath(L"ContestLogger.exe") + L"\" --angle 245 --journal \"" + journal + L"\"");
    ASSERT_TRUE(WaitForJournalText(journal, "READY"));
    EXPECT_EQ(FirstValue({L"Contest32", L"DDE", L"Winkel"}), L"245");
    const std::wstring ctl = L"\"" + BinPath(L"standin-ctl.exe") + L"\" logger ";
    EXPECT_EQ(RunToEnd(ctl + L"set call DL1ABC"), 0u);
    EXPECT_EQ(FirstValue({L"Contest32", L"DDE", L"NeuesRufzeichen"}), L"DL1ABC");
    EXPECT_EQ(RunToEnd(ctl + L"jump"), 2u);
    EXPECT_EQ(RunToEnd(ctl + L"quit"), 0u);
    EXPECT_EQ(logger.WaitForExit(10000), 0u);
    EXPECT_EQ(RunToEnd(ctl + L"quit"), 1u) << "no logger is left to script";
}

}  // namespace
