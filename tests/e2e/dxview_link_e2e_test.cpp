// The real Tarvello.exe and the DXView stand-in under Wine: the conversations at start-up as the partners see
// them, DXView going away and the one retry 5 s later, and a bearing with DXView gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"
#include "support/journal.h"

namespace e2e {
namespace {

class DXViewLinkE2E : public TarvelloE2E {
protected:
    void StartConnected() {
        ASSERT_NO_FATAL_FAILURE(StartAll());
        ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 3000)) << WindowText(main_);
    }
    size_t Connects() const { return Entries(L"DXView", "CONNECT .*").size(); }
    // A partner's journal entries of one event, sorted: the order in which conversations end is not fixed.
    std::vector<std::string> Sorted(const std::wstring& standIn, const std::string& pattern) const {
        std::vector<std::string> entries = Entries(standIn, pattern);
        std::sort(entries.begin(), entries.end());
        return entries;
    }
    static bool Drop(const std::string& item) { return Script(standin::kDxViewWindowClass, "drop " + item); }
};

TEST_F(DXViewLinkE2E, EveryLinkIsAConversationOfItsOwnAndOnlyTheSpotPrefixOnesEndMeansDXViewHasGone) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    ASSERT_TRUE(WaitFor([&] { return Entries(L"ContestLogger", "ADVSTART .*").size() == 2; }, 3000));
    EXPECT_EQ(Entries(L"DXView", "(CONNECT|ADVSTART) .*"),
              (std::vector<std::string>{"CONNECT c1 DDEServer", "ADVSTART c1 SpotPrefix", "CONNECT c2 DDEServer",
                                        "ADVSTART c2 DDECommand", "CONNECT c3 DXViewMain", "ADVSTART c3 ShortPath"}));
    EXPECT_EQ(Entries(L"ContestLogger", "(CONNECT|ADVSTART) .*"),
              (std::vector<std::string>{"CONNECT c1 DDE", "ADVSTART c1 NeuesRufzeichen", "CONNECT c2 DDE",
                                        "ADVSTART c2 Winkel"}));
    // DXView's links come first, then the logger's.
    const auto stamp = [&](const std::wstring& standIn, const std::string& text) {
        for (const auto& entry : test_support::ReadJournal(JournalFile(standIn)))
            if (entry.text == text)
                return entry.ms;
        return -1LL;
    };
    EXPECT_LE(stamp(L"DXView", "ADVSTART c3 ShortPath"), stamp(L"ContestLogger", "CONNECT c1 DDE"));

    // The commands go on the DDECommand link's conversation.
    ClickLater(IDC_SELECTBEARINGCMD);
    ClickLater(IDC_LPCMD);
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "REPLY .*").size() == 2; }, 5000));
    EXPECT_EQ(Entries(L"DXView", "EXECUTE .*"),
              (std::vector<std::string>{"EXECUTE c2 003selectbearing245", "EXECUTE c2 003rotatelp"}));

    // The end of the command and bearing conversations alone is no loss of DXView; the SpotPrefix one's is.
    ASSERT_TRUE(Drop("DDECommand"));
    ASSERT_TRUE(Drop("ShortPath"));
    EXPECT_FALSE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << WindowText(main_);
    ASSERT_TRUE(Drop("SpotPrefix"));
    const ULONGLONG dropped = GetTickCount64();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << "loss not noticed within a second";

    // The one retry, 5 s later, opens three new conversations.
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 9000)) << WindowText(main_);
    EXPECT_GE(GetTickCount64() - dropped, 4500u);
    std::vector<std::string> links = Entries(L"DXView", "ADVSTART .*");
    links.erase(links.begin(), links.begin() + std::min<std::ptrdiff_t>(3, std::ssize(links)));
    EXPECT_EQ(links,
              (std::vector<std::string>{"ADVSTART c4 SpotPrefix", "ADVSTART c5 DDECommand", "ADVSTART c6 ShortPath"}));

    // The orderly close ends every conversation still open: DXView's three new ones and the logger's two.
    const size_t dxviewEndsBefore = Entries(L"DXView", "DISCONNECT .*").size();
    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    EXPECT_TRUE(WaitFor([&] { return Entries(L"DXView", "DISCONNECT .*").size() == dxviewEndsBefore + 3; }, 3000));
    for (const char* conversation : {"c4", "c5", "c6"}) {
        EXPECT_EQ(Entries(L"DXView", std::string("DISCONNECT ") + conversation).size(), 1u) << conversation;
    }
    EXPECT_TRUE(WaitFor([&] { return Entries(L"ContestLogger", "DISCONNECT .*").size() == 2; }, 3000));
    EXPECT_EQ(Sorted(L"ContestLogger", "DISCONNECT .*"), (std::vector<std::string>{"DISCONNECT c1", "DISCONNECT c2"}));
}

TEST_F(DXViewLinkE2E, KilledDXViewIsNoticedAndRetriedOnceFiveSecondsLater) {
    ASSERT_NO_FATAL_FAILURE(StartConnected());
    EXPECT_EQ(Connects(), 3u);  // one conversation per link

    dxview_->Kill();
    const ULONGLONG killed = GetTickCount64();
    ASSERT_TRUE(WaitFor([&] { return !ShowsConnected(); }, 1000)) << "loss not noticed within a second";

    // DXView comes back before the retry is due: the one retry finds it.
    StartStandIn(L"DXView");
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 9000)) << WindowText(main_);
    EXPECT_GE(GetTickCount64() - killed, 4500u);
    EXPECT_EQ(Connects(), 3u);
    // No further attempt follows.
    WaitFor([] { return false; }, 6000);
    EXPECT_EQ(Connects(), 3u);
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
