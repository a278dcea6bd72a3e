// The key-sequence interpreter on the simulated keyboard: plain characters, modifiers, groups, named keys,
// repeat counts, literal symbols, failures, and that no key is ever left down.
#include <gtest/gtest.h>

#include "automation/key_name_table.h"
#include "automation_keys_test_support.h"

namespace tarvello {
namespace {

using test::ErrorNumberOf;

TEST(PressSendKeys, PlainCharactersEnterAndModifiersOverOneCharacterOrAGroup) {
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(L"abc"), "65v 65^ 66v 66^ 67v 67^");
    EXPECT_EQ(f.TraceOf(L"~"), "13v 13^");
    EXPECT_EQ(f.TraceOf(L"+a"), "16v 65v 65^ 16^");
    EXPECT_EQ(f.TraceOf(L"^c"), "17v 67v 67^ 17^");
    EXPECT_EQ(f.TraceOf(L"%f"), "18v 70v 70^ 18^");
    EXPECT_EQ(f.TraceOf(L"+(abc)"), "16v 65v 65^ 66v 66^ 67v 67^ 16^");
    EXPECT_EQ(f.TraceOf(L"+ab"), "16v 65v 65^ 16^ 66v 66^");
    EXPECT_EQ(f.TraceOf(L"a+"), "65v 65^ 16v 16^");
    EXPECT_EQ(f.TraceOf(L"a)b"), "65v 65^ 66v 66^");
    EXPECT_EQ(f.TraceOf(L"(a}b"), "65v 65^ 66v 66^");
    EXPECT_EQ(f.TraceOf(L""), "");
    EXPECT_TRUE(f.keyboard.KeysDown().empty());
}

TEST(PressSendKeys, ModifierEventsCarryTheExtendedFlagAndScanCodeOfTheirKey) {
    test::KeysFixture f;
    f.keys.PressSendKeys(L"^c");
    const std::vector<sim::KeyEvent> expected{{17, 0x1D, keyevent::kExtendedKey},
                                              {67, 0x2E, 0},
                                              {67, 0x2E, keyevent::kKeyUp},
                                              {17, 0x1D, keyevent::kExtendedKey | keyevent::kKeyUp}};
    EXPECT_EQ(f.keyboard.Events(), expected);
}

TEST(PressSendKeys, NamedKeysInAnyCaseWithTheLongestNameWinning) {
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(L"{ENTER}"), "13v 13^");
    EXPECT_EQ(f.TraceOf(L"{enter}"), "13v 13^");
    EXPECT_EQ(f.TraceOf(L"{F1}"), "112v 112^");
    EXPECT_EQ(f.TraceOf(L"{F10}"), "121v 121^");
    EXPECT_EQ(f.TraceOf(L"{DEL}{DELETE}"), "46v 46^ 46v 46^");
    EXPECT_EQ(f.TraceOf(L"{INS}{Insert}"), "45v 45^ 45v 45^");
    EXPECT_EQ(f.TraceOf(L"{BS}{BKSP}{BACKSPACE}"), "8v 8^ 8v 8^ 8v 8^");
    EXPECT_EQ(f.TraceOf(L"{ScrollLock}{numlock}{CAPSLOCK}"), "145v 145^ 144v 144^ 20v 20^");
    // Every name of the table, exactly as written and in lower case.
    for (const KeyName& entry : KeyNameTable()) {
        const std::string vk = std::to_string(entry.virtualKey);
        std::wstring lower(entry.name);
        for (wchar_t& c : lower)
            c = static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c + 32 : c);
        EXPECT_EQ(f.TraceOf(L"{" + std::wstring(entry.name) + L"}"), vk + "v " + vk + "^");
        EXPECT_EQ(f.TraceOf(L"{" + lower + L"}"), vk + "v " + vk + "^");
    }
    EXPECT_EQ(KeyNameTable().size(), 33u);
}

TEST(PressSendKeys, RepeatCountsCountDigitsUpToTheClosingBrace) {
    test::KeysFixture f;
    auto tabs = [](int n) {
        std::string trace;
        for (int i = 0; i < n; ++i)
            trace += (i == 0 ? "" : " ") + std::string("9v 9^");
        return trace;
    };
    EXPECT_EQ(f.TraceOf(L"{TAB 3}"), tabs(3));
    EXPECT_EQ(f.TraceOf(L"{TAB 12}"), tabs(12));
    EXPECT_EQ(f.TraceOf(L"{TAB x}"), "");
    EXPECT_EQ(f.TraceOf(L"{TAB 0}"), "");
    EXPECT_EQ(f.TraceOf(L"{TAB 1x}"), tabs(10));  // a non-digit counts as the digit 0
    EXPECT_EQ(f.TraceOf(L"{TAB  2}"), tabs(2));
    EXPECT_EQ(f.TraceOf(L"{a 3}"), "65v 65^ 65v 65^ 65v 65^");
    // Unterminated: the digits run to the end of the string, which then ends normally.
    EXPECT_EQ(f.TraceOf(L"{TAB 3"), tabs(3));
    EXPECT_EQ(f.TraceOf(L"{TAB 4}{TAB 0001}"), tabs(5));
}

