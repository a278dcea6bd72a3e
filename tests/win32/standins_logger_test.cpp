// The contest logger stand-in under Wine: its DDE service, hot links fed by typing and by control commands,
// its key journal and its answers to bad control input.
#include <gtest/gtest.h>

#include "../../standins/common/standin_names.h"
#include "standin_harness.h"

namespace {

using namespace standin_test;

std::optional<DWORD> Ctl(const std::string& arguments) {
    return RunToEnd(BinPath(standin::kCtlExe), arguments);
}

class LoggerStandIn : public ::testing::Test {
protected:
    void Launch(const std::string& switches) {
        journal_ = FreshJournalPath("logger");
        ASSERT_TRUE(process_.Start(BinPath(standin::kLoggerExe), "--journal \"" + journal_ + "\" " + switches));
        window_ = WaitForWindowOf(process_.Id(), standin::kLoggerWindowClass);
        ASSERT_NE(window_, nullptr) << "logger window did not appear";
        ASSERT_TRUE(WaitForEntry(journal_, "READY"));
    }

    std::string journal_;
    ChildProcess process_;
    HWND window_ = nullptr;
};

TEST_F(LoggerStandIn, ServesStartValuesAndPublishesEveryChangeOnTheHotLink) {
    Launch("--call DL1ABC --angle 90");
    char title[128] = {};
    GetWindowTextA(window_, title, sizeof(title));
    EXPECT_NE(std::string(title).find("Win-Contest"), std::string::npos);

    DdeClient client;
    EXPECT_EQ(client.Connect("Contest32", "Other"), nullptr);
    HCONV conversation = client.Connect("Contest32", "DDE");
    ASSERT_NE(conversation, nullptr);
    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "Winkel"), "90");
    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "NeuesRufzeichen"), "DL1ABC");
    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "Locator"), "");
    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "Unbekannt"), std::nullopt);
    ASSERT_TRUE(client.StartHotLink(conversation, "Winkel"));
    EXPECT_FALSE(client.StartHotLink(conversation, "Unbekannt"));

    // Through the control tool, as the demo does it; then typed into the box, each character going out at once.
    EXPECT_EQ(Ctl("logger set angle 245"), 0u);
    ASSERT_TRUE(WaitFor([&] { return !client.Updates().empty(); }));
    HWND angleBox = GetDlgItem(window_, standin::kAngleEditId);
    SendMessageA(angleBox, EM_SETSEL, 3, 3);
    SendMessageA(angleBox, WM_CHAR, '7', 0);
    ASSERT_TRUE(WaitFor([&] { return client.Updates().size() == 2; }));
    // A change of another item goes to no link on "Winkel".
    EXPECT_EQ(SendControl(window_, "set call OE3XYZ"), TRUE);
    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "NeuesRufzeichen"), "OE3XYZ");
    EXPECT_EQ(client.Updates(), (std::vector<std::string>{"Winkel 245", "Winkel 2457"}));

    EXPECT_EQ(JournalText(journal_),
              "START ContestLogger pid=" + std::to_string(process_.Id()) +
                  " | DDE-REGISTERED Contest32 | READY | CONNECT-REFUSED Other | CONNECT DDE"
                  " | CONNECT DDE | REQUEST Winkel 90 | DISCONNECT | CONNECT DDE | REQUEST NeuesRufzeichen DL1ABC"
                  " | DISCONNECT | CONNECT DDE | REQUEST Locator  | DISCONNECT | CONNECT DDE"
                  " | REQUEST-REFUSED Unbekannt | DISCONNECT | ADVSTART Winkel | ADVSTART-REFUSED Unbekannt"
                  " | COMMAND set angle 245 | CHANGE Winkel 245 | ADVISE Winkel 245 | CHANGE Winkel 2457"
                  " | ADVISE Winkel 2457 | COMMAND set call OE3XYZ | CHANGE NeuesRufzeichen OE3XYZ"
                  " | CONNECT DDE | REQUEST NeuesRufzeichen OE3XYZ | DISCONNECT");
}

