// Shared helpers of the keystroke tests: a simulated keyboard and event loop, and a compact trace of key events.
#pragma once

#include <string>

#include "automation/keystroke_synthesiser.h"
#include "error_number_of.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_keyboard.h"

namespace tarvello::test {

// "16v 65v 65^ 16^": each event's virtual key, 'v' for down and '^' for up, in order.
inline std::string Trace(const std::vector<sim::KeyEvent>& events) {
    std::string trace;
    for (const sim::KeyEvent& e : events) {
        if (!trace.empty())
            trace += ' ';
        trace += std::to_string(e.virtualKey) + ((e.flags & keyevent::kKeyUp) ? "^" : "v");
    }
    return trace;
}

struct KeysFixture {
    sim::SimEventLoop loop;
    sim::SimKeyboard keyboard;
    KeystrokeSynthesiser keys{keyboard, loop};

    std::string TraceOf(const std::wstring& sendKeys) {
        keyboard.ClearEvents();
        keys.PressSendKeys(sendKeys);
        return Trace(keyboard.Events());
    }
};

}  // namespace tarvello::test
