// The keystroke primitives on the simulated keyboard: exact events, flags and scan codes, pauses and failures.
#include <gtest/gtest.h>

#include <tuple>

#include "automation_keys_test_support.h"

namespace tarvello {
namespace {

using test::ErrorNumberOf;
using test::Trace;
using Events = std::vector<sim::KeyEvent>;

constexpr std::uint32_t kUp = keyevent::kKeyUp;
constexpr std::uint32_t kExt = keyevent::kExtendedKey;

TEST(KeystrokePressKey, PlainShiftedAndAltGrCharactersSendTheirModifiersInPressOrder) {
    test::KeysFixture f;
    f.keys.PressKey(L"a", false, false);
    EXPECT_EQ(f.keyboard.Events(), (Events{{65, 0x1E, 0}, {65, 0x1E, kUp}}));

    // The mapping is asked with the shift byte included, which no key has: scan code 0, extended.
    f.keyboard.ClearEvents();
    f.keys.PressKey(L"A", false, false);
    const Events shifted{{16, 0, 0}, {65, 0, kExt}, {65, 0, kExt | kUp}, {16, 0, kUp}};
    EXPECT_EQ(f.keyboard.Events(), shifted);

    // '@' on a German layout: AltGr, that is Ctrl+Alt+Q; released Ctrl first, as pressed.
    f.keyboard.SetKeyScan(L'@', 0x651);
    f.keyboard.SetKeyScan(L'|', 0x7DC);  // Shift+Ctrl+Alt
    f.keyboard.ClearEvents();
    f.keys.PressKey(L"@xyz", false, false);
    f.keys.PressKey(L"|", false, false);
    EXPECT_EQ(Trace(f.keyboard.Events()), "17v 18v 81v 81^ 17^ 18^ 16v 17v 18v 220v 220^ 16^ 17^ 18^");
    EXPECT_EQ(f.keyboard.Events()[2], (sim::KeyEvent{0x51, 0, kExt}));

    // Hold then release equals one press; both flags send nothing.
    f.keyboard.ClearEvents();
    f.keys.PressKey(L"A", true, false);
    EXPECT_EQ(f.keyboard.KeysDown(), (std::vector<int>{16, 65}));
    f.keys.PressKey(L"A", false, true);
    f.keys.PressKey(L"A", true, true);
    EXPECT_EQ(f.keyboard.Events(), shifted);
    EXPECT_TRUE(f.keyboard.KeysDown().empty());
}

TEST(KeystrokePressKey, CharactersWithoutAKeySendNothingAndAnEmptyKeyFails) {
    test::KeysFixture f;
    f.keys.PressKey(L"\u20ac", false, false);  // no key on the US layout
    f.keyboard.SetKeyScan(L'q', 0);
    f.keys.PressKey(L"q", false, false);
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressKey(L"", false, false); }), 5);
    EXPECT_TRUE(f.keyboard.Events().empty());
}

TEST(KeystrokePressKeyVK, ExtendedFlagFollowsTheCharacterMappingUnlessCompatible) {
    test::KeysFixture f;
    f.keys.PressKeyVK(17, true, false, false);
    f.keys.PressKeyVK(17, false, true, false);
    f.keys.PressKeyVK(17, true, false, true);
    f.keys.PressKeyVK(17, false, true, true);
    f.keys.PressKeyVK(13, false, false, false);
    EXPECT_EQ(
        f.keyboard.Events(),
        (Events{
            {17, 0x1D, kExt}, {17, 0x1D, kExt | kUp}, {17, 0x1D, 0}, {17, 0x1D, kUp}, {13, 0x1C, 0}, {13, 0x1C, kUp}}));
}

TEST(KeystrokePressKeyVK, CodesOutside0To255FailWithOverflowBeforeAnyEvent) {
    test::KeysFixture f;
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressKeyVK(256, false, false, false); }), 6);
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressKeyVK(-1, false, true, false); }), 6);
    // No event is due, so nothing is converted and nothing fails.
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressKeyVK(256, true, true, false); }), 0);
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressKeyVK(255, false, false, false); }), 0);
    EXPECT_EQ(Trace(f.keyboard.Events()), "255v 255^");
}

// A layout whose mapping gives one key a scan code wider than a byte.
class WideScanKeyboard : public sim::SimKeyboard {
public:
    std::uint32_t MapKeyCode(std::uint32_t code, std::uint32_t mapType) override {
        return code == 66 && mapType == 0 ? 0x1E030 : SimKeyboard::MapKeyCode(code, mapType);  // MAPVK_VK_TO_VSC
    }
};

TEST(KeystrokePressString, PausesAfterEveryCharacterAndStopsAtTheFirstFailure) {
    test::KeysFixture f;
    f.keys.PressString(L"", true);
    f.keys.PressString(L"ab", false);
    EXPECT_EQ(Trace(f.keyboard.Events()), "65v 65^ 66v 66^");
    EXPECT_EQ(f.loop.Pauses(), (std::vector<std::uint32_t>{20, 20}));
    EXPECT_EQ(f.loop.ProcessPendingEventsCalls(), 0);

    f.keys.PressString(L"a!", true);
    EXPECT_EQ(f.loop.Pauses().size(), 4u);
    EXPECT_EQ(f.loop.ProcessPendingEventsCalls(), 2);

    WideScanKeyboard wide;
    KeystrokeSynthesiser keys(wide, f.loop);
    EXPECT_EQ(ErrorNumberOf([&] { keys.PressString(L"abc", false); }), 6);
    EXPECT_EQ(Trace(wide.Events()), "65v 65^");
    EXPECT_TRUE(wide.KeysDown().empty());
    EXPECT_EQ(f.loop.Pauses().size(), 5u);
}

TEST(KeystrokeGetLockStatus, ReportsLocksThatAreOnOrWhoseKeyIsHeld) {
    test::KeysFixture f;
    bool caps = true, num = true, scroll = true;
    f.keys.GetLockStatus(caps, num, scroll);
    EXPECT_EQ(std::tuple(caps, num, scroll), std::tuple(false, false, false));
    f.keyboard.SetLockToggled(144, true);
    f.keyboard.PressPhysicalKey(20);  // Caps Lock held down, lock itself off
    f.keys.GetLockStatus(caps, num, scroll);
    EXPECT_EQ(std::tuple(caps, num, scroll), std::tuple(true, true, false));
    f.keyboard.SetLockToggled(145, true);
    f.keys.GetLockStatus(caps, num, scroll);
    EXPECT_TRUE(scroll);
}

}  // namespace
}  // namespace tarvello
