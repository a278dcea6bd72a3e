// The DXView stand-in under Wine: its DDE service and exact execute journal, the refuse and never-answer
// switches, the info window, the "SP" window's click journal with the Control state, and the announcement.
#include <gtest/gtest.h>

#include "../../standins/common/standin_names.h"
#include "../../standins/common/standin_text.h"
#include "standin_harness.h"

namespace {

using namespace standin_test;

class DxViewStandIn : public ::testing::Test {
protected:
    void Launch(const std::string& switches) {
        journal_ = FreshJournalPath("dxview");
        ASSERT_TRUE(process_.Start(BinPath(standin::kDxViewExe), "--journal \"" + journal_ + "\" " + switches));
        window_ = WaitForWindowOf(process_.Id(), standin::kDxViewWindowClass);
        ASSERT_NE(window_, nullptr) << "DXView window did not appear";
        ASSERT_TRUE(WaitForEntry(journal_, "READY"));
        server_ = client_.Connect("DXView", "DDEServer");
        ASSERT_NE(server_, nullptr);
    }

    // The entry that follows the last "EXECUTE" line for command.
    std::string ReplyTo(const std::string& command) {
        const std::vector<std::string> entries = JournalEntries(journal_);
        std::string reply = "no EXECUTE line";
        for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
            if (entries[i] == "EXECUTE " + standin::EscapeForJournal(command))
                reply = entries[i + 1];
        }
        return reply;
    }

    std::string journal_;
    ChildProcess process_;
    HWND window_ = nullptr;
    DdeClient client_;
    HCONV server_ = nullptr;
};

TEST_F(DxViewStandIn, OffersItsTopicsAndJournalsEveryExecuteExactly) {
    Launch("");
    HCONV main = client_.Connect("DXView", "DXViewMain");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(client_.Connect("DXView", "Other"), nullptr);
    EXPECT_TRUE(client_.StartHotLink(server_, "SpotPrefix"));
    EXPECT_TRUE(client_.StartHotLink(server_, "DDECommand"));
    EXPECT_TRUE(client_.StartHotLink(main, "ShortPath"));
    EXPECT_FALSE(client_.StartHotLink(main, "SpotPrefix"));  // an item of the other topic

    EXPECT_TRUE(client_.Execute(server_, "003selectbearing245", 3000));
    EXPECT_EQ(ReplyTo("003selectbearing245"), "REPLY ack");
    ASSERT_TRUE(WaitFor([&] { return !client_.Updates().empty(); }));
    EXPECT_EQ(client_.Updates().front(), "ShortPath 245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DXViewMain", "ShortPath"), "245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DDEServer", "DDECommand"), "003selectbearing245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DDEServer", "SpotPrefix"), "DL");
    for (const char* command : {"003selectbearing", "003rotatesp", "003rotatelp"})
        EXPECT_TRUE(client_.Execute(server_, command, 3000)) << command;

    // Anything but the three commands is refused, and still journalled byte for byte.
    const std::string odd = "003SelectBearing 1\\2\t\xB0";
    UINT error = 0;
    EXPECT_FALSE(client_.Execute(server_, odd, 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));
    EXPECT_EQ(ReplyTo(odd), "REPLY refused");
    EXPECT_FALSE(client_.Execute(main, "003rotatesp", 3000));  // executes belong to "DDEServer" only

    std::vector<std::string> executes;
    for (const JournalLine& line : ReadJournal(journal_)) {
        if (line.event == "EXECUTE")
            executes.push_back(standin::UnescapeJournal(line.detail).value_or("?"));
    }
    const std::vector<std::string> expected = {
        "003selectbearing245", "003selectbearing", "003rotatesp", "003rotatelp", odd, "003rotatesp"};
    EXPECT_EQ(executes, expected);
}

TEST_F(DxViewStandIn, RefuseSwitchGivesNegativeAcknowledgementsUntilTurnedOff) {
    Launch("--refuse");
    UINT error = 0;
    EXPECT_FALSE(client_.Execute(server_, "003rotatesp", 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));
    EXPECT_EQ(RunToEnd(BinPath(standin::kCtlExe), "dxview refuse off"), 0u);
    EXPECT_TRUE(client_.Execute(server_, "003rotatesp", 3000));
    EXPECT_EQ(SendControl(window_, "refuse on"), TRUE);
    EXPECT_FALSE(client_.Execute(server_, "003rotatelp", 3000));

    const std::string journal = JournalText(journal_);
    EXPECT_TRUE(
        journal.ends_with("EXECUTE 003rotatesp | REPLY refused | COMMAND refuse off | MODE refuse off"
                          " | EXECUTE 003rotatesp | REPLY ack | COMMAND refuse on | MODE refuse on"
                          " | EXECUTE 003rotatelp | REPLY refused"))
        << journal;
}

