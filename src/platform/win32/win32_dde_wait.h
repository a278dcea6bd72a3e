// Waiting on the user-interface thread without freezing it: every wait for a DDE answer pumps messages,
// so the program keeps answering sent messages, timers and its own DDE topic meanwhile.
#pragma once

#include <functional>

namespace tarvello::win32 {

// Dispatches the thread's messages until done() holds or timeoutMs have passed; returns done().
// A WM_QUIT seen meanwhile ends the wait and is posted again for the outer message loop.
bool PumpMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs);

}  // namespace tarvello::win32
