// The real Windows services of one program run, and the platform the core sees them through.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_bearing_source_com.h"
#include "platform/win32/win32_clock_locale.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_help.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_tree.h"

namespace tarvello::app {

struct Win32Services {
    win32::Win32Dde dde;
    win32::Win32Keyboard keyboard;
    win32::Win32WindowTree windows;
    win32::Win32Profile profile;
    win32::Win32Help help;
    win32::Win32ClockLocale clock;
    win32::Win32EventLoop loop;
    win32::Win32Files files;
    win32::Win32Shell shell;
    win32::ComBearingSourceFactory bearingSource;

    // The platform with two services put in place of the real ones, as a measuring run does.
    Platform With(Dde& ddeInstead, WindowTree& windowsInstead) {
        return {ddeInstead, keyboard, windowsInstead, profile, help, clock, loop, files, shell, bearingSource};
    }
    Platform AsPlatform() { return With(dde, windows); }
};

}  // namespace tarvello::app
