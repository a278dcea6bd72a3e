// The files family on Windows: attributes and line appends through the ...A calls in the ANSI code page.
#pragma once

#include "platform/files.h"

namespace tarvello::win32 {

class Win32Files : public Files {
public:
    std::optional<FileAttributes> Attributes(const std::wstring& path) override;
    void AppendLine(const std::wstring& path, const std::wstring& line) override;
};

}  // namespace tarvello::win32
