// Simulated keyboard with a US layout.
#include "platform/sim/sim_keyboard.h"

#include <cwctype>

namespace tarvello::sim {
namespace {

// US layout: unshifted and shifted characters of the punctuation keys.
struct PunctuationKey {
    wchar_t plain;
    wchar_t shifted;
    std::uint8_t vk;
};
constexpr PunctuationKey kPunctuation[] = {
    {L';', L':', 0xBA},  {L'=', L'+', 0xBB}, {L',', L'<', 0xBC},  {L'-', L'_', 0xBD},
    {L'.', L'>', 0xBE},  {L'/', L'?', 0xBF}, {L'`', L'~', 0xC0},  {L'[', L'{', 0xDB},
    {L'\\', L'|', 0xDC}, {L']', L'}', 0xDD}, {L'\'', L'"', 0xDE},
};
constexpr wchar_t kShiftedDigits[] = L")!@#$%^&*(";

// Scan codes of the US layout's main keys.
std::uint32_t ScanCode(std::uint32_t vk) {
    static const std::map<std::uint32_t, std::uint32_t> kScan = {
        {8, 0x0E},    {9, 0x0F},    {13, 0x1C},   {16, 0x2A},   {17, 0x1D},   {18, 0x38},   {20, 0x3A},   {27, 0x01},
        {32, 0x39},   {33, 0x49},   {34, 0x51},   {35, 0x4F},   {36, 0x47},   {37, 0x4B},   {38, 0x48},   {39, 0x4D},
        {40, 0x50},   {45, 0x52},   {46, 0x53},   {144, 0x45},  {145, 0x46},  {0x30, 0x0B}, {0x31, 0x02}, {0x32, 0x03},
        {0x33, 0x04}, {0x34, 0x05}, {0x35, 0x06}, {0x36, 0x07}, {0x37, 0x08}, {0x38, 0x09}, {0x39, 0x0A}, {0x41, 0x1E},
        {0x42, 0x30}, {0x43, 0x2E}, {0x44, 0x20}, {0x45, 0x12}, {0x46, 0x21}, {0x47, 0x22}, {0x48, 0x23}, {0x49, 0x17},
        {0x4A, 0x24}, {0x4B, 0x25}, {0x4C, 0x26}, {0x4D, 0x32}, {0x4E, 0x31}, {0x4F, 0x18}, {0x50, 0x19}, {0x51, 0x10},
        {0x52, 0x13}, {0x53, 0x1F}, {0x54, 0x14}, {0x55, 0x16}, {0x56, 0x2F}, {0x57, 0x11}, {0x58, 0x2D}, {0x59, 0x15},
        {0x5A, 0x2C}, {0xBA, 0x27}, {0xBB, 0x0D}, {0xBC, 0x33}, {0xBD, 0x0C}, {0xBE, 0x34}, {0xBF, 0x35}, {0xC0, 0x29},
        {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B}, {0xDE, 0x28}};
    if (vk >= 112 && vk <= 121)
        return 0x3B + (vk - 112);  // F1..F10
    if (vk == 122)
        return 0x57;  // F11
    if (vk == 123)
        return 0x58;  // F12
    auto it = kScan.find(vk);
    return it == kScan.end() ? 0 : it->second;
}

// The character a key types unshifted, 0 for keys that type none.
std::uint32_t KeyCharacter(std::uint32_t vk) {
    if (vk >= 0x30 && vk <= 0x39)
        return vk;
    if (vk >= 0x41 && vk <= 0x5A)
        return vk;
    if (vk == 8 || vk == 9 || vk == 13 || vk == 27 || vk == 32)
        return vk;
    for (const auto& key : kPunctuation) {
        if (key.vk == vk)
            return key.plain;
    }
    return 0;
}

}  // namespace

SimKeyboard::SimKeyboard() = default;

std::int16_t SimKeyboard::ReadKeyState(int virtualKey) {
    asyncReads_.push_back(virtualKey);
    auto& queue = queued_[virtualKey];
    if (!queue.empty()) {
        std::int16_t word = queue.front();
        queue.pop_front();
        return word;
    }
    const int k = virtualKey & 0xFF;
    std::uint16_t word = physicalDown_[k] ? 0x8000 : 0;
    if (pressedSinceQuery_[k])
        word |= 1;
    pressedSinceQuery_[k] = false;
    return static_cast<std::int16_t>(word);
}

void SimKeyboard::SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    events_.push_back({virtualKey, scanCode, flags});
    const bool up = (flags & keyevent::kKeyUp) != 0;
    if (!up && !down_[virtualKey] && (virtualKey == 20 || virtualKey == 144 || virtualKey == 145)) {
        toggled_[virtualKey] = !toggled_[virtualKey];
    }
    down_[virtualKey] = !up;
}

std::int16_t SimKeyboard::KeyForCharacter(wchar_t c) {
    if (auto it = scanOverrides_.find(c); it != scanOverrides_.end())
        return it->second;
    if (c >= L'a' && c <= L'z')
        return static_cast<std::int16_t>(std::towupper(c));
    if (c >= L'A' && c <= L'Z')
        return static_cast<std::int16_t>(0x100 | c);
    if (c >= L'0' && c <= L'9')
        return static_cast<std::int16_t>(c);
    for (int d = 0; d < 10; ++d) {
        if (kShiftedDigits[d] == c)
            return static_cast<std::int16_t>(0x100 | (0x30 + d));
    }
    for (const auto& key : kPunctuation) {
        if (key.plain == c)
            return key.vk;
        if (key.shifted == c)
            return static_cast<std::int16_t>(0x100 | key.vk);
    }
    switch (c) {
        case L' ':
            return 32;
        case L'\t':
            return 9;
        case L'\r':
            return 13;
        case L'\b':
            return 8;
        case 0x1B:
            return 27;
        default:
            return -1;
    }
}

std::uint32_t SimKeyboard::MapKeyCode(std::uint32_t code, std::uint32_t mapType) {
    // Like the real call, the whole value is looked up: a shift-state byte makes it an unknown key. The map types
    // are Windows' own numbers, not the program's names for them, so that a wrong name shows in the tests.
    constexpr std::uint32_t kWindowsVkToVsc = 0;   // MAPVK_VK_TO_VSC
    constexpr std::uint32_t kWindowsVkToChar = 2;  // MAPVK_VK_TO_CHAR
    if (mapType == kWindowsVkToVsc)
        return ScanCode(code);
    if (mapType == kWindowsVkToChar)
        return KeyCharacter(code);
    return 0;
}

std::int16_t SimKeyboard::ReadToggleState(int virtualKey) {
    const int k = virtualKey & 0xFF;
    std::uint16_t word = (down_[k] || physicalDown_[k]) ? 0xFF80 : 0;
    if (toggled_[k])
        word |= 1;
    return static_cast<std::int16_t>(word);
}

void SimKeyboard::PressPhysicalKey(int virtualKey) {
    physicalDown_[virtualKey & 0xFF] = true;
    pressedSinceQuery_[virtualKey & 0xFF] = true;
}

void SimKeyboard::ReleasePhysicalKey(int virtualKey) {
    physicalDown_[virtualKey & 0xFF] = false;
}

std::vector<int> SimKeyboard::KeysDown() const {
    std::vector<int> keys;
    for (int k = 0; k < 256; ++k) {
        if (down_[k])
            keys.push_back(k);
    }
    return keys;
}

}  // namespace tarvello::sim
