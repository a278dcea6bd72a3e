// The keyboard family on Windows: GetAsyncKeyState, keybd_event, VkKeyScanA, MapVirtualKeyA, GetKeyState.
#pragma once

#include <windows.h>

// windows.h maps these names to their ...W functions; in this program they name our interface's
// operations, and the Win32 calls are made by their explicit ...A names.
#undef VkKeyScan
#undef MapVirtualKey

#include "platform/keyboard.h"

namespace tarvello::win32 {

class Win32Keyboard : public Keyboard {
public:
    std::int16_t GetAsyncKeyState(int virtualKey) override;
    void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    // The character goes through the system ANSI code page; one that needs two bytes has no single key.
    std::int16_t VkKeyScan(wchar_t character) override;
    std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t mapType) override;
    std::int16_t GetKeyState(int virtualKey) override;
};

}  // namespace tarvello::win32
