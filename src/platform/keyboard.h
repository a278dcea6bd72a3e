// Keyboard family: the system-wide key state and synthetic key events.
#pragma once

#include <cstdint>

namespace tarvello {

namespace keyevent {
inline constexpr std::uint32_t kExtendedKey = 1;
inline constexpr std::uint32_t kKeyUp = 2;
}  // namespace keyevent

namespace mapvk {
inline constexpr std::uint32_t kVkToVsc = 0;
inline constexpr std::uint32_t kVkToChar = 2;
}  // namespace mapvk

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // GetAsyncKeyState: bit 15 down now, bit 0 pressed since the previous query of this key.
    virtual std::int16_t ReadKeyState(int virtualKey) = 0;
    // keybd_event: one key event into the system input.
    virtual void SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
    // VkKeyScanA of a character converted to the system code page: low byte the key, high byte the
    // shift state (0x100 Shift, 0x200 Ctrl, 0x400 Alt); -1 when no key types it.
    virtual std::int16_t KeyForCharacter(wchar_t character) = 0;
    // MapVirtualKeyA: the scan code of a key (mapvk::kVkToVsc) or the character it types (mapvk::kVkToChar, 0 for
    // none).
    virtual std::uint32_t MapKeyCode(std::uint32_t code, std::uint32_t mapType) = 0;
    // GetKeyState: bit 15 down, bit 0 toggled.
    virtual std::int16_t ReadToggleState(int virtualKey) = 0;
};

}  // namespace tarvello
