// Shell family: the program's folder and name, files, message boxes, ending the process, timers and waits.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvello {

struct FileAttributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

using TimerId = std::uint32_t;

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
    // The attributes of an existing file or folder; nullopt when the lookup fails.
    virtual std::optional<FileAttributes> GetAttributes(const std::wstring& path) = 0;
    // Opens for appending (creating the file), writes line + CR LF in the ANSI code page, closes.
    // Throws ProgramError when the file cannot be opened or written.
    virtual void AppendLine(const std::wstring& path, const std::wstring& line) = 0;
    // Modal box with only an OK button and the critical icon; message handling goes on while it is open.
    virtual void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) = 0;
    // Ends the process at once: no unload handler, nothing after it runs.
    virtual void EndProcessNow() = 0;
    // A timer on the user-interface thread; tick runs through the message loop every intervalMs.
    virtual TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> tick) = 0;
    virtual void StopTimer(TimerId id) = 0;
    virtual void Pause(std::uint32_t ms) = 0;             // plain pause of the calling thread
    virtual void WaitOnOwnProcess(std::uint32_t ms) = 0;  // WaitForSingleObject(current process, ms)
    virtual void ProcessPendingEvents() = 0;              // one pass of the message loop
};

}  // namespace tarvello
