// A whole simulated desktop: one of each platform family over one event loop and one disk. A test builds a
// fresh desktop, starts whatever partners it needs and hands platform() to a fresh program.
#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_clock_locale.h"
#include "platform/sim/sim_dde.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_help_bearing.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_window_tree.h"

namespace tarvello::sim {

struct SimDesktop {
    SimEventLoop loop;
    SimFiles files;
    SimDde dde{loop};
    SimKeyboard keyboard;
    SimWindowTree windows;
    SimProfile profile{files};
    SimHelp help;
    SimClockLocale clock;
    SimShell shell{files};
    SimBearingSourceFactory bearingSource;

    Platform platform() {
        return Platform{dde, keyboard, windows, profile, help, clock, loop, files, shell, bearingSource};
    }
};

}  // namespace tarvello::sim
