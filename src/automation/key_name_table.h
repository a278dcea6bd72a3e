// The 33 key names that a brace group of a key-sequence string may use, with their virtual-key codes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvello {

struct KeyName {
    std::wstring_view name;  // upper case
    std::int32_t virtualKey;
};

// In table order: by length, shortest first, and within one length in the order names are tried.
std::span<const KeyName> KeyNameTable();

}  // namespace tarvello
