// Looking at the Wine desktop from an end-to-end test: finding windows and reading their texts, pixels and files.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The first top-level window of process processId with this class and, unless title is nullptr, this title.
HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
std::wstring WindowText(HWND window);
// A control's current text, asked of the process that owns it.
std::wstring ChildText(HWND parent, int controlId);

std::string ReadFileBytes(const std::wstring& path);
// Creates or replaces the file with exactly these bytes; false when it cannot be written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace e2e
