// The stand-in partners start, offer what Tarvello relies on under its names, take control commands and end
// in order. The end-to-end tests exercise them in depth.
#include <gtest/gtest.h>

#include "../../standins/common/standin_names.h"
#include "ddeml_client.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/test_env.h"

namespace {

using namespace test_support;

// Sends a stand-in a control command as standin-ctl does; TRUE when it was carried out.
LRESULT SendCommand(HWND window, const std::string& text) {
    COPYDATASTRUCT data{0x54415256, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

TEST(StandIns, DXViewOffersItsItemsWindowsAndCommands) {
    const std::wstring journal = FreshTempPath(L"dxview-smoke");
    ChildProcess dxview(L"\"" + BinPath(L"DXView.exe") + L"\" --journal \"" + journal + L"\"");
    ASSERT_TRUE(WaitForJournalText(journal, "READY"));
    HWND info = FindWindowA(standin::kDxViewInfoClass, standin::kDxViewInfoTitle);
    ASSERT_NE(info, nullptr);
    EXPECT_NE(FindWindowExA(info, nullptr, nullptr, "SP"), nullptr);
    EXPECT_EQ(DdemlRequest("DXView", "DDEServer", "SpotPrefix"), std::optional<std::string>("DL"));
    EXPECT_TRUE(DdemlExecute("DXView", "DDEServer", "003rotatesp"));
    EXPECT_FALSE(DdemlExecute("DXView", "DDEServer", "003jump"));
    EXPECT_EQ(SendCommand(FindWindowA(standin::kDxViewWindowClass, nullptr), "refuse on"), TRUE);
    EXPECT_FALSE(DdemlExecute("DXView", "DDEServer", "003rotatelp"));
    EXPECT_EQ(RunToEnd(L"\"" + BinPath(L"standin-ctl.exe") + L"\" dxview quit"), 0u);
    EXPECT_EQ(dxview.WaitForExit(10000), 0u);
    EXPECT_EQ(JournalTextsStartingWith(journal, "REPLY"),
              (std::vector<std::string>{"REPLY ack", "REPLY refused", "REPLY refused"}));
    EXPECT_EQ(JournalTexts(journal).back(), "QUIT");
}

TEST(StandIns, TheLoggerPublishesWhatIsTypedAndStandinCtlScriptsIt) {
    const std::wstring journal = FreshTempPath(L"logger-smoke");
    ChildProcess logger(L"\"" + BinPath(L"ContestLogger.exe") + L"\" --angle 245 --journal \"" + journal + L"\"");
    ASSERT_TRUE(WaitForJournalText(journal, "READY"));
    EXPECT_EQ(DdemlRequest("Contest32", "DDE", "Winkel"), std::optional<std::string>("245"));
    const std::wstring ctl = L"\"" + BinPath(L"standin-ctl.exe") + L"\" logger ";
    EXPECT_EQ(RunToEnd(ctl + L"set call DL1ABC"), 0u);
    EXPECT_EQ(DdemlRequest("Contest32", "DDE", "NeuesRufzeichen"), std::optional<std::string>("DL1ABC"));
    EXPECT_EQ(RunToEnd(ctl + L"jump"), 2u);
    EXPECT_EQ(RunToEnd(ctl + L"quit"), 0u);
    EXPECT_EQ(logger.WaitForExit(10000), 0u);
    EXPECT_EQ(RunToEnd(ctl + L"quit"), 1u) << "no logger is left to script";
}

}  // namespace
