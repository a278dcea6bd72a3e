// How the stand-ins' own windows look: the arrow cursor, the plain application icon, a dialog background.
#pragma once

#include <windows.h>

#include "platform/win32/win32_window_host.h"

namespace standin {

inline tarvello::win32::WindowClassLook StandInLook() {
    tarvello::win32::WindowClassLook look;
    look.icon = LoadIcon(nullptr, IDI_APPLICATION);
    look.cursor = LoadCursor(nullptr, IDC_ARROW);
    look.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return look;
}

}  // namespace standin
