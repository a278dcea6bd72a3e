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
    }

    // The entries that follow the last "EXECUTE" line for command.
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
};

TEST_F(DxViewStandIn, OffersItsTopicsAndJournalsEveryExecuteExactly) {
    Launch("");
    DdeClient client;
    HCONV server = client.Connect("DXView", "DDEServer");
    ASSERT_NE(server, nullptr);
    HCONV main = client.Connect("DXView", "DXViewMain");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(client.Connect("DXView", "Other"), nullptr);
    EXPECT_TRUE(client.StartHotLink(server, "SpotPrefix"));
    EXPECT_TRUE(client.StartHotLink(server, "DDECommand"));
    EXPECT_TRUE(client.StartHotLink(main, "ShortPath"));
    EXPECT_FALSE(client.StartHotLink(main, "SpotPrefix"));  // an item of the other topic

    EXPECT_TRUE(client.Execute(server, "003selectbearing245", 3000));
    EXPECT_EQ(ReplyTo("003selectbearing245"), "REPLY ack");
    ASSERT_TRUE(WaitFor([&] { return !client.Updates().empty(); }));
    EXPECT_EQ(client.Updates().front(), "ShortPath 245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DXViewMain", "ShortPath"), "245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DDEServer", "DDECommand"), "003selectbearing245");
    EXPECT_EQ(DdeClient::RequestOnce("DXView", "DDEServer", "SpotPrefix"), "DL");
    EXPECT_TRUE(client.Execute(server, "003selectbearing", 3000));
    EXPECT_TRUE(client.Execute(server, "003rotatesp", 3000));
    EXPECT_TRUE(client.Execute(server, "003rotatelp", 3000));

    // Anything but the three commands is refused, and still journalled byte for byte.
    const std::string odd = "003SelectBearing 1\\2\t\xB0";
    UINT error = 0;
    EXPECT_FALSE(client.Execute(server, odd, 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));
    EXPECT_EQ(ReplyTo(odd), "REPLY refused");
    EXPECT_FALSE(client.Execute(main, "003rotatesp", 3000));  // executes belong to "DDEServer" only

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
    DdeClient client;
    HCONV server = client.Connect("DXView", "DDEServer");
    ASSERT_NE(server, nullptr);
    UINT error = 0;
    EXPECT_FALSE(client.Execute(server, "003rotatesp", 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));
    EXPECT_EQ(RunToEnd(BinPath(standin::kCtlExe), "dxview refuse off"), 0u);
    EXPECT_TRUE(client.Execute(server, "003rotatesp", 3000));
    EXPECT_EQ(SendControl(window_, "refuse on"), TRUE);
    EXPECT_FALSE(client.Execute(server, "003rotatelp", 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));

    const std::vector<std::string> entries = JournalEntries(journal_);
    ASSERT_GE(entries.size(), 10u);
    const std::vector<std::string> tail(entries.end() - 10, entries.end());
    const std::vector<std::string> expected = {
        "EXECUTE 003rotatesp", "REPLY refused",     "COMMAND refuse off", "MODE refuse off",     "EXECUTE 003rotatesp",
        "REPLY ack",           "COMMAND refuse on", "MODE refuse on",     "EXECUTE 003rotatelp", "REPLY refused"};
    EXPECT_EQ(tail, expected);
}

TEST_F(DxViewStandIn, NoAnswerSwitchLeavesTheClientWaitingAndQuitStillEndsInOrder) {
    Launch("--no-answer");
    DdeClient client;
    HCONV server = client.Connect("DXView", "DDEServer");
    ASSERT_NE(server, nullptr);
    UINT error = 0;
    EXPECT_FALSE(client.Execute(server, "003selectbearing90", 1500, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_EXECACKTIMEOUT));
    EXPECT_EQ(ReplyTo("003selectbearing90"), "REPLY none");
    // The blocked conversation does not stop the window from taking commands or quitting.
    EXPECT_EQ(SendControl(window_, "quit"), TRUE);
    EXPECT_EQ(process_.WaitExit(10000), 0u);
    EXPECT_EQ(JournalEntries(journal_).back(), "QUIT");
}

