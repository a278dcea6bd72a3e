// DXView stand-in's main window: the DDE service "DXView", the execute switches (refuse, never answer) as
// check boxes and as control commands, the "003start" announcement to Tarvello, and the journal.
#pragma once

#include <windows.h>

#include <string>

#include "../common/standin_dde_server.h"
#include "../common/standin_journal.h"
#include "dxview_info.h"
#include "platform/win32/win32_window_host.h"

namespace standin {

struct DxViewOptions {
    std::string journalPath;
    bool refuse = false;
    bool noAnswer = false;
    unsigned long slowMs = 0;  // how late each execute is answered
    bool infoWindow = true;
    bool announce = false;
};

class DxViewWindow {
public:
    explicit DxViewWindow(const DxViewOptions& options);
    bool Create(HINSTANCE instance, int show);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HDDEDATA OnExecute(const std::string& topic, const std::string& command);
    bool Apply(const std::string& command);
    std::string ItemValue(const std::string& item) const;
    void OnClick(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnCopyData(const COPYDATASTRUCT& data);
    void SetMode(bool& flag, int checkBoxId, const char* name, bool on);
    void Announce();
    // Keeps handling messages for ms, as a busy program that still answers its window would.
    void StayResponsiveFor(unsigned long ms);
    void OnClose();

    DxViewOptions options_;
    Journal journal_;
    DdeServer server_;
    DxViewInfo info_;
    tarvello::win32::WindowHost host_;
    std::string lastCommand_;
    std::string bearing_ = "0";
    std::string rotor_ = "steht";
};

}  // namespace standin
