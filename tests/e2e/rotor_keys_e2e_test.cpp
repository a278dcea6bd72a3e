// The whole job under Wine and Xvfb: real keys typed into the logger stand-in's window drive the DXView
// stand-in through Tarvello, while the logger still receives every key.
#include <gtest/gtest.h>

#include "../../src/app/resource_ids.h"
#include "harness/tarvello_e2e.h"

namespace e2e {
namespace {

constexpr COLORREF kTurningLamp = RGB(0, 255, 15);
constexpr COLORREF kStoppedLamp = RGB(255, 0, 0);

class RotorKeysE2E : public TarvelloE2E {
protected:
    HWND StartAll(const std::wstring& angle) {
        StartDXView();
        StartLogger(L"--call DL1ABC --angle " + angle);
        StartTarvello();
        HWND main = WaitForMainWindow();
        EXPECT_NE(main, nullptr);
        if (main != nullptr) {
            EXPECT_TRUE(WaitFor([&] { return ChildText(main, IDC_BEARING) == angle; }, 3000));
        }
        return main;
    }
    std::vector<std::string> Executes() const {
        std::vector<std::string> found;
        for (const auto& line : Matching(DXViewJournal(), " EXECUTE "))
            found.push_back(line.substr(line.find("EXECUTE ") + 8));
        return found;
    }
    bool WaitForExecutes(size_t count) {
        return WaitFor([&] { return Executes().size() >= count; }, 3000);
    }
    bool LoggerInForeground() const { return GetForegroundWindow() == LoggerWindow(); }
    // DXView's journal reduced to the commands, their replies and its announcements, in order.
    std::vector<std::string> CommandTraffic() const {
        std::vector<std::string> traffic;
        for (const auto& line : DXViewJournal()) {
            const std::string entry = line.substr(line.find(' ') + 1);
            for (const char* event : {"EXECUTE ", "REPLY ", "ANNOUNCE "}) {
                if (entry.rfind(event, 0) == 0)
                    traffic.push_back(entry);
            }
        }
        return traffic;
    }
};

TEST_F(RotorKeysE2E, ReturnF11F8AndEscDriveDXViewFromTheLoggersKeyboard) {
    ASSERT_TRUE(RegisterBearingSource(true));
    HWND main = StartAll(L"245");
    ASSERT_NE(main, nullptr);
    // The operator works in the logger, which so lies in front of Tarvello.
    ASSERT_TRUE(ClickInto(LoggerWindow()));

    ASSERT_TRUE(TypeKey("Return"));
    ASSERT_TRUE(WaitForExecutes(1));
    EXPECT_EQ(Executes().back(), "003selectbearing245");
    EXPECT_EQ(ChildText(main, IDC_BEARING), L"245");

    ASSERT_TRUE(TypeKey("F11"));
    ASSERT_TRUE(WaitForExecutes(2));
    EXPECT_EQ(Executes().back(), "003rotatesp");
    EXPECT_TRUE(WaitFor([&] { return ChildCentrePixel(main, IDC_LABEL8) == kTurningLamp; }, 2000))
        << std::hex << ChildCentrePixel(main, IDC_LABEL8);
    EXPECT_EQ(ChildText(main, IDC_LABEL9), L"Rotor dreht");

    ASSERT_TRUE(TypeKey("F8"));
    ASSERT_TRUE(WaitFor([&] { return Matching(DXViewJournal(), "LBUTTONUP").size() == 1; }, 3000));
    const auto downs = Matching(DXViewJournal(), "LBUTTONDOWN");
    const auto ups = Matching(DXViewJournal(), "LBUTTONUP");
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_NE(downs[0].find("ctrl=1 wparam=0x0 lparam=0x1"), std::string::npos) << downs[0];
    EXPECT_NE(ups[0].find("ctrl=1 wparam=0x0 lparam=0x1"), std::string::npos) << ups[0];
    EXPECT_GE(std::stoll(ups[0]) - std::stoll(downs[0]), 50);
    EXPECT_TRUE(WaitFor([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }, 1000)) << "Control left down";
    EXPECT_TRUE(WaitFor([&] { return ChildCentrePixel(main, IDC_LABEL8) == kStoppedLamp; }, 2000));
    EXPECT_EQ(ChildText(main, IDC_LABEL9), L"Rotor angehalten");

    // Over in DXView, Esc clears the bearing and gives the keyboard back to the logger; so after a second stop.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        if (round == 2) {
            ASSERT_TRUE(TypeKey("F8"));
            ASSERT_TRUE(WaitFor([&] { return Matching(DXViewJournal(), "LBUTTONUP").size() == 2; }, 3000));
        }
        ASSERT_TRUE(ClickInto(DXViewWindow()));
        ASSERT_TRUE(TypeKey("Escape"));
        ASSERT_TRUE(WaitForExecutes(2 + static_cast<size_t>(round)));
        EXPECT_EQ(Executes().back(), "003selectbearing");
        EXPECT_TRUE(WaitFor([&] { return LoggerInForeground(); }, 2000));
    }
    EXPECT_EQ(ChildText(main, IDC_BEARING), L"");
    EXPECT_TRUE(WaitFor([&] { return ChildCentrePixel(main, IDC_LABEL8) == GetSysColor(COLOR_BTNFACE); }, 2000));
    EXPECT_EQ(Executes().size(), 4u);

