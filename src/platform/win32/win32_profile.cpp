// Profile files on Windows, through the wide calls so that a file in a folder the ANSI code page cannot spell is
// reached. Sections, keys and values are first brought into the ANSI code page and back, so they are exactly
// the characters the file can hold; Windows writes a file without a byte-order mark in the ANSI code page, so
// its bytes are what the ANSI calls wrote. Nothing goes over as a null pointer: a null section or key would ask
// for a listing, a null value would delete the key.
#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <vector>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {
namespace {

std::wstring AsAnsiText(const std::wstring& text) {
    return FromAnsi(ToAnsi(text)).c_str();
}

}  // namespace

std::wstring Win32Profile::GetString(const std::wstring& section,
                                     const std::wstring& key,
                                     const std::wstring& defaultValue,
                                     int bufferChars,
                                     const std::wstring& file) {
    if (bufferChars <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferChars), L'\0');
    GetPrivateProfileStringW(AsAnsiText(section).c_str(), AsAnsiText(key).c_str(), AsAnsiText(defaultValue).c_str(),
                             buffer.data(), static_cast<DWORD>(bufferChars), file.c_str());
    // The count the call returns is not trusted: the text ends at the first NUL, at most one short of the size.
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

bool Win32Profile::WriteString(const std::wstring& section,
                               const std::wstring& key,
                               const std::wstring& value,
                               const std::wstring& file) {
    return WritePrivateProfileStringW(AsAnsiText(section).c_str(), AsAnsiText(key).c_str(), AsAnsiText(value).c_str(),
                                      file.c_str()) != FALSE;
}

}  // namespace tarvello::win32
