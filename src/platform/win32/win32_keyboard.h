// The keyboard family on Windows: GetAsyncKeyState, keybd_event, VkKeyScanA, MapVirtualKeyA and GetKeyState.
#pragma once

#include <windows.h>

#include "platform/keyboard.h"

namespace tarvello::win32 {

class Win32Keyboard : public Keyboard {
public:
    std::int16_t ReadKeyState(int virtualKey) override;
    void SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    // The character goes through the system ANSI code page; one that needs two bytes has no single key.
    std::int16_t KeyForCharacter(wchar_t character) override;
    std::uint32_t MapKeyCode(std::uint32_t code, std::uint32_t mapType) override;
    std::int16_t ReadToggleState(int virtualKey) override;
};

}  // namespace tarvello::win32
