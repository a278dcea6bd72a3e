// CP_ACP conversion through WideCharToMultiByte / MultiByteToWideChar; embedded NULs are kept.
#include "platform/win32/win32_ansi.h"

#include <windows.h>

namespace tarvello::win32 {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
    return text;
}

}  // namespace tarvello::win32
