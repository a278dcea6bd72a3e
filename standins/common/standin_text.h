// Text helpers shared by the stand-ins and their tests: journal escaping and the WM_COPYDATA command language.
// Header-only and free of Windows types, so the tests can check them without starting a process.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// Tag in COPYDATASTRUCT::dwData of every control command ("TARV").
inline constexpr unsigned long kCopyDataTag = 0x54415256;
// Longest command text accepted; anything longer is refused whole.
inline constexpr std::size_t kMaxCommandBytes = 1024;

// The partner names are plain ASCII; DDEML and the journal want them as bytes.
inline std::string Narrow(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(static_cast<char>(c < 0x80 ? c : '?'));
    }
    return out;
}

// One journal line must hold any byte string: control bytes and the backslash are escaped, everything else
// (ANSI letters included) is written as is, so "003selectbearing245" reads the same in the journal.
inline std::string EscapeForJournal(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// Inverse of EscapeForJournal; nullopt for text that EscapeForJournal cannot have written.
inline std::optional<std::string> UnescapeJournal(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out.push_back('\\');
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && hex(text[i + 2]) >= 0 && hex(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hex(text[i + 2]) * 16 + hex(text[i + 3])));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

enum class CommandKind {
    SetCall,
    SetAngle,
    SetLocator,
    RefuseOn,
    RefuseOff,
    NoAnswerOn,
    NoAnswerOff,
    Announce,
    Drop,
    Quit
};

struct Command {
    CommandKind kind;
    std::string text;  // the value of a "set" command or the item of a "drop", exactly as sent
};

// Strips the one terminating NUL a sender may include; refuses empty, oversized or control-laden text.
inline std::optional<std::string_view> CommandText(const char* data, std::size_t size) {
    if (data == nullptr || size == 0)
        return std::nullopt;
    if (data[size - 1] == '\0')
        --size;
    if (size == 0 || size > kMaxCommandBytes)
        return std::nullopt;
    std::string_view text(data, size);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            return std::nullopt;
    }
    return text;
}

// Logger commands: "set call TEXT", "set angle TEXT", "set locator TEXT" (TEXT may be empty), "quit".
inline std::optional<Command> ParseLoggerCommand(std::string_view text) {
    if (text == "quit")
        return Command{CommandKind::Quit, {}};
    struct Setter {
        std::string_view word;
        CommandKind kind;
    };
    for (const Setter& s : {Setter{"set call", CommandKind::SetCall}, Setter{"set angle", CommandKind::SetAngle},
                            Setter{"set locator", CommandKind::SetLocator}}) {
        if (text == s.word)
            return Command{s.kind, {}};
        if (text.size() > s.word.size() && text.substr(0, s.word.size()) == s.word && text[s.word.size()] == ' ') {
            return Command{s.kind, std::string(text.substr(s.word.size() + 1))};
        }
    }
    return std::nullopt;
}

// DXView commands: "refuse on|off", "noanswer on|off", "announce", "drop ITEM" (end the conversations that hold
// a hot link on ITEM), "quit".
inline std::optional<Command> ParseDxViewCommand(std::string_view text) {
    if (text == "refuse on")
        return Command{CommandKind::RefuseOn, {}};
    if (text == "refuse off")
        return Command{CommandKind::RefuseOff, {}};
    if (text == "noanswer on")
        return Command{CommandKind::NoAnswerOn, {}};
    if (text == "noanswer off")
        return Command{CommandKind::NoAnswerOff, {}};
    if (text == "announce")
        return Command{CommandKind::Announce, {}};
    constexpr std::string_view kDrop = "drop ";
    if (text.size() > kDrop.size() && text.substr(0, kDrop.size()) == kDrop)
        return Command{CommandKind::Drop, std::string(text.substr(kDrop.size()))};
    if (text == "quit")
        return Command{CommandKind::Quit, {}};
    return std::nullopt;
}

}  // namespace standin
