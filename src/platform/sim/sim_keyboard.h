// Simulated keyboard: a 256-entry key-state table that follows the events sent, a recording of every event,
// an asynchronous key state that tests drive, and a US layout for key scans and mappings.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/keyboard.h"

namespace tarvello::sim {

struct KeyEvent {
    std::uint8_t virtualKey;
    std::uint8_t scanCode;
    std::uint32_t flags;
    bool operator==(const KeyEvent&) const = default;
};

class SimKeyboard : public Keyboard {
public:
    SimKeyboard();

    std::int16_t ReadKeyState(int virtualKey) override;
    void SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    std::int16_t KeyForCharacter(wchar_t character) override;
    std::uint32_t MapKeyCode(std::uint32_t code, std::uint32_t mapType) override;
    std::int16_t ReadToggleState(int virtualKey) override;

    // The operator presses a key (down, and newly pressed since the last query) or lets it go.
    void PressPhysicalKey(int virtualKey);
    void ReleasePhysicalKey(int virtualKey);
    // The next ReadKeyState of this key returns exactly these words, one per query.
    void QueueAsyncState(int virtualKey, std::int16_t word) { queued_[virtualKey].push_back(word); }
    const std::vector<int>& AsyncReads() const { return asyncReads_; }

    const std::vector<KeyEvent>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }
    // Keys left down by synthetic events.
    std::vector<int> KeysDown() const;
    bool IsDown(int virtualKey) const { return down_[virtualKey & 0xFF]; }

    // Layout overrides for tests (for example AltGr characters); -1 means no key types the character.
    void SetKeyScan(wchar_t character, std::int16_t result) { scanOverrides_[character] = result; }
    void SetLockToggled(int virtualKey, bool on) { toggled_[virtualKey & 0xFF] = on; }

private:
    std::array<bool, 256> down_{};
    std::array<bool, 256> toggled_{};
    std::array<bool, 256> physicalDown_{};
    std::array<bool, 256> pressedSinceQuery_{};
    std::map<int, std::deque<std::int16_t>> queued_;
    std::map<wchar_t, std::int16_t> scanOverrides_;
    std::vector<int> asyncReads_;
    std::vector<KeyEvent> events_;
};

}  // namespace tarvello::sim
