// Parser of the executes that ask the program to connect to a server.
#include "dde_link/execute_command.h"

#include "partners/partners.h"

namespace tarvello {
namespace {

constexpr std::size_t kNumberLength = 3;

// Only A-Z change: no other character lower-cases into a letter of "start", so the comparison needs no locale.
wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsDecimalDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

std::optional<std::int16_t> ParseStartCommand(const std::wstring& command) {
    if (command.size() != kNumberLength + partners::kStartCommand.size())
        return std::nullopt;
    std::int16_t number = 0;
    for (std::size_t i = 0; i < kNumberLength; ++i) {
        if (!IsDecimalDigit(command[i]))
            return std::nullopt;
        number = static_cast<std::int16_t>(number * 10 + (command[i] - L'0'));
    }
    for (std::size_t i = 0; i < partners::kStartCommand.size(); ++i) {
        if (AsciiLower(command[kNumberLength + i]) != partners::kStartCommand[i])
            return std::nullopt;
    }
    return number;
}

}  // namespace tarvello