TEST(PressSendKeys, EventsArePumpedAfterEveryItemAndEveryNamedRepetition) {
    test::KeysFixture f;
    f.keys.PressSendKeys(L"ab");
    EXPECT_EQ(f.shell.ProcessPendingEventsCalls(), 2);
    f.keys.PressSendKeys(L"{TAB 3}");
    EXPECT_EQ(f.shell.ProcessPendingEventsCalls(), 2 + 3 + 2);
    f.keys.PressSendKeys(L"{a 3}");  // characters are typed without pumping between repetitions
    EXPECT_EQ(f.shell.ProcessPendingEventsCalls(), 7 + 2);
}

TEST(PressSendKeys, UnknownNamesAndBracedSymbolsTypeTheirCharacters) {
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(L"{ENTERX}"), "13v 13^ 16v 88v 88^ 16^");
    EXPECT_EQ(f.TraceOf(L"{HELLO}"), "16v 72v 72^ 16^ 16v 69v 69^ 16^ 16v 76v 76^ 16^ 16v 76v 76^ 16^ 16v 79v 79^ 16^");
    EXPECT_EQ(f.TraceOf(L"{hi}"), "72v 72^ 73v 73^");
    EXPECT_EQ(f.TraceOf(L"{+}"), "16v 187v 187^ 16^");
    EXPECT_EQ(f.TraceOf(L"{^}"), "16v 54v 54^ 16^");
    EXPECT_EQ(f.TraceOf(L"{%}"), "16v 53v 53^ 16^");
    EXPECT_EQ(f.TraceOf(L"{~}"), "16v 192v 192^ 16^");
    EXPECT_EQ(f.TraceOf(L"{(}{)}"), "16v 57v 57^ 16^ 16v 48v 48^ 16^");
    EXPECT_EQ(f.TraceOf(L"{{}"), "16v 219v 219^ 16^");
    EXPECT_EQ(f.TraceOf(L"{}}"), "16v 221v 221^ 16^");
    EXPECT_EQ(f.TraceOf(L"{}"), "16v 221v 221^ 16^");
    EXPECT_TRUE(f.keyboard.KeysDown().empty());
}

TEST(PressSendKeys, ConsecutiveModifiersApplyTogetherAndABraceGroupTakesItsModifier) {
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(L"^%a"), "17v 18v 65v 65^ 18^ 17^");
    EXPECT_EQ(f.TraceOf(L"^%ab"), "17v 18v 65v 65^ 18^ 17^ 66v 66^");
    EXPECT_EQ(f.TraceOf(L"+^%(ab)c"), "16v 17v 18v 65v 65^ 66v 66^ 18^ 17^ 16^ 67v 67^");
    EXPECT_EQ(f.TraceOf(L"^+"), "17v 16v 16^ 17^");
    EXPECT_EQ(f.TraceOf(L"+{TAB}a"), "16v 9v 9^ 16^ 65v 65^");
    EXPECT_EQ(f.TraceOf(L"^+{TAB 2}a"), "17v 16v 9v 9^ 9v 9^ 16^ 17^ 65v 65^");
    // A brace group inside a parenthesised group leaves the outer modifier held until ")".
    EXPECT_EQ(f.TraceOf(L"+(a{TAB}b)c"), "16v 65v 65^ 9v 9^ 66v 66^ 16^ 67v 67^");
    EXPECT_TRUE(f.keyboard.KeysDown().empty());
}

TEST(PressSendKeys, ModifiersStillHeldAtTheEndAreReleasedMostRecentFirst) {
    test::KeysFixture f;
    EXPECT_EQ(f.TraceOf(L"+(ab"), "16v 65v 65^ 66v 66^ 16^");
    EXPECT_EQ(f.TraceOf(L"+(^(a"), "16v 17v 65v 65^ 17^ 16^");
    EXPECT_EQ(f.TraceOf(L"+{TAB"), "16v 9v 9^ 16^");
    EXPECT_TRUE(f.keyboard.KeysDown().empty());
}

TEST(PressSendKeys, FailuresKeepWhatWasSentReleaseHeldModifiersAndReportTheError) {
    test::KeysFixture f;
    // A string ending in "{" has no character to type.
    f.keyboard.ClearEvents();
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressSendKeys(L"a{"); }), 5);
    EXPECT_EQ(test::Trace(f.keyboard.Events()), "65v 65^");

    f.keyboard.ClearEvents();
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressSendKeys(L"+(a{"); }), 5);
    EXPECT_EQ(test::Trace(f.keyboard.Events()), "16v 65v 65^ 16^");

    // A count beyond the signed 32-bit range fails before any of its repetitions.
    f.keyboard.ClearEvents();
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressSendKeys(L"x^({TAB 2147483648}"); }), 6);
    EXPECT_EQ(test::Trace(f.keyboard.Events()), "88v 88^ 17v 17^");
    EXPECT_TRUE(f.keyboard.KeysDown().empty());

    // The largest count that fits is accepted, digit by digit; here "0"s keep it small.
    f.keyboard.ClearEvents();
    EXPECT_EQ(ErrorNumberOf([&] { f.keys.PressSendKeys(L"{TAB 00000000000000000002}"); }), 0);
    EXPECT_EQ(test::Trace(f.keyboard.Events()), "9v 9^ 9v 9^");
}

}  // namespace
}  // namespace tarvello
