// The contest logger stand-in's window: callsign, angle and locator boxes a person types in, each change
// published at once on every hot link, every key of the boxes journalled, control commands by WM_COPYDATA.
#pragma once

#include <windows.h>

#include <string>

#include "../common/standin_window.h"

namespace standin {

struct LoggerOptions {
    std::string journalPath;
    std::string call;
    std::string angle;
    std::string locator;
};

class LoggerWindow : public StandInWindow {
public:
    explicit LoggerWindow(const LoggerOptions& options);
    ~LoggerWindow() override { EndWindow(); }
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
    std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateBoxes();
    void OnBoxChanged(int id);
    bool OnCommand(const Command& command) override;
    Box* BoxOf(int id);
    std::string ItemValue(const std::string& item);

    LoggerOptions options_;
    Box boxes_[3];
    int lastFocusedBox_ = 0;  // where the keyboard goes back to when the window is activated
};

}  // namespace standin
