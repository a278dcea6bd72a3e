// The real Tarvello.exe and the DXView stand-in under Wine: the connection at start-up, DXView going away
// and the one retry 5 s later, an outside "003start", a refused command, and a bearing with DXView gone.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../src/app/resource_ids.h"
#include "common/program_error.h"
#include "harness/tarvello_e2e.h"
#include "platform/win32/win32_dde.h"

namespace e2e {
namespace {

class DXViewLinkE2E : public TarvelloE2E {
protected:
    void StartConnected() {
        ASSERT_NO_FATAL_FAILURE(StartAll());
        ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 3000)) << WindowText(main_);
    }
    size_t Connects() const { return Entries(L"DXView", "CONNECT .*").size(); }
};

TEST_F(DXViewLinkE2E, KilledDXViewIsNoticedAndRetriedOnceFiveSecondsLater) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    EXPECT_EQ(Connects(), 2u);  // DDEServer for SpotPrefix and DDECommand, DXViewMain for ShortPath

    dxview_->Kill();
    const ULONGLONG killed = GetTickCount64();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << "loss not noticed within a second";

    // DXView comes back before the retry is due: the one retry finds it.
    StartStandIn(L"DXView");
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 9000)) << WindowText(main_);
    EXPECT_GE(GetTickCount64() - killed, 4500u);
    EXPECT_EQ(Connects(), 2u);
    // No further attempt follows.
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 2u);
    EXPECT_TRUE(tarvello_->Running());
}

TEST_F(DXViewLinkE2E, AfterTheFailedRetryOnlyAnOutsideStartReconnects) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    dxview_->Kill();
    // The retry 5 s later finds nobody; after it nothing is tried any more.
    WaitFor([] { return false; }, 7000);
    StartStandIn(L"DXView");
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 0u);
    EXPECT_FALSE(ShowsConnected());

    // An outside program asks with raw DDE messages on Tarvello|DDEClient.
    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"Tarvello", L"DDEClient", L"SpotPrefix"}, {});
    EXPECT_THROW(link->Execute(L"003stop"), tarvello::ProgramError);
    EXPECT_EQ(Connects(), 0u);
    link->Execute(L"003start");  // accepted only after the connection attempt has run
    EXPECT_EQ(Connects(), 2u);
    EXPECT_TRUE(WaitFor([&] { return ShowsConnected(); }, 2000));
}

TEST_F(DXViewLinkE2E, RefusedCommandMarksDXViewLostAndTheRetryReconnects) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    ASSERT_TRUE(Script(standin::kDxViewWindowClass, "refuse on"));
    ClickLater(IDC_LPCMD);
    ASSERT_TRUE(WaitFor([&] { return !Entries(L"DXView", "REPLY refused").empty(); }, 3000));
    EXPECT_EQ(Entries(L"DXView", "EXECUTE .*"), std::vector<std::string>{"EXECUTE 003rotatelp"});
    EXPECT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 2000));
    EXPECT_TRUE(tarvello_->Running());
    // One retry 5 s later; DXView still runs, so the links open again.
    EXPECT_TRUE(WaitFor([&] { return ShowsConnected(); }, 8000));
    EXPECT_EQ(Connects(), 4u);
}

TEST_F(DXViewLinkE2E, BearingWithDXViewGoneTellsLogsAndEndsWithoutSavingThePosition) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    dxview_->Kill();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000));
    ClickLater(IDC_SELECTBEARINGCMD);
    EXPECT_EQ(WaitForMessageBox(), L"DXView ist nicht aktiv. Bitte starten Sie DXView");
    EXPECT_EQ(ChildText(main_, IDC_BEARING), L"");
    AnswerMessageBox();
    ASSERT_TRUE(tarvello_->WaitForExit(5000));
    EXPECT_TRUE(ErrorLogHolds(" DX-View war nicht gestartet"));
    EXPECT_EQ(GetFileAttributesW(FolderFile(L"Tarvello.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace e2e
