// The real Tarvello.exe and the DXView stand-in under Wine: the connection at start-up, DXView going away
// and the one retry 5 s later, and a bearing with DXView gone.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"

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
