// What every Wine test needs around it: the build's programs, fresh files of its own, and waits that keep this
// thread's windows answering.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace test_support {

// Full Windows path of a file in the build's bin folder (environment TARVELLO_BIN; a Unix path maps to Z:).
std::wstring BinPath(const std::wstring& name);
// A path of its own in the temporary folder for each call, with nothing there yet.
std::wstring FreshTempPath(const std::wstring& stem);
// A name no other test run uses, so that leftovers of another run cannot answer.
std::wstring UniqueName(const std::wstring& stem);
// Waits until condition holds, handling this thread's messages meanwhile; false at the time-out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// The ProgramError number call throws, 0 when it returns.
int ErrorOf(const std::function<void()>& call);
// Plain ASCII text both ways, for names and paths the tests make themselves.
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);

}  // namespace test_support
