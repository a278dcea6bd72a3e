// Synthetic keys under Wine: seen by GetAsyncKeyState and received by the focused window of this process.
#include <gtest/gtest.h>

#include "automation/cls_keys.h"
#include "automation_win32_support.h"
#include "platform/win32/win32_event_loop.h"
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
    bool Down(int vk) { return (keyboard_.ReadKeyState(vk) & 0x8000) != 0; }
    // Pumps until the window has received the given number of characters; returns what it received.
    std::string Chars(std::size_t count) {
        test::PumpUntil([&] { return test::Received().chars.size() >= count; });
        return test::Received().chars;
    }

    HWND target_ = nullptr;
    win32::Win32Keyboard keyboard_;
    win32::Win32EventLoop loop_;
    clsKeys keys_{keyboard_, loop_};
};

TEST_F(KeysWin32, HeldControlIsSeenByGetAsyncKeyStateUntilReleased) {
    keyboard_.ReadKeyState(VK_CONTROL);  // clears the pressed-since bit
    keys_.PressKeyVK(VK_CONTROL, true, false, false);
    ASSERT_TRUE(test::PumpUntil([&] { return Down(VK_CONTROL) && !test::Received().keyDowns.empty(); }));
    EXPECT_EQ(test::Received().keyDowns, std::vector<int>{VK_CONTROL});
    keys_.PressKeyVK(VK_CONTROL, false, true, false);
    EXPECT_TRUE(test::PumpUntil([&] { return !Down(VK_CONTROL) && !test::Received().keyUps.empty(); }));
    EXPECT_EQ(test::Received().keyUps, std::vector<int>{VK_CONTROL});
}

TEST_F(KeysWin32, PressKeyVKAndPressKeyReachTheFocusedWindowAsKeysAndCharacters) {
    keys_.PressKeyVK('A', false, false, false);
    keys_.PressKey(L"b", false, false);
    keys_.PressKey(L"7", false, false);
    EXPECT_EQ(Chars(3), "ab7");
    EXPECT_EQ(test::Received().keyDowns, (std::vector<int>{'A', 'B', '7'}));
    EXPECT_EQ(test::Received().keyUps, (std::vector<int>{'A', 'B', '7'}));
    EXPECT_FALSE(Down('A'));
}

TEST_F(KeysWin32, ShiftedCharacterAndSendKeysStringArriveAsTyped) {
    keys_.PressSendKeys(L"+(ab)c~");
    EXPECT_EQ(Chars(4), "ABc\r");
    EXPECT_FALSE(Down(VK_SHIFT));
}

}  // namespace
}  // namespace tarvello
