// Shell family: the program's identity (folder, executable name, version record), its message box, and ending
// the process at once.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

// The program's version record (VERSIONINFO on Windows).
struct VersionRecord {
    std::wstring productName;
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual std::wstring ProgramFolder() = 0;  // without trailing separator
    virtual std::wstring ExeBaseName() = 0;    // file name without extension
    virtual VersionRecord ProgramVersion() = 0;
    // Modal box with only an OK button and the critical icon; message handling goes on while it is open.
    virtual void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) = 0;
    // Ends the process at once: no unload handler, nothing after it runs.
    virtual void EndProcessNow() = 0;
};

}  // namespace tarvello