TEST_F(LoggerStandIn, JournalsEveryKeyOfItsBoxesInOrderWithRisingStamps) {
    Launch("");
    HWND angleBox = GetDlgItem(window_, standin::kAngleEditId);
    HWND callBox = GetDlgItem(window_, standin::kCallEditId);
    PostMessageA(angleBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(angleBox, WM_KEYUP, VK_RETURN, 0xC01C0001);
    PostMessageA(callBox, WM_KEYDOWN, VK_F8, 0x00420001);
    PostMessageA(callBox, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    PostMessageA(callBox, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ASSERT_TRUE(WaitForEntry(journal_, "KEYUP vk=0x1B box=Rufzeichen"));
    std::string keys;
    long long lastMs = 0;
    for (const JournalLine& line : ReadJournal(journal_)) {
        if (line.event.find("KEY") != std::string::npos) {
            keys += line.Entry() + ";";
            EXPECT_GE(line.ms, lastMs);
            lastMs = line.ms;
        }
    }
    EXPECT_EQ(keys,
              "KEYDOWN vk=0x0D box=Winkel;KEYUP vk=0x0D box=Winkel;KEYDOWN vk=0x77 box=Rufzeichen;"
              "SYSKEYDOWN vk=0x79 box=Rufzeichen;KEYUP vk=0x1B box=Rufzeichen;");
}

TEST_F(LoggerStandIn, RefusesBadControlInputAndKeepsServing) {
    Launch("--angle 10");
    EXPECT_EQ(SendControl(window_, "set angle 20", 0x12345678), FALSE);  // wrong tag
    for (const std::string& bad : {std::string("fly away"), std::string("set angle 3\r\n4"),
                                   std::string("set angle \0 5", 13), std::string(), std::string(5000, 'x')}) {
        EXPECT_EQ(SendControl(window_, bad), FALSE) << bad.substr(0, 20);
    }
    EXPECT_EQ(Ctl("logger"), static_cast<DWORD>(standin::kExitBadUsage));
    EXPECT_EQ(Ctl("logger jump"), static_cast<DWORD>(standin::kExitRefused));
    EXPECT_TRUE(WaitForEntry(journal_, "COMMAND-REJECTED set angle 3\\x0D\\x0A4"));
    EXPECT_TRUE(JournalHas(journal_, "COMMAND-REJECTED set angle \\x00 5"));
    EXPECT_TRUE(JournalHas(journal_, "COMMAND-REJECTED jump"));

    EXPECT_EQ(DdeClient::RequestOnce("Contest32", "DDE", "Winkel"), "10");  // nothing of the junk reached the box
    DdeClient client;
    HCONV conversation = client.Connect("Contest32", "DDE");
    ASSERT_NE(conversation, nullptr);
    UINT error = 0;
    EXPECT_FALSE(client.Execute(conversation, "003start", 3000, &error));
    EXPECT_EQ(error, static_cast<UINT>(DMLERR_NOTPROCESSED));
}

TEST_F(LoggerStandIn, QuitsInOrderOnCommandAndTheControlToolThenFindsNoWindow) {
    Launch("");
    EXPECT_EQ(Ctl("logger quit"), 0u);
    EXPECT_EQ(process_.WaitExit(), 0u);
    EXPECT_EQ(LastEntry(journal_), "QUIT");
    EXPECT_EQ(Ctl("logger set angle 1"), static_cast<DWORD>(standin::kExitNotFound));
}

TEST(StandInStart, BadSwitchesEndWithUsageCodeAndNoWindow) {
    const std::pair<const char*, const char*> cases[] = {
        {standin::kLoggerExe, "--angel 5"}, {standin::kLoggerExe, "--call"}, {standin::kDxViewExe, "--refuse --bogus"}};
    for (const auto& [exe, switches] : cases) {
        SCOPED_TRACE(switches);
        ChildProcess process;
        ASSERT_TRUE(process.Start(BinPath(exe), switches));
        EXPECT_EQ(process.WaitExit(), static_cast<DWORD>(standin::kExitBadUsage));
        EXPECT_TRUE(TopLevelWindowsOf(process.Id()).empty());
    }
}

}  // namespace
