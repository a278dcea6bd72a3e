// The keyboard family on Windows.
#include "platform/win32/win32_keyboard.h"

#include <windows.h>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {

std::int16_t Win32Keyboard::ReadKeyState(int virtualKey) {
    return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
}

void Win32Keyboard::SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    ::keybd_event(virtualKey, scanCode, flags, 0);
}

std::int16_t Win32Keyboard::KeyForCharacter(wchar_t character) {
    const std::string ansi = ToAnsi(std::wstring(1, character));
    if (ansi.size() != 1)
        return -1;
    return static_cast<std::int16_t>(::VkKeyScanA(ansi[0]));
}

std::uint32_t Win32Keyboard::MapKeyCode(std::uint32_t code, std::uint32_t mapType) {
    return ::MapVirtualKeyA(code, mapType);
}

std::int16_t Win32Keyboard::ReadToggleState(int virtualKey) {
    return static_cast<std::int16_t>(::GetKeyState(virtualKey));
}

}  // namespace tarvello::win32
