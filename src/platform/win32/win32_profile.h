// Profile files on Windows: GetPrivateProfileStringA / WritePrivateProfileStringA in the ANSI code page.
#pragma once

#include <string>

#include "platform/profile.h"

namespace tarvello::win32 {

class Win32Profile : public ProfileStore {
public:
    std::wstring GetString(const std::wstring& section,
                           const std::wstring& key,
                           const std::wstring& defaultValue,
                           int bufferChars,
                           const std::wstring& file) override;
    bool WriteString(const std::wstring& section,
                     const std::wstring& key,
                     const std::wstring& value,
                     const std::wstring& file) override;
};

}  // namespace tarvello::win32
