// The German program log "Error.log" beside the executable: one line per entry, the local date-time text
// followed by the entry text, appended and closed at once.
#pragma once

#include <string>

#include "platform/clock_locale.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace tarvello {

class ProgramLog {
public:
    ProgramLog(Files& files, Shell& shell, ClockLocale& clock) : files_(files), shell_(shell), clock_(clock) {}

    std::wstring Path() const;
    // Writes the one header line into a log that is not there yet. Throws ProgramError when it cannot.
    void CreateWithHeader();
    // Appends the date-time text and entryText as one line. Throws ProgramError when the file cannot be written.
    void Append(const std::wstring& entryText);

private:
    Files& files_;
    Shell& shell_;
    ClockLocale& clock_;
};

}  // namespace tarvello
