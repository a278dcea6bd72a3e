// The fence: a failure the logic lets escape from a click or from the unload is dropped here, so the window
// stays usable and a close still closes.
#include "app/program_events.h"

#include <windows.h>

namespace tarvello::app {
namespace {

template <typename Action>
void Fenced(Action action) {
    try {
        action();
    } catch (...) {
        // Nothing may unwind through the window procedure; the logic reports what it wants reported.
    }
}

}  // namespace

void ProgramEvents::HelpClicked() {
    Fenced([this] { mainWindow_.OnHelpButton(); });
}

void ProgramEvents::SendBearingClicked() {
    Fenced([this] { mainWindow_.OnSendBearingButton(); });
}

void ProgramEvents::LongPathClicked() {
    Fenced([this] { mainWindow_.OnLongPathButton(); });
}

void ProgramEvents::TakeBearingClicked() {
    Fenced([this] { mainWindow_.OnTakeBearingButton(); });
}

void ProgramEvents::Unloading() {
    Fenced([this] { mainWindow_.ShutDown(); });
}

void ProgramEvents::Destroyed() {
    PostQuitMessage(0);
}

}  // namespace tarvello::app
