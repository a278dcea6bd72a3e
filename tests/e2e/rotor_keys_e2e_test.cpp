// The whole job under Wine and Xvfb: real keys typed into the logger stand-in's window drive the DXView
// stand-in through Tarvello, while the logger still receives every key.
#include <gtest/gtest.h>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"
#include "support/journal.h"

namespace e2e {
namespace {

constexpr COLORREF kTurningLamp = RGB(0, 255, 15);
constexpr COLORREF kStoppedLamp = RGB(255, 0, 0);

class RotorKeysE2E : public TarvelloE2E {
protected:
    std::vector<std::string> Executes() const { return Entries(L"DXView", "EXECUTE .*"); }
    bool WaitForExecutes(size_t n) const {
        return WaitFor([&] { return Executes().size() >= n; }, 3000);
    }
    // The lamp's colour as the screen shows it at its centre, 0x00BBGGRR.
    COLORREF Lamp() const {
        RECT r{};
        GetWindowRect(GetDlgItem(main_, IDC_STATUS_LAMP), &r);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return colour;
    }
};

TEST_F(RotorKeysE2E, ReturnF11F8AndEscDriveDXViewFromTheLoggersKeyboard) {
    ASSERT_TRUE(RegisterBearingSource(true));
    ASSERT_NO_FATAL_FAILURE(StartAll());
    ASSERT_TRUE(WaitFor([&] { return ChildText(main_, IDC_BEARING) == L"245"; }, 3000));
    // The operator works in the logger, which so lies in front of Tarvello.
    ASSERT_TRUE(ClickInto(LoggerWindow()));

    // With the bearing source registered, Return sends the source's text.
    ASSERT_TRUE(TypeKey(L"Return"));
    ASSERT_TRUE(WaitForExecutes(1));
    EXPECT_EQ(ChildText(main_, IDC_BEARING), L"245");

    // F11 held longer than typed still fires once: the executes are compared whole at the end.
    ASSERT_TRUE(Xdotool(L"keydown F11 sleep 0.4 keyup F11"));
    ASSERT_TRUE(WaitForExecutes(2));
    EXPECT_TRUE(WaitFor([&] { return Lamp() == kTurningLamp; }, 2000)) << std::hex << Lamp();
    EXPECT_EQ(ChildText(main_, IDC_STATUS_TEXT), L"Rotor dreht");

    ASSERT_TRUE(TypeKey(L"F8"));
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "LBUTTONUP .*").size() == 1; }, 3000));
    auto click = test_support::ReadJournal(JournalFile(L"DXView"));
    std::erase_if(click, [](const auto& entry) { return !entry.text.starts_with("LBUTTON"); });
    ASSERT_EQ(click.size(), 2u);
    EXPECT_EQ(click[0].text, "LBUTTONDOWN ctrl=1 wparam=0x0 lparam=0x1");
    EXPECT_EQ(click[1].text, "LBUTTONUP ctrl=1 wparam=0x0 lparam=0x1");
    EXPECT_GE(click[1].ms - click[0].ms, 50);
    EXPECT_TRUE(WaitFor([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }, 1000)) << "Control left down";
    EXPECT_TRUE(WaitFor([&] { return Lamp() == kStoppedLamp; }, 2000));
    EXPECT_EQ(ChildText(main_, IDC_STATUS_TEXT), L"Rotor angehalten");

    // Over in DXView, Esc clears the bearing and gives the keyboard back to the logger; so after a second stop.
    for (size_t round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        if (round == 2) {
            ASSERT_TRUE(TypeKey(L"F8"));
            ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "LBUTTONUP .*").size() == 2; }, 3000));
        }
        ASSERT_TRUE(ClickInto(DXViewWindow()));
        ASSERT_TRUE(TypeKey(L"Escape"));
        ASSERT_TRUE(WaitForExecutes(2 + round));
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == LoggerWindow(); }, 2000));
    }
    EXPECT_EQ(ChildText(main_, IDC_BEARING), L"");
    EXPECT_TRUE(WaitFor([&] { return Lamp() == GetSysColor(COLOR_BTNFACE); }, 2000));
    // Every command went on the conversation of the DDECommand link, DXView's second.
    EXPECT_EQ(Executes(), (std::vector<std::string>{"EXECUTE c2 003selectbearing245", "EXECUTE c2 003rotatesp",
                                                    "EXECUTE c2 003selectbearing", "EXECUTE c2 003selectbearing"}));

    // The logger saw every key typed into it although Tarvello acted on them (Esc went to DXView).
    for (const std::string vk : {"0D", "7A", "77"})
        EXPECT_FALSE(Entries(L"ContestLogger", "KEYDOWN vk=0x" + vk + " .*").empty()) << vk;
}

