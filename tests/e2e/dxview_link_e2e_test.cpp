// The real Tarvello.exe and the DXView stand-in under Wine: the conversations at start-up as the partners see
// them, DXView going away and the one retry 5 s later, and a bearing with DXView gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

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
    static bool Drop(const std::string& item) { return Script(standin::kDxViewWindowClass, "drop " + item); }
};

// The conversations as DXView and the logger see them: one per link, the commands on DDECommand's, only the end of
// SpotPrefix's taken for DXView going (dropped or killed), the one retry 5 s later, every one ended at the close.
TEST_F(DXViewLinkE2E, OneConversationPerLinkAndOneRetryFiveSecondsAfterDXViewGoes) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    ASSERT_TRUE(WaitFor([&] { return Entries(L"ContestLogger", "ADVSTART .*").size() == 2; }, 3000));
    EXPECT_EQ(Entries(L"DXView", "(CONNECT|ADVSTART) .*"),
              (std::vector<std::string>{"CONNECT c1 DDEServer", "ADVSTART c1 SpotPrefix", "CONNECT c2 DDEServer",
                                        "ADVSTART c2 DDECommand", "CONNECT c3 DXViewMain", "ADVSTART c3 ShortPath"}));
    EXPECT_EQ(Entries(L"ContestLogger", "(CONNECT|ADVSTART) .*"),
              (std::vector<std::string>{"CONNECT c1 DDE", "ADVSTART c1 NeuesRufzeichen", "CONNECT c2 DDE",
                                        "ADVSTART c2 Winkel"}));
    ClickLater(IDC_SEND_BEARING_BUTTON);
    ClickLater(IDC_LONG_PATH_BUTTON);
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "REPLY .*").size() == 2; }, 5000));
    EXPECT_EQ(Entries(L"DXView", "EXECUTE .*"),
              (std::vector<std::string>{"EXECUTE c2 003selectbearing245", "EXECUTE c2 003rotatelp"}));

    ASSERT_TRUE(Drop("DDECommand"));
    ASSERT_TRUE(Drop("ShortPath"));
    EXPECT_FALSE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << "only SpotPrefix's end means DXView has gone";
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "SpotPrefix dropped");
        if (killed)
            dxview_->Kill();
        else
            ASSERT_TRUE(Drop("SpotPrefix"));
        const ULONGLONG gone = GetTickCount64();
        ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << "loss not noticed within a second";
        if (killed)
            dxview_ = StartStandIn(L"DXView");  // back before the retry is due, with a fresh journal
        ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 9000)) << WindowText(main_);
        EXPECT_GE(GetTickCount64() - gone, 4500u);
        const std::vector<std::string> links = Entries(L"DXView", "ADVSTART .*");
        const int n = killed ? 1 : 4;  // the retry's three new conversations
        const auto link = [n](int k, const char* item) { return "ADVSTART c" + std::to_string(n + k) + " " + item; };
        EXPECT_EQ(std::vector<std::string>(links.end() - std::min<std::size_t>(3, links.size()), links.end()),
                  (std::vector<std::string>{link(0, "SpotPrefix"), link(1, "DDECommand"), link(2, "ShortPath")}));
    }
    // No further attempt follows, and the orderly close ends every conversation still open.
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 3u);
    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    for (const auto& [standIn, ends] : {std::pair{L"DXView", 3u}, {L"ContestLogger", 2u}}) {
        EXPECT_TRUE(WaitFor([&] { return Entries(standIn, "DISCONNECT .*").size() == ends; }, 3000));
        for (unsigned c = 1; c <= ends; ++c)
            EXPECT_EQ(Entries(standIn, "DISCONNECT c" + std::to_string(c)).size(), 1u) << c;
    }
}

TEST_F(DXViewLinkE2E, BearingWithDXViewGoneTellsLogsAndEndsWithoutSavingThePosition) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    dxview_->Kill();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000));
    ClickLater(IDC_SEND_BEARING_BUTTON);
    EXPECT_EQ(WaitForMessageBox(), L"DXView ist nicht aktiv. Bitte starten Sie DXView");
    EXPECT_EQ(ChildText(main_, IDC_BEARING), L"");
    AnswerMessageBox();
    ASSERT_TRUE(tarvello_->WaitForExit(5000));
    EXPECT_TRUE(ErrorLogHolds(" DX-View war nicht gestartet"));
    EXPECT_EQ(GetFileAttributesW(FolderFile(L"Tarvello.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace e2e
