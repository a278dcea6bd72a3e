// Files family: what a path names, and appending one line to a text file.
#pragma once

#include <optional>
#include <string>

namespace tarvello {

struct FileAttributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

class Files {
public:
    virtual ~Files() = default;
    // The attributes of an existing file or folder; nullopt when the lookup fails.
    virtual std::optional<FileAttributes> Attributes(const std::wstring& path) = 0;
    // Opens for appending (creating the file), writes line + CR LF in the ANSI code page, closes.
    // Throws ProgramError when the file cannot be opened or written.
    virtual void AppendLine(const std::wstring& path, const std::wstring& line) = 0;
};

}  // namespace tarvello
