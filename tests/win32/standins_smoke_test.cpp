// The stand-in partners start, offer what Tarvello relies on under its names to Tarvello's own DDE client, take
// control commands from standin-ctl and end in order. The end-to-end tests exercise them in depth.
#include <gtest/gtest.h>

#include "../../standins/common/standin_names.h"
#include "base/program_error.h"
#include "platform/win32/win32_dde.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/test_env.h"

namespace {

using namespace test_support;
using tarvello::error_number::kDdeRefused;

// The item's current value as a hot link shows it first.
std::wstring FirstValue(const tarvello::DdeItemName& name) {
    std::wstring value = L"<none>";
    tarvello::win32::Win32Dde().OpenHotLink(name, {[&](const std::wstring& v) { value = v; }, {}});
    return value;
}

TEST(StandIns, OfferTheirItemsWindowsAndCommandsAndObeyStandinCtl) {
    const std::wstring dxviewJournal = FreshTempPath(L"dxview-smoke"), loggerJournal = FreshTempPath(L"logger-smoke");
    ChildProcess dxview(L"\"" + BinPath(L"DXView.exe") + L"\" --journal \"" + dxviewJournal + L"\"");
    ChildProcess logger(L"\"" + BinPath(L"ContestLogger.exe") + L"\" --angle 245 --journal \"" + loggerJournal + L"\"");
    ASSERT_TRUE(WaitForJournalText(dxviewJournal, "READY") && WaitForJournalText(loggerJournal, "READY"));
    HWND info = FindWindowA(standin::kDxViewInfoClass, standin::kDxViewInfoTitle);
    ASSERT_NE(info, nullptr);
    EXPECT_NE(FindWindowExA(info, nullptr, nullptr, "SP"), nullptr);
    EXPECT_EQ(FirstValue({L"DXView", L"DDEServer", L"SpotPrefix"}), L"DL");
    EXPECT_EQ(FirstValue({L"Contest32", L"DDE", L"Winkel"}), L"245");

    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"DXView", L"DDEServer", L"DDECommand"}, {});
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003rotatesp"); }), 0);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003jump"); }), kDdeRefused);
    const std::wstring ctl = L"\"" + BinPath(L"standin-ctl.exe") + L"\" ";
    EXPECT_EQ(RunToEnd(ctl + L"dxview refuse on"), 0u);
    EXPECT_EQ(ErrorOf([&] { link->Execute(L"003rotatelp"); }), kDdeRefused);
    EXPECT_EQ(RunToEnd(ctl + L"logger set call DL1ABC"), 0u);
    EXPECT_EQ(FirstValue({L"Contest32", L"DDE", L"NeuesRufzeichen"}), L"DL1ABC");
    EXPECT_EQ(RunToEnd(ctl + L"logger jump"), 2u);

    for (const auto& [name, process] : {std::pair{L"dxview", &dxview}, {L"logger", &logger}}) {
        EXPECT_EQ(RunToEnd(ctl + name + L" quit"), 0u);
        EXPECT_EQ(process->WaitForExit(10000), 0u);
    }
    EXPECT_EQ(JournalTexts(dxviewJournal).back(), "QUIT");
    EXPECT_EQ(RunToEnd(ctl + L"logger quit"), 1u) << "no logger is left to script";
}

}  // namespace
