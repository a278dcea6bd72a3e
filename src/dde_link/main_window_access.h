// What the DXView link needs of the control window: its caption, two of its boxes and its program log.
#pragma once

#include <string>

namespace tarvello {

class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;
    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual void SetBearingText(const std::wstring& text) = 0;         // the Bearing box
    virtual void SetCurrentBearingText(const std::wstring& text) = 0;  // the hidden CurrentBearing box
    // Appends one entry to "Error.log": the date-time text followed by entryText (which begins with a blank).
    // Throws ProgramError when the file cannot be written.
    virtual void AppendProgramLog(const std::wstring& entryText) = 0;
};

}  // namespace tarvello
