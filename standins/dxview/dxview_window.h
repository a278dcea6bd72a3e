// DXView stand-in's main window: the DDE service "DXView", the execute switches (refuse, never answer) as
// check boxes and as control commands, the "003start" announcement to Tarvello, and the journal.
#pragma once

#include <windows.h>

#include <string>

#include "../common/standin_window.h"
#include "dxview_info.h"

namespace standin {

struct DxViewOptions {
    std::string journalPath;
    bool refuse = false;
    bool noAnswer = false;
    unsigned long slowMs = 0;  // how late each execute is answered
    bool infoWindow = true;
    bool announce = false;
};

class DxViewWindow : public StandInWindow {
public:
    explicit DxViewWindow(const DxViewOptions& options);
    ~DxViewWindow() override { EndWindow(); }
    bool Create(HINSTANCE instance, int show);

private:
    std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HDDEDATA OnExecute(const std::string& topic, const std::string& command, const std::string& conversation);
    bool Apply(const std::string& command);
    std::string ItemValue(const std::string& item) const;
    void OnClick(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(const Command& command) override;
    void SetMode(bool& flag, int checkBoxId, const char* name, bool on);
    void Announce();
    // Keeps handling messages for ms, as a busy program that still answers its window would.
    void StayResponsiveFor(unsigned long ms);

    DxViewOptions options_;
    DxViewInfo info_;
    std::string lastCommand_;
    std::string bearing_ = "0";
    std::string rotor_ = "steht";
};

}  // namespace standin