TEST_F(DxViewStandIn, NoAnswerSwitchLeavesTheClientWaitingAndQuitStillEndsInOrder) {
    Launch("--no-answer");
    UINT error = 0;
    EXPECT_FALSE(client_.Execute(server_, "003selectbearing90", 1500, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_EXECACKTIMEOUT));
    EXPECT_EQ(ReplyTo("003selectbearing90"), "REPLY none");
    // The blocked conversation does not stop the window from taking commands or quitting.
    EXPECT_EQ(SendControl(window_, "quit"), TRUE);
    EXPECT_EQ(process_.WaitExit(), 0u);
    EXPECT_EQ(LastEntry(journal_), "QUIT");
}

TEST_F(DxViewStandIn, InfoWindowHoldsTheSpWindowWhichJournalsClicksWithTheControlKeyState) {
    Launch("");
    HWND info = WaitForWindowOf(process_.Id(), "ThunderRT6FormDC", 5000);
    ASSERT_NE(info, nullptr);
    char title[64] = {};
    GetWindowTextA(info, title, sizeof(title));
    EXPECT_STREQ(title, "DXView Info");
    HWND sp = FindDescendantTitled(info, "SP");
    ASSERT_NE(sp, nullptr);
    EXPECT_TRUE(IsWindowVisible(info) && IsWindowVisible(sp));
    {
        ControlKeyHeld control;
        PostMessageA(sp, WM_LBUTTONDOWN, 0, 1);
        ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONDOWN ctrl=1 wparam=0x0 lparam=0x1"));
        PostMessageA(sp, WM_LBUTTONUP, 0, 1);
        ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONUP ctrl=1 wparam=0x0 lparam=0x1"));
    }
    PostMessageA(sp, WM_LBUTTONDOWN, 0, 1);
    ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONDOWN ctrl=0 wparam=0x0 lparam=0x1"));
    std::string clicks;
    for (const std::string& entry : JournalEntries(journal_)) {
        if (entry.rfind("LBUTTON", 0) == 0)
            clicks += entry + ";";
    }
    EXPECT_EQ(clicks,
              "LBUTTONDOWN ctrl=1 wparam=0x0 lparam=0x1;LBUTTONUP ctrl=1 wparam=0x0 lparam=0x1;"
              "LBUTTONDOWN ctrl=0 wparam=0x0 lparam=0x1;");
}

TEST_F(DxViewStandIn, WithoutInfoWindowOnlyTheInfoWindowIsMissing) {
    Launch("--no-info-window");
    for (const TopLevelWindow& window : TopLevelWindowsOf(process_.Id())) {
        EXPECT_NE(window.windowClass.rfind("ThunderRT6", 0), 0u) << window.title;
        EXPECT_EQ(window.title.find("DXView Info"), std::string::npos);
    }
    EXPECT_NE(FindDescendantTitled(window_, "SP"), nullptr);
}

TEST_F(DxViewStandIn, AnnouncesItselfToTarvelloWhenAsked) {
    DdeClient tarvello;
    ASSERT_TRUE(tarvello.Serve("Tarvello", "DDEClient"));
    Launch("--announce");
    ASSERT_TRUE(WaitForEntry(journal_, "ANNOUNCE 003start ack"));
    EXPECT_EQ(SendControl(window_, "announce"), TRUE);
    ASSERT_TRUE(WaitFor([&] { return tarvello.Executes().size() == 2; }));
    EXPECT_EQ(tarvello.Executes(), (std::vector<std::string>{"003start", "003start"}));
}

TEST_F(DxViewStandIn, AnnouncementWithoutTarvelloIsJournalledAndHarmless) {
    Launch("--announce");
    ASSERT_TRUE(WaitForEntry(journal_, "ANNOUNCE 003start no-conversation"));
    EXPECT_EQ(SendControl(window_, "noanswer maybe"), FALSE);
    EXPECT_TRUE(JournalHas(journal_, "COMMAND-REJECTED noanswer maybe"));
    EXPECT_TRUE(client_.Execute(server_, "003rotatesp", 3000));
}

}  // namespace
