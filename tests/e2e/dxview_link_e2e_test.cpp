// The real Tarvello.exe and the DXView stand-in under Wine: the connection at start-up, DXView going away
// and the one retry 5 s later, an outside "003start", a refused command, and a bearing with DXView gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "../../src/app/resource_ids.h"
#include "common/program_error.h"
#include "harness/tarvello_e2e.h"
#include "platform/win32/win32_dde.h"

namespace e2e {
namespace {

class DXViewLinkE2E : public TarvelloE2E {
protected:
    HWND StartAll() {
        StartDXView();
        StartLogger(L"--angle 245");
        StartTarvello();
        HWND main = WaitForMainWindow();
        EXPECT_NE(main, nullptr);
        return main;
    }
    static bool ShowsConnected(HWND main) { return WindowText(main).find(L" {DXV}") != std::wstring::npos; }
    size_t Connects() const { return Matching(DXViewJournal(), " CONNECT ").size(); }
};

TEST_F(DXViewLinkE2E, KilledDXViewIsNoticedAndRetriedOnceFiveSecondsLater) {
    HWND main = StartAll();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 3000)) << WindowText(main);
    EXPECT_EQ(Connects(), 3u);  // SpotPrefix and DDECommand on DDEServer, ShortPath on DXViewMain

    dxview_->Kill();
    const ULONGLONG killed = GetTickCount64();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(main); }, 1000)) << "loss not noticed within a second";
    std::printf("DXView killed: noticed after %llu ms\n", GetTickCount64() - killed);

    // DXView comes back before the retry is due: the one retry finds it.
    StartDXView();
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 9000)) << WindowText(main);
    const ULONGLONG reconnectedAfter = GetTickCount64() - killed;
    std::printf("reconnected %llu ms after the kill\n", reconnectedAfter);
    EXPECT_GE(reconnectedAfter, 4500u);
    EXPECT_EQ(Connects(), 3u);
    // No further attempt follows.
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 3u);
    EXPECT_TRUE(tarvello_->Running());
}

TEST_F(DXViewLinkE2E, AfterTheFailedRetryOnlyAnOutsideStartReconnects) {
    HWND main = StartAll();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 3000));
    dxview_->Kill();
    // The retry 5 s later finds nobody; after it nothing is tried any more.
    WaitFor([] { return false; }, 7000);
    StartDXView();
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 0u);
    EXPECT_FALSE(ShowsConnected(main));

    // An outside program asks with raw DDE messages on Tarvello|DDEClient.
    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"Tarvello", L"DDEClient", L"SpotPrefix"}, {});
    EXPECT_THROW(link->Execute(L"003stop"), tarvello::ProgramError);
    EXPECT_EQ(Connects(), 0u);
    link->Execute(L"003start");  // accepted only after the connection attempt has run
    EXPECT_EQ(Connects(), 3u);
    EXPECT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 2000));
}

TEST_F(DXViewLinkE2E, RefusedCommandMarksDXViewLostAndTheRetryReconnects) {
    HWND main = StartAll();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 3000));
    ASSERT_TRUE(ScriptDXView("refuse on"));
    ClickLater(main, IDC_LPCMD);
    ASSERT_TRUE(WaitFor([&] { return !Matching(DXViewJournal(), "REPLY refused").empty(); }, 3000));
    const auto executes = Matching(DXViewJournal(), "EXECUTE ");
    ASSERT_EQ(executes.size(), 1u);
    EXPECT_EQ(executes[0].substr(executes[0].find("EXECUTE")), "EXECUTE 003rotatelp");
    EXPECT_TRUE(WaitFor([&] { return !ShowsConnected(main); }, 2000));
    EXPECT_TRUE(tarvello_->Running());
    // One retry 5 s later; DXView still runs, so the links open again.
    EXPECT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 8000));
    EXPECT_EQ(Connects(), 6u);
}

TEST_F(DXViewLinkE2E, BearingWithDXViewGoneTellsLogsAndEndsWithoutSavingThePosition) {
    HWND main = StartAll();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(main); }, 3000));
    dxview_->Kill();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(main); }, 1000));
    ClickLater(main, IDC_SELECTBEARINGCMD);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(tarvello_->Id(), L"Tarvello")) != nullptr; }, 5000));
    EXPECT_EQ(MessageBoxText(box), L"DXView ist nicht aktiv. Bitte starten Sie DXView");
    EXPECT_EQ(ChildText(main, IDC_BEARING), L"");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(5000));
    const auto log = ReadLines(FolderFile(L"Error.log"));
    ASSERT_EQ(log.size(), 2u);
    const std::string entry = " DX-View war nicht gestartet";
    EXPECT_EQ(log[1].substr(log[1].size() - entry.size()), entry);
    EXPECT_EQ(GetFileAttributesW(FolderFile(L"Tarvello.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}


}  // namespace
}  // namespace e2e
