// Looking at the Wine desktop from an end-to-end test: waiting for conditions, finding windows, reading
// texts, pixels and files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace e2e {

using test_support::WaitFor;


// The first top-level window of this class (nullptr when className is empty: any class) whose title passes
// the test; process 0 means any process.
HWND FindTopLevel(const std::wstring& className,
                  const std::function<bool(const std::wstring&)>& titleTest,
                  DWORD processId = 0);
HWND FindTopLevelByTitle(const std::wstring& title, DWORD processId = 0);
std::wstring WindowText(HWND window);
std::wstring ChildText(HWND parent, int controlId);
// A visible top-level window of process processId that is a message box titled title; nullptr when none.
HWND FindMessageBox(DWORD processId, const std::wstring& title);
// The static text of a message box.
std::wstring MessageBoxText(HWND box);
// The colour of the screen pixel at the centre of a child control, as 0x00BBGGRR.
COLORREF ChildCentrePixel(HWND parent, int controlId);

std::string ReadFileBytes(const std::wstring& path);
// Creates or replaces the file with exactly these bytes; false when it cannot be written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::vector<std::string> ReadLines(const std::wstring& path);
std::wstring MakeFreshFolder(const std::wstring& name);
std::wstring EnvironmentValue(const wchar_t* name);
bool CopyInto(const std::wstring& fromFolder, const std::wstring& fileName, const std::wstring& toFolder);

}  // namespace e2e
