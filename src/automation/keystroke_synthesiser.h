// Synthetic keystrokes for other programs: single keys by character or virtual-key code, typed strings,
// the lock-key states, and key-sequence strings such as "+(abc){TAB 3}~".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/keyboard.h"

namespace tarvello {

// Failures throw ProgramError 5 (invalid argument) or 6 (overflow); events already sent stay sent.
class KeystrokeSynthesiser {
public:
    KeystrokeSynthesiser(Keyboard& keyboard, EventLoop& loop) : keyboard_(keyboard), loop_(loop) {}

    // Presses and/or releases the key that types the first character of sKey, with the Shift, Ctrl and Alt
    // that character needs. bHold: key down only; bRelease: key up only; both: nothing.
    void PressKey(const std::wstring& sKey, bool bHold, bool bRelease);
    // Types sString one character at a time, pausing 20 ms after each.
    void PressString(const std::wstring& sString, bool bDoEvents);
    // Presses and/or releases one virtual key (0-255); bCompatible never sends it as extended.
    void PressKeyVK(std::int32_t keyPress, bool bHold, bool bRelease, bool bCompatible);
    // True for a lock that is on or whose key is held down right now.
    void GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock);
    // Interprets a key-sequence string. Never leaves a modifier down, also when it fails.
    void PressSendKeys(const std::wstring& sKeys);

private:
    struct HeldEntry {
        std::int32_t virtualKey;  // 16, 17, 18, or 0 for a brace group's marker
        bool releaseWithEntryAbove;
    };

    void RunSendKeys(std::wstring& keys, std::vector<HeldEntry>& modifierStack);
    void PressModifier(std::wstring& keys,
                       std::size_t pos,
                       std::int32_t virtualKey,
                       std::vector<HeldEntry>& modifierStack);
    void PopModifier(std::vector<HeldEntry>& modifierStack);
    void ReleaseAllHeld(std::vector<HeldEntry>& modifierStack);
    void PressBraceGroup(const std::wstring& keys, std::size_t& pos);
    // pos: on entry the position of "{"; on return just past the recognised name or the one character.
    void KeyNameToVK(std::size_t& iPos, const std::wstring& sKeys, std::wstring& sChar, std::int32_t& vkCode);
    bool IsExtendedKey(std::uint32_t code);

    Keyboard& keyboard_;
    EventLoop& loop_;
};

}  // namespace tarvello