    // The logger saw every key typed into it although Tarvello acted on them (Esc went to DXView).
    const auto keys = LoggerJournal();
    for (const char* vk : {"vk=0x0D", "vk=0x7A", "vk=0x77"}) {
        EXPECT_FALSE(Matching(Matching(keys, "KEYDOWN"), vk).empty()) << vk;
    }
}

TEST_F(RotorKeysE2E, AHeldKeyFiresOnceAndWithoutBearingSourceReturnSendsTheLoggersAngle) {
    ASSERT_TRUE(RegisterBearingSource(false));
    HWND main = StartAll(L"77");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ClickInto(LoggerWindow()));
    ASSERT_TRUE(Xdotool(L"keydown F11 sleep 0.4 keyup F11"));
    ASSERT_TRUE(WaitForExecutes(1));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(Executes(), (std::vector<std::string>{"003rotatesp"}));

    ASSERT_TRUE(TypeKey("Return"));
    ASSERT_TRUE(WaitForExecutes(2));
    EXPECT_EQ(Executes().back(), "003selectbearing77");
    EXPECT_EQ(ChildText(main, IDC_BEARING), L"77");
}

TEST_F(RotorKeysE2E, ASlowDXViewGetsOneCommandAtATimeAndKeepsItsLink) {
    ASSERT_TRUE(RegisterBearingSource(false));
    StartDXView(L"--slow 1500");  // answers every command 1.5 s late
    StartLogger(L"--angle 245");
    StartTarvello();
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ChildText(main, IDC_BEARING) == L"245"; }, 3000));
    const size_t linksBefore = Matching(DXViewJournal(), "ADVSTART").size();
    ASSERT_TRUE(ClickInto(LoggerWindow()));

    // Return, and F11 100 ms later, while DXView still works on the bearing.
    ASSERT_TRUE(Xdotool(L"keydown Return sleep 0.1 keydown F11 sleep 0.1 keyup Return sleep 0.1 keyup F11"));
    // Meanwhile DXView asks Tarvello to reconnect, and waits for the answer before it answers the bearing.
    ASSERT_TRUE(ScriptDXView("announce"));
    ASSERT_TRUE(WaitFor([&] { return Matching(DXViewJournal(), "REPLY ack").size() == 2; }, 8000));
    EXPECT_EQ(CommandTraffic(), (std::vector<std::string>{"EXECUTE 003selectbearing245", "ANNOUNCE 003start ack",
                                                          "REPLY ack", "EXECUTE 003rotatesp", "REPLY ack"}));
    // The reconnection ran after the commands, and the link was never given up.
    EXPECT_TRUE(WaitFor([&] { return Matching(DXViewJournal(), "ADVSTART").size() == linksBefore + 3; }, 5000));
    EXPECT_NE(WindowText(main).find(L" {DXV}"), std::wstring::npos) << WindowText(main);

    ASSERT_TRUE(TypeKey("Return"));
    ASSERT_TRUE(WaitFor([&] { return Matching(DXViewJournal(), "REPLY ack").size() == 3; }, 5000));
    EXPECT_EQ(CommandTraffic().back(), "REPLY ack");
    EXPECT_EQ(FindMessageBox(tarvello_->Id(), L"Tarvello"), nullptr);
    EXPECT_TRUE(tarvello_->Running());
}

TEST_F(RotorKeysE2E, MissingDXViewInfoWindowTellsLogsAndEnds) {
    StartDXView(L"--no-info-window");
    StartLogger();
    StartTarvello();
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(tarvello_->Id(), L"Tarvello")) != nullptr; }, 15000));
    EXPECT_EQ(MessageBoxText(box), L"DXView ist im Moment nicht aktiv. Bitte starten Sie zun\u00e4chst DXView");
    // Message first, log entry second.
    EXPECT_EQ(ReadLines(FolderFile(L"Error.log")), (std::vector<std::string>{"Tarvello - Fehlerlog"}));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(tarvello_->WaitForExit(5000));
    const auto log = ReadLines(FolderFile(L"Error.log"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].substr(log[1].size() - 23), " DXView war nicht aktiv");
    EXPECT_EQ(GetFileAttributesW(FolderFile(L"Tarvello.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RotorKeysE2E, QuestionMarkOpensTheHelp) {
    HWND main = StartAll(L"10");
    ASSERT_NE(main, nullptr);
    ClickLater(main, IDC_COMMAND2);
    HWND help = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            return (help = FindTopLevel(
                        L"HH Parent", [](const std::wstring&) { return true; }, tarvello_->Id())) != nullptr;
        },
        10000));
    if (help != nullptr) {
        EXPECT_EQ(WindowText(help), L"Tarvello Hilfe");
    }
}

}  // namespace
}  // namespace e2e
