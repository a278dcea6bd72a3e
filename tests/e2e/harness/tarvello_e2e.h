// The end-to-end fixture: a fresh program folder with Tarvello.exe, the stand-ins beside it, and helpers to
// start, script and read them. Every process it starts is ended when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/desktop.h"
#include "support/child_process.h"

namespace e2e {

using test_support::ChildProcess;

class TarvelloE2E : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The build's bin folder, as a Windows path.
    static std::wstring BinFolder();

    ChildProcess& StartDXView(const std::wstring& arguments = L"");
    ChildProcess& StartLogger(const std::wstring& arguments = L"");
    ChildProcess& StartTarvello();
    // Waits for Tarvello's control window to be shown; nullptr when it was not within the time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    // Sends a stand-in a WM_COPYDATA command; true when it accepted it.
    bool Script(const char* standInClass, const std::string& command);
    bool ScriptLogger(const std::string& command);
    bool ScriptDXView(const std::string& command);

    // Runs a Linux program (Wine starts Unix executables natively) and returns its exit code, -1 on failure.
    static int RunUnix(const std::wstring& commandLine, DWORD timeoutMs = 10000);
    // The operator clicks into a window: it comes to the front and gets the keyboard. A test uses this to set
    // the scene, never to bring about what it checks.
    bool ClickInto(HWND window);
    // Types one key (an X keysym such as "Return" or "F11") into whatever window has the keyboard, held as long
    // as a person holds it.
    bool TypeKey(const std::string& keysym);
    // Runs xdotool key actions on whatever window has the keyboard (for example "keydown F11 sleep 0.4 keyup F11").
    bool Xdotool(const std::wstring& actions);
    // Registers or unregisters the bearing-source stand-in in this Wine prefix with regsvr32.
    static bool RegisterBearingSource(bool registered);
    HWND LoggerWindow() const;
    HWND DXViewWindow() const;
    // Clicks a button of Tarvello's window without waiting for what the click starts.
    static void ClickLater(HWND main, int controlId);

    std::wstring FolderFile(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::vector<std::string> DXViewJournal() const { return ReadLines(FolderFile(L"DXView-journal.txt")); }
    std::vector<std::string> LoggerJournal() const { return ReadLines(FolderFile(L"ContestLogger-journal.txt")); }
    // Journal lines containing text.
    static std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& text);

    std::wstring folder_;
    ChildProcess* tarvello_ = nullptr;
    ChildProcess* dxview_ = nullptr;
    ChildProcess* logger_ = nullptr;
    std::vector<std::unique_ptr<ChildProcess>> processes_;
};

}  // namespace e2e
