// Keys the operator chooses: how a value of section "TASTEN" is read, what a bad one leaves in the program log,
// what the key help shows, and how a poller tick matches keys and modifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/hotkey.h"
#include "control_window/hotkey_settings.h"
#include "control_window/tarvello_program.h"
#include "fakes/recording_view.h"
#include "fakes/sim_partners.h"

namespace tarvello {
namespace {

using Texts = std::vector<std::wstring>;
using Lines = std::array<std::wstring, 5>;

constexpr wchar_t kIniPath[] = L"C:\\Tarvello\\Tarvello.ini";
constexpr std::int16_t kFresh = static_cast<std::int16_t>(0x8001);
constexpr std::int16_t kHeld = static_cast<std::int16_t>(0x8000);

TEST(ParseHotkey, NamesOneKeyInSendKeysNotationAndNothingElse) {
    // Each value, then how the key help names the key it reads as.
    // clang-format off
    const std::vector<std::wstring> keys{
        L"{ENTER}", L"RETURN", L"  ~ ", L"RETURN", L"{esc}", L"Esc", L"{F1}", L"F1", L"{F10}", L"F10",
        L"{f13}", L"F13", L"{F19}", L"F19", L"{F20}", L"F20", L"{F24}", L"F24", L"{Tab}", L"Tab",
        L"{BKSP}", L"R\u00fcck", L"{DEL}", L"Entf", L"{INS}", L"Einfg", L"{HOME}", L"Pos1", L"{END}", L"Ende",
        L"{PGUP}", L"Bild auf", L"{PGDN}", L"Bild ab", L"{UP}", L"Pfeil oben", L"{DOWN}", L"Pfeil unten",
        L"{LEFT}", L"Pfeil links", L"{RIGHT}", L"Pfeil rechts", L"{CAPSLOCK}", L"Feststell", L"{NUMLOCK}", L"Num",
        L"{SCROLLLOCK}", L"Rollen", L"A", L"A", L"Z", L"Z", L"a", L"A", L"l", L"L", L"z", L"Z", L"0", L"0", L"9", L"9",
        L"^{F8}", L"Strg+F8", L"%l", L"Alt+L", L"+%^{F12}", L"Strg+Alt+Umschalt+F12"};
    // clang-format on
    for (std::size_t i = 0; i < keys.size(); i += 2) {
        const auto key = ParseHotkey(keys[i]);
        ASSERT_TRUE(key.has_value()) << i;
        EXPECT_EQ(HotkeyLabel(*key), keys[i + 1]);
    }
    const std::vector<std::wstring> bad{
        L"",    L"{F25}",  L"{F0}",   L"{F08}",  L"{NOSUCHKEY}", L"{F8}{F9}", L"ab",
        L"~~",  L"^",      L"^^{F8}", L"{F8",    L"F8}",         L"{F8 2}",   L"{}",
        L"{~}", L"\u00e4", L"\x01",   L"\t{F8}", L"^ {F8}",      L"{\u00c4}", std::wstring(5000, L'x')};
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(ParseHotkey(bad[i]).has_value()) << "bad value " << i;
}

// The program on a simulated desktop with Tarvello.ini holding ini before it starts.
class ChosenKeys : public ::testing::Test {
protected:
    void Start(const std::string& ini) {
        desktop.files.Write(kIniPath, ini);
        dxview = testing::StartSimDXView(desktop);
        testing::StartSimLogger(desktop, L"DL1ABC", L"123");
        program = std::make_unique<TarvelloProgram>(desktop.platform(), view);
        program->MainWindow().Start();
        ASSERT_TRUE(program->MainWindow().PollerRunning());
    }
    // One poller tick with these state words; every other key reads 0.
    void Tick(std::initializer_list<std::pair<int, std::int16_t>> states) {
        for (const auto& [key, word] : states)
            desktop.keyboard.QueueAsyncState(key, word);
        desktop.loop.Advance(20);
    }
    std::string ProgramLog() const { return desktop.files.Read(L"C:\\Tarvello\\Error.log"); }
    const Texts& Executes() const { return dxview.server->executes; }

