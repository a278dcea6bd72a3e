// FilesAndPauses: the file test of the start-up sequence, the INI path and the plain pause of the rotor stop.
#pragma once

#include <cstdint>
#include <string>

#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "settings/ini_access.h"

namespace tarvello {

class FilesAndPauses {
public:
    FilesAndPauses(Files& files, Shell& shell, EventLoop& loop) : files_(files), shell_(shell), loop_(loop) {}

    // True for an existing folder, or an existing file that is neither hidden nor a system file. A lookup that
    // fails, an empty path and a name pattern ("*", "?") give false; nothing is raised.
    bool FileExists(const std::wstring& path);
    // Points ini at program folder + "\" + executable base name + ".ini".
    void InitIniPath(IniAccess& ini);
    // Blocks the calling thread for ms milliseconds without handling messages. A negative count does not wait:
    // passed on, it would be read as an endless (or weeks-long) time-out and freeze the program with Control down.
    void WaitMilliseconds(std::int32_t ms);

private:
    Files& files_;
    Shell& shell_;
    EventLoop& loop_;
};

}  // namespace tarvello
