// The end-to-end fixture: a fresh program folder with Tarvello.exe, the stand-ins beside it, and helpers to
// start, script and read them. Every process it starts is ended when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "../../standins/common/standin_names.h"
#include "harness/desktop.h"
#include "support/child_process.h"
#include "support/test_env.h"

namespace e2e {

using test_support::ChildProcess;
using test_support::WaitFor;

class TarvelloE2E : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts L"DXView" or L"ContestLogger" and waits until it has published its DDE names and shown its window.
    ChildProcess* StartStandIn(const std::wstring& name, const std::wstring& arguments = L"");
    void StartTarvello();
    // Starts Tarvello, whose control window (main_) must then show within 15 s.
    void StartTarvelloShown();
    // DXView, the logger, and Tarvello shown.
    void StartAll(const std::wstring& loggerArguments = L"--angle 245", const std::wstring& dxviewArguments = L"");
    // The message of Tarvello's message box once it shows; AnswerMessageBox then presses its OK.
    std::wstring WaitForMessageBox();
    void AnswerMessageBox() const { PostMessageW(box_, WM_COMMAND, IDOK, 0); }
    // The caption tells whether Tarvello holds its links to DXView.
    bool ShowsConnected() const { return WindowText(main_).find(L" {DXV}") != std::wstring::npos; }
    // Sends a stand-in a control command as standin-ctl does; true when it carried it out.
    static bool Script(const char* standInClass, const std::string& command);
    // Clicks a button of Tarvello's window without waiting for what the click starts.
    void ClickLater(int controlId) const {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), LPARAM(GetDlgItem(main_, controlId)));
    }

    // The operator clicks into a window: it comes to the front and gets the keyboard. A test uses this to set
    // the scene, never to bring about what it checks.
    static bool ClickInto(HWND window);
    // Types one key (an X keysym such as "Return" or "F11") into whatever window has the keyboard, held as long
    // as a person holds it: a tenth of a second or more. The poller looks every 20 ms, and under Wine a key's
    // state can reach it up to 50 ms late (Wine caches the asynchronous key state that long).
    static bool TypeKey(const std::wstring& keysym) {
        return Xdotool(L"keydown " + keysym + L" sleep 0.2 keyup " + keysym);
    }
    // Runs xdotool (for example "keydown F11 sleep 0.4 keyup F11"); true when it ended with success.
    static bool Xdotool(const std::wstring& arguments);
    // Registers or unregisters the bearing-source stand-in in this Wine prefix with regsvr32.
    static bool RegisterBearingSource(bool registered);
    static HWND LoggerWindow() { return FindWindowA(standin::kLoggerWindowClass, nullptr); }
    static HWND DXViewWindow() { return FindWindowA(standin::kDxViewWindowClass, nullptr); }

    // Tarvello's program folder from now on: a folder named leaf inside the test's own, holding Tarvello.exe and
    // its help. The stand-ins' journals stay where they are.
    void UseProgramFolder(const std::wstring& leaf);
    // A file in Tarvello's program folder.
    std::wstring FolderFile(const std::wstring& name) const { return folder_ + L"\\" + name; }
    // The journal of L"DXView" or L"ContestLogger".
    std::wstring JournalFile(const std::wstring& standIn) const {
        return journals_ + L"\\" + standIn + L"-journal.txt";
    }
    // The texts of a stand-in's journal entries that match pattern as a whole, in order.
    std::vector<std::string> Entries(const std::wstring& standIn, const std::string& pattern) const;
    // Error.log holds its header and, unless entryPattern is empty, one entry that ends in it after the stamp.
    ::testing::AssertionResult ErrorLogHolds(const std::string& entryPattern = "") const;

    std::wstring folder_;
    std::wstring journals_;
    HWND main_ = nullptr;
    HWND box_ = nullptr;
    ChildProcess* tarvello_ = nullptr;
    ChildProcess* dxview_ = nullptr;
    std::vector<std::unique_ptr<ChildProcess>> processes_;
};

}  // namespace e2e
