// The keystroke primitives of KeystrokeSynthesiser: keys by character or virtual-key code, typed strings, lock states.
#include "automation/keystroke_synthesiser.h"

#include "base/program_error.h"

namespace tarvello {
namespace {

constexpr std::int32_t kShift = 16;
constexpr std::int32_t kControl = 17;
constexpr std::int32_t kAlt = 18;
constexpr std::int32_t kCapsLock = 20;
constexpr std::int32_t kNumLock = 144;
constexpr std::int32_t kScrollLock = 145;
constexpr std::uint32_t kPauseAfterCharacterMs = 20;

// keybd_event takes the key and the scan code as bytes; anything wider is an overflow.
std::uint8_t AsEventByte(std::int64_t value) {
    if (value < 0 || value > 255)
        throw ProgramError(error_number::kOverflow);
    return static_cast<std::uint8_t>(value);
}

}  // namespace

bool KeystrokeSynthesiser::IsExtendedKey(std::uint32_t code) {
    // Keys that type no character (arrows, function keys, Ctrl ...) go out as extended keys.
    return keyboard_.MapKeyCode(code, mapvk::kVkToChar) == 0;
}

void KeystrokeSynthesiser::PressKey(const std::wstring& sKey, bool bHold, bool bRelease) {
    if (sKey.empty())
        throw ProgramError(error_number::kInvalidArgument);
    const std::int16_t scan = keyboard_.KeyForCharacter(sKey.front());
    if (scan == 0 || scan == -1)
        return;
    // The whole scan result goes to the mapping, shift-state byte included, as the key was always sent.
    const auto code = static_cast<std::uint32_t>(static_cast<std::int32_t>(scan));
    const std::uint32_t ext = IsExtendedKey(code) ? keyevent::kExtendedKey : 0;
    // Checked before the first event, so a scan code that does not fit never leaves a modifier down.
    const std::uint8_t sc = AsEventByte(keyboard_.MapKeyCode(code, mapvk::kVkToVsc));
    const bool shift = (scan & 0x100) != 0;
    const bool control = (scan & 0x200) != 0;
    const bool alt = (scan & 0x400) != 0;
    const auto vk = static_cast<std::uint8_t>(scan & 0xFF);

    if (!bRelease) {
        if (shift)
            keyboard_.SendKeyEvent(kShift, 0, 0);
        if (control)
            keyboard_.SendKeyEvent(kControl, 0, 0);
        if (alt)
            keyboard_.SendKeyEvent(kAlt, 0, 0);
        keyboard_.SendKeyEvent(vk, sc, ext);
    }
    if (!bHold) {
        keyboard_.SendKeyEvent(vk, sc, ext | keyevent::kKeyUp);
        // Released in the order they were pressed.
        if (shift)
            keyboard_.SendKeyEvent(kShift, 0, keyevent::kKeyUp);
        if (control)
            keyboard_.SendKeyEvent(kControl, 0, keyevent::kKeyUp);
        if (alt)
            keyboard_.SendKeyEvent(kAlt, 0, keyevent::kKeyUp);
    }
}

void KeystrokeSynthesiser::PressString(const std::wstring& sString, bool bDoEvents) {
    for (wchar_t c : sString) {
        PressKey(std::wstring(1, c), false, false);
        loop_.Pause(kPauseAfterCharacterMs);
        if (bDoEvents)
            loop_.ProcessPendingEvents();
    }
}

void KeystrokeSynthesiser::PressKeyVK(std::int32_t keyPress, bool bHold, bool bRelease, bool bCompatible) {
    const auto code = static_cast<std::uint32_t>(keyPress);
    std::uint32_t ext = IsExtendedKey(code) ? keyevent::kExtendedKey : 0;
    const std::uint32_t sc = keyboard_.MapKeyCode(code, mapvk::kVkToVsc);
    if (bCompatible)
        ext = 0;
    if (!bRelease)
        keyboard_.SendKeyEvent(AsEventByte(keyPress), AsEventByte(sc), ext);
    if (!bHold)
        keyboard_.SendKeyEvent(AsEventByte(keyPress), AsEventByte(sc), ext | keyevent::kKeyUp);
}

void KeystrokeSynthesiser::GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock) {
    bCapsLock = keyboard_.ReadToggleState(kCapsLock) != 0;
    bNumLock = keyboard_.ReadToggleState(kNumLock) != 0;
    bScrollLock = keyboard_.ReadToggleState(kScrollLock) != 0;
}

}  // namespace tarvello
