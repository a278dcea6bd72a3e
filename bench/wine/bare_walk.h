// The floor of the window finder's walk: the calls it must make for every window of the tree (first child, next
// sibling, class name into 64 characters, title length, title) and nothing else; the last window titled "SP".
#pragma once

#include <windows.h>

#include <cstring>

namespace bench {

struct BareWalk {
    int windows = 0;
    HWND sp = nullptr;

    void Below(HWND parent) {
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            Below(child);
            ++windows;
            char className[64];
            GetClassNameA(child, className, sizeof className);
            const int length = GetWindowTextLengthA(child);
            if (length <= 0)
                continue;
            char title[257];
            const int read = GetWindowTextA(child, title, (length > 256 ? 255 : length) + 1);
            if (read == 2 && std::strcmp(title, "SP") == 0)
                sp = child;
        }
    }
};

}  // namespace bench
