// Profile files: the two private-profile string calls that IniAccess relies on.
#pragma once

#include <string>

namespace tarvello {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // GetPrivateProfileStringA with a buffer of bufferChars: the value (or the default) cut to
    // bufferChars - 1 characters. Empty section or key names are passed as empty names.
    virtual std::wstring GetString(const std::wstring& section,
                                   const std::wstring& key,
                                   const std::wstring& defaultValue,
                                   int bufferChars,
                                   const std::wstring& file) = 0;
    // WritePrivateProfileStringA; false when the write failed.
    virtual bool WriteString(const std::wstring& section,
                             const std::wstring& key,
                             const std::wstring& value,
                             const std::wstring& file) = 0;
};

}  // namespace tarvello
