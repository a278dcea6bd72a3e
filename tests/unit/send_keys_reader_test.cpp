// The key-sequence interpreter on the simulated keyboard: plain characters, modifiers, groups, named keys,
// repeat counts, literal symbols, failures, and that no key is ever left down.
#include <gtest/gtest.h>

#include "automation_keys_test_support.h"

namespace tarvello {
namespace {

// The trace of n presses of Tab.
std::string Tabs(int n) {
    std::string trace;
    for (int i = 0; i < n; ++i)
        trace += (i == 0 ? "" : " ") + std::string("9v 9^");
    return trace;
}

TEST(PressSendKeys, EachStringSendsExactlyItsKeyEventsAndLeavesNoKeyDown) {
    const std::pair<const wchar_t*, std::string> cases[] = {
        {L"abc", "65v 65^ 66v 66^ 67v 67^"},
        {L"~", "13v 13^"},
        {L"", ""},
        // A modifier covers one character or a parenthesised group.
        {L"+a", "16v 65v 65^ 16^"},
        {L"+ab", "16v 65v 65^ 16^ 66v 66^"},
        {L"+(abc)", "16v 65v 65^ 66v 66^ 67v 67^ 16^"},
        {L"a+", "65v 65^ 16v 16^"},
        {L"a)b", "65v 65^ 66v 66^"},
        {L"(a}b", "65v 65^ 66v 66^"},
        // Consecutive modifiers apply together; a brace group takes its modifier.
        {L"^%a", "17v 18v 65v 65^ 18^ 17^"},
        {L"+^%(ab)c", "16v 17v 18v 65v 65^ 66v 66^ 18^ 17^ 16^ 67v 67^"},
        {L"+{TAB}a", "16v 9v 9^ 16^ 65v 65^"},
        {L"^+{TAB 2}a", "17v 16v 9v 9^ 9v 9^ 16^ 17^ 65v 65^"},
        {L"+(a{TAB}b)c", "16v 65v 65^ 9v 9^ 66v 66^ 16^ 67v 67^"},
        // Modifiers still held at the end are released most recent first.
        {L"+(ab", "16v 65v 65^ 66v 66^ 16^"},
        {L"+(^(a", "16v 17v 65v 65^ 17^ 16^"},
        {L"+{TAB", "16v 9v 9^ 16^"},
        // The longest name wins; unknown names and braced symbols type their characters.
        {L"{F10}", "121v 121^"},
        {L"{ENTERX}", "13v 13^ 16v 88v 88^ 16^"},
        {L"{hi}", "72v 72^ 73v 73^"},
        {L"{+}{^}{%}{~}", "16v 187v 187^ 16^ 16v 54v 54^ 16^ 16v 53v 53^ 16^ 16v 192v 192^ 16^"},
        {L"{(}{)}{{}{}}{}", "16v 57v 57^ 16^ 16v 48v 48^ 16^ 16v 219v 219^ 16^ 16v 221v 221^ 16^ 16v 221v 221^ 16^"},
        // Repeat counts: digits up to the closing brace, a non-digit counting as 0.
        {L"{TAB 0}", ""},
        {L"{TAB 1x}", Tabs(10)},
        {L"{TAB  2}", Tabs(2)},
        {L"{TAB 4}{TAB 0001}", Tabs(5)},
        {L"{TAB 9}", Tabs(9)},
        {L"{TAB 3", Tabs(3)},  // unterminated: the digits run to the end, which then ends normally
        {L"{a 3}", "65v 65^ 65v 65^ 65v 65^"},
    };
    test::KeysFixture f;
    for (const auto& [keys, trace] : cases) {
        SCOPED_TRACE(testing::PrintToString(keys));
        EXPECT_EQ(f.TraceOf(keys), trace);
        EXPECT_TRUE(f.keyboard.KeysDown().empty());
    }
}

TEST(PressSendKeys, EveryKeyNameInAnyCaseSendsItsVirtualKey) {
    const std::wstring names =
        L"{BS}{BKSP}{BACKSPACE}{TAB}{ENTER}{ESC}{PGUP}{PGDN}{END}{HOME}{LEFT}{UP}{RIGHT}{DOWN}{INS}{INSERT}"
        L"{DEL}{DELETE}{CAPSLOCK}{NUMLOCK}{SCROLLLOCK}{F1}{F2}{F3}{F4}{F5}{F6}{F7}{F8}{F9}{F10}{F11}{F12}";
    std::string trace;
    for (int vk : {8,  8,  8,   9,   13,  27,  33,  34,  35,  36,  37,  38,  39,  40,  45,  45, 46,
                   46, 20, 144, 145, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123})
        trace += (trace.empty() ? "" : " ") + std::to_string(vk) + "v " + std::to_string(vk) + "^";
    std::wstring lower = names;
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c + 32 : c);
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(names), trace);
    EXPECT_EQ(f.TraceOf(lower), trace);
}

TEST(PressSendKeys, ModifiersCarryTheirExtendedFlagAndScanCodeAndEventsArePumpedPerItem) {
    test::KeysFixture f;
    f.keys.PressSendKeys(L"^c");
    const std::vector<sim::KeyEvent> expected{{17, 0x1D, keyevent::kExtendedKey},
                                              {67, 0x2E, 0},
                                              {67, 0x2E, keyevent::kKeyUp},
                                              {17, 0x1D, keyevent::kExtendedKey | keyevent::kKeyUp}};
    EXPECT_EQ(f.keyboard.Events(), expected);

    // Events are pumped after every item and every named repetition, not between repeated characters.
    test::KeysFixture g;
    g.keys.PressSendKeys(L"ab");
    EXPECT_EQ(g.loop.ProcessPendingEventsCalls(), 2);
    g.keys.PressSendKeys(L"{TAB 3}");
    EXPECT_EQ(g.loop.ProcessPendingEventsCalls(), 2 + 3 + 2);
    g.keys.PressSendKeys(L"{a 3}");
    EXPECT_EQ(g.loop.ProcessPendingEventsCalls(), 7 + 2);
    g.keys.PressSendKeys(L"a+");  // a modifier at the end stands for "+()": four items
    EXPECT_EQ(g.loop.ProcessPendingEventsCalls(), 9 + 4);
}

TEST(PressSendKeys, FailuresKeepWhatWasSentReleaseHeldModifiersAndReportTheError) {
    struct Case {
        const wchar_t* keys;
        int error;
        const char* trace;
    };
    const Case cases[] = {
        {L"a{", 5, "65v 65^"},  // a string ending in "{" has no character to type
        {L"+(a{", 5, "16v 65v 65^ 16^"},
        // A count beyond the signed 32-bit range fails before any of its repetitions.
        {L"x^({TAB 2147483648}", 6, "88v 88^ 17v 17^"},
        {L"{TAB 00000000000000000002}", 0, "9v 9^ 9v 9^"},
    };
    test::KeysFixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.keys));
        f.keyboard.ClearEvents();
        EXPECT_EQ(test::ErrorNumberOf([&] { f.keys.PressSendKeys(c.keys); }), c.error);
        EXPECT_EQ(test::Trace(f.keyboard.Events()), c.trace);
        EXPECT_TRUE(f.keyboard.KeysDown().empty());
    }
}

}  // namespace
}  // namespace tarvello
