// The key-sequence interpreter of KeystrokeSynthesiser: "+", "^", "%" hold Shift, Ctrl, Alt over the next character,
// a parenthesised group or a brace group; "~" is Enter; "{NAME count}" names a key and repeats it.
#include <algorithm>
#include <limits>

#include "automation/key_name_table.h"
#include "automation/keystroke_synthesiser.h"
#include "automation/upper_case.h"
#include "base/program_error.h"

namespace tarvello {
namespace {

constexpr std::int32_t kEnter = 13;

std::int32_t ModifierKey(wchar_t c) {
    switch (c) {
        case L'+':
            return 16;
        case L'^':
            return 17;
        case L'%':
            return 18;
        default:
            return 0;
    }
}

}  // namespace

void KeystrokeSynthesiser::PressSendKeys(const std::wstring& sKeys) {
    std::wstring keys = sKeys;
    std::vector<HeldEntry> modifierStack;
    try {
        RunSendKeys(keys, modifierStack);
    } catch (...) {
        // A failure must not leave Shift, Ctrl or Alt down for whatever the user types next.
        ReleaseAllHeld(modifierStack);
        throw;
    }
    ReleaseAllHeld(modifierStack);
}

void KeystrokeSynthesiser::RunSendKeys(std::wstring& keys, std::vector<HeldEntry>& modifierStack) {
    // The string is rewritten while it runs, so its length is read afresh on every item.
    for (std::size_t pos = 0; pos < keys.size(); ++pos) {
        const wchar_t c = keys[pos];
        if (const std::int32_t modifier = ModifierKey(c); modifier != 0) {
            PressModifier(keys, pos, modifier, modifierStack);
        } else if (c == L'~') {
            PressKeyVK(kEnter, false, false, false);
        } else if (c == L')' || c == L'}') {
            PopModifier(modifierStack);
        } else if (c == L'{') {
            modifierStack.push_back({0, false});
            PressBraceGroup(keys, pos);
        } else if (c != L'(') {
            PressKey(std::wstring(1, c), false, false);
        }
        loop_.ProcessPendingEvents();
    }
}

void KeystrokeSynthesiser::PressModifier(std::wstring& keys,
                                         std::size_t pos,
                                         std::int32_t virtualKey,
                                         std::vector<HeldEntry>& modifierStack) {
    PressKeyVK(virtualKey, true, false, false);
    const std::size_t next = pos + 1;
    if (next >= keys.size()) {
        // A modifier at the very end is pressed and released at once.
        modifierStack.push_back({virtualKey, false});
        keys += L"()";
        return;
    }
    const wchar_t following = keys[next];
    // In "^%a" and "+{TAB}" the modifier belongs to what follows the next modifier or the brace group,
    // so it is let go together with that.
    const bool releaseWithNext = ModifierKey(following) != 0 || following == L'{';
    modifierStack.push_back({virtualKey, releaseWithNext});
    if (releaseWithNext || following == L'(')
        return;
    keys.replace(next, 1, std::wstring{L'(', following, L')'});
}

void KeystrokeSynthesiser::PopModifier(std::vector<HeldEntry>& modifierStack) {
    bool popNext = !modifierStack.empty();
    while (popNext) {
        const HeldEntry top = modifierStack.back();
        if (top.virtualKey != 0)
            PressKeyVK(top.virtualKey, false, true, false);
        modifierStack.pop_back();
        popNext = !modifierStack.empty() && modifierStack.back().releaseWithEntryAbove;
    }
}

void KeystrokeSynthesiser::ReleaseAllHeld(std::vector<HeldEntry>& modifierStack) {
    while (!modifierStack.empty()) {
        const HeldEntry top = modifierStack.back();
        modifierStack.pop_back();
        if (top.virtualKey != 0)
            PressKeyVK(top.virtualKey, false, true, false);
    }
}

void KeystrokeSynthesiser::PressBraceGroup(const std::wstring& keys, std::size_t& pos) {
    std::wstring sChar;
    std::int32_t vkCode = 0;
    KeyNameToVK(pos, keys, sChar, vkCode);

    std::int32_t count = 1;
    if (pos < keys.size() && keys[pos] == L' ') {
        // Every character up to the "}" is a digit of the count; spaces and other characters count as 0.
        count = 0;
        for (; pos < keys.size() && keys[pos] != L'}'; ++pos) {
            const wchar_t c = keys[pos];
            const std::int32_t digit = (c >= L'0' && c <= L'9') ? c - L'0' : 0;
            if (count > (std::numeric_limits<std::int32_t>::max() - digit) / 10) {
                throw ProgramError(error_number::kOverflow);
            }
            count = count * 10 + digit;
        }
    }
    for (std::int32_t n = 0; n < count; ++n) {
        if (vkCode != 0) {
            PressKeyVK(vkCode, false, false, false);
            loop_.ProcessPendingEvents();
        } else {
            PressKey(sChar, false, false);
        }
    }
    // The main loop's step then lands on the character that ended the group, normally its "}".
    --pos;
}

void KeystrokeSynthesiser::KeyNameToVK(std::size_t& iPos,
                                       const std::wstring& sKeys,
                                       std::wstring& sChar,
                                       std::int32_t& vkCode) {
    sChar.clear();
    vkCode = 0;
    ++iPos;
    // The longest name that the text holds wins: the lengths are tried from the table's longest down.
    const auto& table = KeyNameTable();
    for (std::size_t length = table.back().name.size(); length >= table.front().name.size(); --length) {
        if (iPos >= sKeys.size() || sKeys.size() - iPos < length)
            continue;
        const std::wstring candidate = UpperCaseText(std::wstring_view(sKeys).substr(iPos, length));
        const auto entry = std::find_if(table.begin(), table.end(), [&](const KeyName& name) {
            return name.name.size() == length && name.name == candidate;
        });
        if (entry != table.end()) {
            vkCode = entry->virtualKey;
            iPos += length;
            return;
        }
    }
    if (iPos < sKeys.size())
        sChar.assign(1, sKeys[iPos]);
    ++iPos;
}

}  // namespace tarvello