TEST_F(DxViewStandIn, InfoWindowAndSpWindowAreWhereTarvelloLooks) {
    Launch("");
    HWND info = WaitForWindowOf(process_.Id(), "ThunderRT6FormDC", 5000);
    ASSERT_NE(info, nullptr);
    char title[64] = {};
    GetWindowTextA(info, title, sizeof(title));
    EXPECT_STREQ(title, "DXView Info");
    EXPECT_TRUE(IsWindowVisible(info));
    HWND sp = FindDescendantTitled(info, "SP");
    ASSERT_NE(sp, nullptr);
    EXPECT_TRUE(IsWindowVisible(sp));
}

TEST_F(DxViewStandIn, WithoutInfoWindowOnlyTheInfoWindowIsMissing) {
    Launch("--no-info-window");
    for (const auto& [windowClass, title] : TopLevelWindowsOf(process_.Id())) {
        EXPECT_NE(windowClass.rfind("ThunderRT6", 0), 0u) << title;
        EXPECT_EQ(title.find("DXView Info"), std::string::npos);
    }
    EXPECT_NE(FindDescendantTitled(window_, "SP"), nullptr);
    DdeClient client;
    EXPECT_NE(client.Connect("DXView", "DDEServer"), nullptr);
}

TEST_F(DxViewStandIn, SpWindowJournalsPostedClicksWithTheControlKeyState) {
    Launch("");
    HWND info = WaitForWindowOf(process_.Id(), "ThunderRT6FormDC", 5000);
    ASSERT_NE(info, nullptr);
    HWND sp = FindDescendantTitled(info, "SP");
    ASSERT_NE(sp, nullptr);
    {
        ControlKeyHeld control;
        PostMessageA(sp, WM_LBUTTONDOWN, 0, 1);
        ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONDOWN ctrl=1 wparam=0x0 lparam=0x1"));
        PostMessageA(sp, WM_LBUTTONUP, 0, 1);
        ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONUP ctrl=1 wparam=0x0 lparam=0x1"));
    }
    PostMessageA(sp, WM_LBUTTONDOWN, 0, 1);
    ASSERT_TRUE(WaitForEntry(journal_, "LBUTTONDOWN ctrl=0 wparam=0x0 lparam=0x1"));
    std::vector<JournalLine> clicks;
    for (const JournalLine& line : ReadJournal(journal_)) {
        if (line.event.rfind("LBUTTON", 0) == 0)
            clicks.push_back(line);
    }
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_LE(clicks[0].ms, clicks[1].ms);
    EXPECT_LE(clicks[1].ms, clicks[2].ms);
}

TEST_F(DxViewStandIn, AnnouncesItselfToTarvelloWhenAsked) {
    DdeClient tarvello;
    ASSERT_TRUE(tarvello.Serve("Tarvello", "DDEClient"));
    Launch("--announce");
    ASSERT_TRUE(WaitFor([&] { return !tarvello.Executes().empty(); }));
    EXPECT_EQ(tarvello.Executes().front(), "003start");
    ASSERT_TRUE(WaitForEntry(journal_, "ANNOUNCE 003start ack"));
    EXPECT_EQ(SendControl(window_, "announce"), TRUE);
    ASSERT_TRUE(WaitFor([&] { return tarvello.Executes().size() == 2; }));
}

TEST_F(DxViewStandIn, AnnouncementWithoutTarvelloIsJournalledAndHarmless) {
    Launch("--announce");
    ASSERT_TRUE(WaitForEntry(journal_, "ANNOUNCE 003start no-conversation"));
    EXPECT_EQ(SendControl(window_, "noanswer maybe"), FALSE);
    EXPECT_TRUE(JournalHas(journal_, "COMMAND-REJECTED noanswer maybe"));
    DdeClient client;
    EXPECT_NE(client.Connect("DXView", "DDEServer"), nullptr);
}

TEST(DxViewStandInStart, UnknownSwitchEndsWithoutWindow) {
    ChildProcess process;
    ASSERT_TRUE(process.Start(BinPath(standin::kDxViewExe), "--refuse --bogus"));
    EXPECT_EQ(process.WaitExit(10000), static_cast<DWORD>(standin::kExitBadUsage));
    EXPECT_TRUE(TopLevelWindowsOf(process.Id()).empty());
}

}  // namespace
