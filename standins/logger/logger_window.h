// The contest logger stand-in's window: callsign, angle and locator boxes a person types in, each change
// published at once on every hot link, every key of the boxes journalled, control commands by WM_COPYDATA.
#pragma once

#include <windows.h>

#include <string>

#include "../common/standin_dde_server.h"
#include "../common/standin_journal.h"
#include "platform/win32/win32_window_host.h"

namespace standin {

struct LoggerOptions {
    std::string journalPath;
    std::string call;
    std::string angle;
    std::string locator;
};

class LoggerWindow {
public:
    explicit LoggerWindow(const LoggerOptions& options);
    // Opens the journal, the DDE service and the window; false when one of them fails.
    bool Create(int show);

private:
    struct Box {
        const char* label;  // caption beside the box, also its name in the journal
        const char* item;   // DDE item it publishes
        int id;
        HWND edit = nullptr;
    };

    static LRESULT CALLBACK
    BoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR boxNumber, DWORD_PTR window);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateBoxes();
    void OnBoxChanged(int id);
    BOOL OnCopyData(const COPYDATASTRUCT& data);
    void OnClose();
    Box* BoxOf(int id);
    std::string ItemValue(const std::string& item);

    LoggerOptions options_;
    Journal journal_;
    DdeServer server_;
    tarvello::win32::WindowHost host_;
    Box boxes_[3];
    int lastFocusedBox_ = 0;  // where the keyboard goes back to when the window is activated
};

}  // namespace standin
