// Synthetic keys under Wine: seen by GetAsyncKeyState and received by the focused window of this process.
#include <gtest/gtest.h>

#include "automation/cls_keys.h"
#include "automation_win32_support.h"
#include "platform/win32/win32_keyboard.h"

namespace tarvello {
namespace {

class KeysWin32 : public testing::Test {
protected:
    void SetUp() override {
        target_ = CreateWindowExA(0, test::RecordingClass(), "Tarvello key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  20, 20, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(target_, nullptr);
        SetForegroundWindow(target_);
        SetFocus(target_);
        ASSERT_TRUE(test::PumpUntil([&] { return GetForegroundWindow() == target_ && GetFocus() == target_; }))
            << "the target window did not get the keyboard focus";
        test::Received() = {};
    }
    void TearDown() override {
        // Whatever happened, no key stays down for the next test.
        for (int vk : {16, 17, 18, 65, 66})
            keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
        test::PumpOnce();
        DestroyWindow(target_);
    }

    HWND target_ = nullptr;
    win32::Win32Keyboard keyboard_;
    test::PumpingShell shell_;
    clsKeys keys_{keyboard_, shell_};
};

TEST_F(KeysWin32, HeldControlIsSeenByGetAsyncKeyStateUntilReleased) {
    keyboard_.GetAsyncKeyState(VK_CONTROL);  // clears the pressed-since bit
    keys_.PressKeyVK(VK_CONTROL, true, false, false);
    ASSERT_TRUE(test::PumpUntil([&] { return (keyboard_.GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }));
    EXPECT_TRUE(test::PumpUntil([] { return !test::Received().keyDowns.empty(); }));
    EXPECT_EQ(test::Received().keyDowns.front(), VK_CONTROL);

    keys_.PressKeyVK(VK_CONTROL, false, true, false);
    EXPECT_TRUE(test::PumpUntil([&] { return (keyboard_.GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }));
    EXPECT_TRUE(test::PumpUntil([] { return !test::Received().keyUps.empty(); }));
    EXPECT_EQ(test::Received().keyUps.front(), VK_CONTROL);
}

TEST_F(KeysWin32, PressKeyVKAndPressKeyReachTheFocusedWindowAsKeysAndCharacters) {
    keys_.PressKeyVK('A', false, false, false);
    keys_.PressKey(L"b", false, false);
    keys_.PressKey(L"7", false, false);
    ASSERT_TRUE(test::PumpUntil([] { return test::Received().chars.size() >= 3; }))
        << "received: '" << test::Received().chars << "'";
    EXPECT_EQ(test::Received().chars, "ab7");
    EXPECT_EQ(test::Received().keyDowns, (std::vector<int>{'A', 'B', '7'}));
    EXPECT_EQ(test::Received().keyUps, (std::vector<int>{'A', 'B', '7'}));
    EXPECT_EQ(keyboard_.GetAsyncKeyState('A') & 0x8000, 0);
}

TEST_F(KeysWin32, ShiftedCharacterAndSendKeysStringArriveAsTyped) {
    keys_.PressSendKeys(L"+(ab)c~");
    ASSERT_TRUE(test::PumpUntil([] { return test::Received().chars.size() >= 4; }))
        << "received: '" << test::Received().chars << "'";
    EXPECT_EQ(test::Received().chars, "ABc\r");
    EXPECT_EQ(keyboard_.GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
}

}  // namespace
}  // namespace tarvello
