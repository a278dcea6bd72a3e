// The main window every stand-in has: its journal, its DDE service, the window itself, control commands by
// WM_COPYDATA, and an orderly end that withdraws the service and journals QUIT.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_window_host.h"
#include "standin_dde_server.h"
#include "standin_journal.h"
#include "standin_text.h"

namespace standin {

class StandInWindow {
public:
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;
    virtual ~StandInWindow() = default;

protected:
    using CommandParser = std::optional<Command> (*)(std::string_view text);
    StandInWindow(DdeServer::ValueSource values, DdeServer::ExecuteHandler execute, CommandParser parseCommand);

    // Starts a fresh journal ("START <name> pid=N") and creates the hidden main window; false when either fails.
    bool Open(const std::string& journalPath,
              const char* name,
              const char* windowClass,
              const char* title,
              const tarvello::win32::WindowPlace& place);
    // Registers the DDE service, shows the window and journals READY; false when DDE refuses the service.
    bool Publish(const std::string& service, std::vector<DdeTopic> topics, int show);
    HWND Window() const { return host_.Handle(); }
    // Each stand-in's destructor calls this first: the window's last messages still reach the whole object.
    void EndWindow() { host_.Destroy(); }

    // A message only this stand-in knows; nullopt leaves it to the common handling.
    virtual std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // A control command of this stand-in ("quit" is understood by all); true when it was carried out.
    virtual bool OnCommand(const Command& command) = 0;

    Journal journal_;
    DdeServer server_;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnCopyData(const COPYDATASTRUCT& data);
    void Close();

    CommandParser parseCommand_;

    tarvello::win32::WindowHost host_;
};

}  // namespace standin
