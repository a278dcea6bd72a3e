// Every platform family the core uses, handed to the program object as one bundle.
#pragma once

#include "platform/bearing_source.h"
#include "platform/clock_locale.h"
#include "platform/dde.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/help.h"
#include "platform/keyboard.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/window_tree.h"

namespace tarvello {

struct Platform {
    Dde& dde;
    Keyboard& keyboard;
    WindowTree& windows;
    ProfileStore& profile;
    Help& help;
    ClockLocale& clock;
    EventLoop& loop;
    Files& files;
    Shell& shell;
    BearingSourceFactory& bearingSource;
};

}  // namespace tarvello
