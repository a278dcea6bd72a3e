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
    Fenced([this] { mainWindow_.Command2_Click(); });
}

void ProgramEvents::SelectBearingClicked() {
    Fenced([this] { mainWindow_.SelectBearingCmd_Click(); });
}

void ProgramEvents::LongPathClicked() {
    Fenced([this] { mainWindow_.LPCmd_Click(); });
}

void ProgramEvents::Command1Clicked() {
    Fenced([this] { mainWindow_.Command1_Click(); });
}

void ProgramEvents::Unloading() {
    Fenced([this] { mainWindow_.Form_Unload(); });
}

void ProgramEvents::Destroyed() {
    PostQuitMessage(0);
}

}  // namespace tarvello::app
