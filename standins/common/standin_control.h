// What both stand-ins do alike: run their message loop, and take in a scripted command sent as WM_COPYDATA
// (journalling it, or journalling its rejection).
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "standin_journal.h"
#include "standin_text.h"

namespace standin {

// Runs until the stand-in's window posts WM_QUIT; returns the exit code.
inline int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// The command a WM_COPYDATA carries, parsed by parse; nullopt for anything that is not one. Either way the
// journal gets a COMMAND or a COMMAND-REJECTED line.
template <typename Parse>
auto ReceiveCommand(const COPYDATASTRUCT& data, Journal& journal, Parse parse) -> decltype(parse(std::string_view())) {
    const auto text =
        data.dwData == kCopyDataTag ? CommandText(static_cast<const char*>(data.lpData), data.cbData) : std::nullopt;
    const auto command = text ? parse(*text) : std::nullopt;
    if (!command) {
        const std::string_view raw(static_cast<const char*>(data.lpData),
                                   data.lpData != nullptr ? std::min<DWORD>(data.cbData, kMaxCommandBytes) : 0);
        journal.Write("COMMAND-REJECTED", raw);
        return std::nullopt;
    }
    journal.Write("COMMAND", *text);
    return command;
}

}  // namespace standin
