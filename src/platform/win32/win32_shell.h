// The shell family on Windows: module file name, VERSIONINFO, the message box and the process end.
#pragma once

#include "platform/shell.h"

namespace tarvello::win32 {

class Win32Shell : public Shell {
public:
    std::wstring ProgramFolder() override;
    std::wstring ExeBaseName() override;
    VersionRecord ProgramVersion() override;
    void ShowCriticalMessage(const std::wstring& text, const std::wstring& title) override;
    void EndProcessNow() override;
};

}  // namespace tarvello::win32
