// Reads an execute sent to the program's own DDE topic: a three-character server number followed by a
// command word. The only word understood is "start", in any letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvello {

// The server number of a "start" command, or nullopt when the command is to be refused. The number is
// exactly three decimal digits (000 to 999); signs, blanks and other forms are refused. The rest of the
// string, lower-cased, must be exactly "start": nothing before, after or inside it.
std::optional<std::int16_t> ParseStartCommand(const std::wstring& command);

}  // namespace tarvello