TEST_F(RotorKeysE2E, ASlowDXViewGetsOneCommandAtATimeAndKeepsItsLink) {
    // Without the bearing source, Return sends the logger's angle.
    ASSERT_TRUE(RegisterBearingSource(false));
    ASSERT_NO_FATAL_FAILURE(StartAll(L"--angle 245", L"--slow 1500"));  // DXView answers each command 1.5 s late
    ASSERT_TRUE(WaitFor([&] { return ChildText(main_, IDC_BEARING) == L"245"; }, 3000));
    const size_t linksBefore = Entries(L"DXView", "ADVSTART .*").size();
    ASSERT_TRUE(ClickInto(LoggerWindow()));

    // Return, and F11 100 ms later, while DXView still works on the bearing.
    ASSERT_TRUE(Xdotool(L"keydown Return sleep 0.1 keydown F11 sleep 0.1 keyup Return sleep 0.1 keyup F11"));
    // Meanwhile DXView asks Tarvello to reconnect, and waits for the answer before it answers the bearing.
    ASSERT_TRUE(Script(standin::kDxViewWindowClass, "announce"));
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "REPLY .* ack").size() == 2; }, 8000));
    EXPECT_EQ(Entries(L"DXView", "(EXECUTE|ANNOUNCE|REPLY) .*"),
              (std::vector<std::string>{"EXECUTE c2 003selectbearing245", "ANNOUNCE 003start ack", "REPLY c2 ack",
                                        "EXECUTE c2 003rotatesp", "REPLY c2 ack"}));
    // The reconnection ran after the commands, and the link was never given up.
    EXPECT_TRUE(WaitFor([&] { return Entries(L"DXView", "ADVSTART .*").size() == linksBefore + 3; }, 5000));
    EXPECT_TRUE(ShowsConnected()) << WindowText(main_);

    ASSERT_TRUE(TypeKey(L"Return"));
    // The next command goes on the new DDECommand conversation, the reconnection's second.
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "REPLY .* ack").size() == 3; }, 5000));
    EXPECT_EQ(Entries(L"DXView", "EXECUTE .*").back(), "EXECUTE c5 003selectbearing245");
    EXPECT_EQ(FindTopLevel(tarvello_->Id(), L"#32770", L"Tarvello"), nullptr);
    EXPECT_TRUE(tarvello_->Running());
}

// Keys chosen in Tarvello.ini: one Return both takes the bearing and turns, Alt+L turns on the long path, and only
// Ctrl with F8 stops the rotor. The key help names the keys in force, and the section stays as it was written.
TEST_F(RotorKeysE2E, KeysChosenInTheIniFileDriveDXViewAndTheKeyHelpNamesThem) {
    const std::string section = "[TASTEN]\r\nStopp=^{F8}\r\nLangerWeg=%l\r\nPeilung=~\r\nDrehen=~\r\n";
    ASSERT_TRUE(WriteFileBytes(FolderFile(L"Tarvello.ini"), section));
    ASSERT_TRUE(RegisterBearingSource(false));
    ASSERT_NO_FATAL_FAILURE(StartAll());
    const std::pair<int, const wchar_t*> keyHelp[] = {
        {IDC_KEY_HELP_BEARING, L"RETURN = Winkel"},       {IDC_KEY_HELP_TURN, L"RETURN = Rotor drehen"},
        {IDC_KEY_HELP_LONG_PATH, L"Alt+L = langer Weg"},  {IDC_KEY_HELP_CLEAR, L"Esc = Winkel entfernen"},
        {IDC_KEY_HELP_STOP, L"Strg+F8 = Rotor anhalten"},
    };
    for (const auto& [id, text] : keyHelp)
        EXPECT_EQ(ChildText(main_, id), text);
    ASSERT_TRUE(WaitFor([&] { return ChildText(main_, IDC_BEARING) == L"245"; }, 3000));
    ASSERT_TRUE(ClickInto(LoggerWindow()));

    ASSERT_TRUE(TypeKey(L"Return"));
    ASSERT_TRUE(WaitForExecutes(2));
    ASSERT_TRUE(Xdotool(L"keydown alt+l sleep 0.2 keyup alt+l"));
    ASSERT_TRUE(WaitForExecutes(3));
    EXPECT_EQ(Executes(), (std::vector<std::string>{"EXECUTE c2 003selectbearing245", "EXECUTE c2 003rotatesp",
                                                    "EXECUTE c2 003rotatelp"}));

    ASSERT_TRUE(TypeKey(L"F8"));
    EXPECT_FALSE(WaitFor([&] { return !Entries(L"DXView", "LBUTTON.*").empty(); }, 1000)) << "a plain F8 stopped";
    ASSERT_TRUE(Xdotool(L"keydown ctrl+F8 sleep 0.2 keyup ctrl+F8"));
    ASSERT_TRUE(WaitFor([&] { return Entries(L"DXView", "LBUTTONUP .*").size() == 1; }, 3000));
    EXPECT_EQ(Entries(L"DXView", "LBUTTONDOWN .*"),
              std::vector<std::string>{"LBUTTONDOWN ctrl=1 wparam=0x0 lparam=0x1"});

    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(10000));
    EXPECT_NE(ReadFileBytes(FolderFile(L"Tarvello.ini")).find(section), std::string::npos);
}

}  // namespace
}  // namespace e2e
