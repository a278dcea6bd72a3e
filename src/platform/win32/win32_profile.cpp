// Profile files on Windows. Every name goes over as an ANSI string, never as a null pointer: a null section or
// key would ask for a listing, a null value would delete the key.
#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <vector>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {

std::wstring Win32Profile::GetString(const std::wstring& section,
                                     const std::wstring& key,
                                     const std::wstring& defaultValue,
                                     int bufferChars,
                                     const std::wstring& file) {
    if (bufferChars <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(bufferChars), '\0');
    GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(defaultValue).c_str(), buffer.data(),
                             static_cast<DWORD>(bufferChars), ToAnsi(file).c_str());
    // The count the call returns is not trusted: the text ends at the first NUL, at most one short of the size.
    buffer.back() = '\0';
    return FromAnsi(std::string(buffer.data()));
}

bool Win32Profile::WriteString(const std::wstring& section,
                               const std::wstring& key,
                               const std::wstring& value,
                               const std::wstring& file) {
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                                      ToAnsi(file).c_str()) != FALSE;
}

}  // namespace tarvello::win32
