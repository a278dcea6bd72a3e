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

using testing::RecordingView;
using Texts = std::vector<std::wstring>;

constexpr wchar_t kIniPath[] = L"C:\\Tarvello\\Tarvello.ini";
constexpr std::int16_t kFresh = static_cast<std::int16_t>(0x8001);
constexpr std::int16_t kHeld = static_cast<std::int16_t>(0x8000);

TEST(ParseHotkey, NamesOneKeyInSendKeysNotationAndNothingElse) {
    const struct {
        const wchar_t* text;
        std::int32_t virtualKey;
        const wchar_t* label;
    } keys[] = {
        {L"{ENTER}", 0x0D, L"RETURN"},
        {L"  ~ ", 0x0D, L"RETURN"},
        {L"{esc}", 0x1B, L"Esc"},
        {L"{F1}", 0x70, L"F1"},
        {L"{f13}", 0x7C, L"F13"},
        {L"{F24}", 0x87, L"F24"},
        {L"{Tab}", 0x09, L"Tab"},
        {L"{BKSP}", 0x08, L"R\u00fcck"},
        {L"{PGUP}", 0x21, L"Bild auf"},
        {L"{RIGHT}", 0x27, L"Pfeil rechts"},
        {L"l", 0x4C, L"L"},
        {L"L", 0x4C, L"L"},
        {L"7", 0x37, L"7"},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.text);
        const auto key = ParseHotkey(k.text);
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(*key, (Hotkey{k.virtualKey}));
        EXPECT_EQ(HotkeyLabel(*key), k.label);
    }
    // Modifiers apply exactly, and read in the order Strg, Alt, Umschalt whatever order they were written in.
    EXPECT_EQ(ParseHotkey(L"^{F8}"), (Hotkey{0x77, true, false, false}));
    EXPECT_EQ(ParseHotkey(L"%l"), (Hotkey{0x4C, false, true, false}));
    EXPECT_EQ(HotkeyLabel(*ParseHotkey(L"+%^{F12}")), L"Strg+Alt+Umschalt+F12");

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
    std::vector<std::string> ProgramLogEntries() const {
        std::vector<std::string> entries;
        const std::string log = desktop.files.Read(L"C:\\Tarvello\\Error.log");
        for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
            entries.push_back(log.substr(start, end - start));
        return entries;
    }
    const Texts& Executes() const { return dxview.server->executes; }

    sim::SimDesktop desktop;
    RecordingView view;
    testing::SimDXView dxview;
    std::unique_ptr<TarvelloProgram> program;
};

TEST_F(ChosenKeys, EachValueIsReadOnceAndShownAndTheSectionIsNeverWritten) {
    const std::string section = "[TASTEN]\r\nPeilung = ~\r\nDrehen=~\r\nLangerWeg=%l\r\nLoeschen=\r\nStopp=^{F8}\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(section));
    EXPECT_EQ(view.keyHelp.lines,
              (std::array<std::wstring, 5>{L"RETURN = Winkel", L"RETURN = Rotor drehen", L"Alt+L = langer Weg",
                                           L"Winkel entfernen: keine Taste", L"Strg+F8 = Rotor anhalten"}));
    EXPECT_TRUE(view.keyHelp.showLongPath);
    program->MainWindow().ShutDown();
    EXPECT_EQ(desktop.files.Read(kIniPath).substr(0, section.size()), section);
    EXPECT_EQ(ProgramLogEntries().size(), 1u) << "only the header";
}

TEST_F(ChosenKeys, ABadValueIsLoggedWithTheKeyAndKeepsItsDefault) {
    ASSERT_NO_FATAL_FAILURE(
        Start("[TASTEN]\r\nPeilung={F8}{F9}\r\nDrehen=^\r\nLangerWeg={NOPE}\r\nLoeschen={L\xF6sch}\r\n"
              "Stopp=" +
              std::string(5000, 'x') + "\r\n"));
    const std::string stamp = "05.03.2026 08:04:09";
    EXPECT_EQ(ProgramLogEntries(),
              (std::vector<std::string>{"Tarvello - Fehlerlog", stamp + " Tastenbelegung ung\xFCltig: Peilung={F8}{F9}",
                                        stamp + " Tastenbelegung ung\xFCltig: Drehen=^",
                                        stamp + " Tastenbelegung ung\xFCltig: LangerWeg={NOPE}",
                                        stamp + " Tastenbelegung ung\xFCltig: Loeschen={L\xF6sch}",
                                        stamp + " Tastenbelegung ung\xFCltig: Stopp=" + std::string(200, 'x')}));
    EXPECT_EQ(view.keyHelp.lines,
              (std::array<std::wstring, 5>{L"RETURN = Winkel", L"F11 = Rotor drehen", L"langer Weg: keine Taste",
                                           L"Esc = Winkel entfernen", L"F8 = Rotor anhalten"}));
    EXPECT_FALSE(view.keyHelp.showLongPath);
    Tick({{0x0D, kFresh}, {0x7A, kFresh}});
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing245", L"003rotatesp"}));
}

TEST_F(ChosenKeys, ATickReadsEachKeyOnceAndMatchesModifiersExactly) {
    ASSERT_NO_FATAL_FAILURE(Start("[TASTEN]\r\nPeilung=~\r\nDrehen=~\r\nLangerWeg=%l\r\nStopp=^{F8}\r\n"));
    desktop.keyboard.ClearEvents();
    const std::size_t readsBefore = desktop.keyboard.AsyncReads().size();
    // One Return serves both actions that share it, in order; Ctrl held does not stop a key without modifiers.
    Tick({{0x0D, kFresh}, {0x11, kHeld}});
    EXPECT_EQ(
        std::vector<int>(desktop.keyboard.AsyncReads().begin() + readsBefore, desktop.keyboard.AsyncReads().end()),
        (std::vector<int>{0x0D, 0x4C, 0x1B, 0x77, 0x11, 0x12, 0x10}));
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing245", L"003rotatesp"}));

    // Alt+L turns on the long path and shows it; L with Alt and Shift, or alone, does nothing.
    Tick({{0x4C, kFresh}, {0x12, kHeld}, {0x10, kHeld}});
    Tick({{0x4C, kFresh}});
    Tick({{0x4C, kFresh}, {0x12, kHeld}});
    EXPECT_EQ(Executes(), (Texts{L"003selectbearing245", L"003rotatesp", L"003rotatelp"}));
    EXPECT_EQ(view.Text(ViewField::kStatusText), L"Rotor dreht");

    // A plain F8 no longer stops the rotor; Ctrl+F8 does, and Esc still clears.
    Tick({{0x77, kFresh}});
    EXPECT_TRUE(desktop.windows.Posted().empty());
    Tick({{0x77, kFresh}, {0x11, kHeld}});
    EXPECT_EQ(desktop.windows.Posted().size(), 2u);
    Tick({{0x1B, kFresh}, {0x11, kHeld}});
    EXPECT_EQ(Executes().back(), L"003selectbearing");
}

}  // namespace
}  // namespace tarvello