    sim::SimDesktop desktop;
    testing::RecordingView view;
    testing::SimDXView dxview;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(ChosenKeys, ATickReadsEachKeyOnceMatchesModifiersExactlyAndTheSectionIsNeverWritten) {
    const std::string section = "[TASTEN]\r\nPeilung = ~\r\nDrehen=~\r\nLangerWeg=%l\r\nLoeschen=\r\nStopp=^{F8}\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(section));
    EXPECT_EQ(view.keyHelp.lines, (Lines{L"RETURN = Winkel", L"RETURN = Rotor drehen", L"Alt+L = langer Weg",
                                         L"Winkel entfernen: keine Taste", L"Strg+F8 = Rotor anhalten"}));
    EXPECT_TRUE(view.keyHelp.showLongPath);

    // One Return serves both actions that share it, in order; Ctrl held does not stop a key without modifiers.
    const std::size_t readsBefore = desktop.keyboard.AsyncReads().size();
    Tick({{0x0D, kFresh}, {0x11, kHeld}});
    EXPECT_EQ(
        std::vector<int>(desktop.keyboard.AsyncReads().begin() + readsBefore, desktop.keyboard.AsyncReads().end()),
        (std::vector<int>{0x0D, 0x4C, 0x77, 0x11, 0x12, 0x10}));
    // Alt+L turns on the long path and shows it; L with Alt and Shift, or alone, does nothing; nor does Esc.
    Tick({{0x4C, kFresh}, {0x12, kHeld}, {0x10, kHeld}});
    Tick({{0x4C, kFresh}});
    Tick({{0x4C, kFresh}, {0x12, kHeld}});
    Tick({{0x1B, kFresh}});
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing245", L"003rotatesp", L"003rotatelp"}));
    EXPECT_EQ(view.Text(ViewField::kStatusText), L"Rotor dreht");
    // A plain F8 no longer stops the rotor, nor does one after Ctrl was let go; Ctrl+F8 does.
    Tick({{0x77, kFresh}, {0x11, 0x0001}});
    EXPECT_TRUE(desktop.windows.Posted().empty());
    Tick({{0x77, kFresh}, {0x11, kHeld}});
    EXPECT_EQ(desktop.windows.Posted().size(), 2u);

    program->MainWindow().ShutDown();
    EXPECT_EQ(desktop.files.Read(kIniPath).substr(0, section.size()), section);
    EXPECT_EQ(ProgramLog(), "Tarvello - Fehlerlog\r\n");
}

TEST_F(ChosenKeys, ABadValueIsLoggedWithTheKeyAndKeepsItsDefault) {
    ASSERT_NO_FATAL_FAILURE(
        Start("[TASTEN]\r\nPeilung={F8}{F9}\r\nDrehen=^\r\nLangerWeg={NOPE}\r\nLoeschen={L\xF6sch}\r\n"
              "Stopp=" +
              std::string(5000, 'x') + "\r\n"));
    const std::string entry = "05.03.2026 08:04:09 Tastenbelegung ung\xFCltig: ";
    EXPECT_EQ(ProgramLog(), "Tarvello - Fehlerlog\r\n" + entry + "Peilung={F8}{F9}\r\n" + entry + "Drehen=^\r\n" +
                                entry + "LangerWeg={NOPE}\r\n" + entry + "Loeschen={L\xF6sch}\r\n" + entry +
                                "Stopp=" + std::string(200, 'x') + "\r\n");
    EXPECT_EQ(view.keyHelp.lines, (Lines{L"RETURN = Winkel", L"F11 = Rotor drehen", L"langer Weg: keine Taste",
                                         L"Esc = Winkel entfernen", L"F8 = Rotor anhalten"}));
    EXPECT_FALSE(view.keyHelp.showLongPath);
}

}  // namespace
}  // namespace tarvello
