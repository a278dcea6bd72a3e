// The stand-ins' main window; see standin_window.h.
#include "standin_window.h"

#include "standin_control.h"
#include "standin_look.h"

namespace standin {

StandInWindow::StandInWindow(DdeServer::ValueSource values,
                             DdeServer::ExecuteHandler execute,
                             CommandParser parseCommand)
    : server_(journal_, std::move(values), std::move(execute)), parseCommand_(parseCommand) {}

bool StandInWindow::Open(const std::string& journalPath,
                         const char* name,
                         const char* windowClass,
                         const char* title,
                         const tarvello::win32::WindowPlace& place) {
    if (!journal_.Open(journalPath))
        return false;
    journal_.Write("START", std::string(name) + " pid=" + std::to_string(GetCurrentProcessId()));
    return host_.Create(
        windowClass, StandInLook(), 0, title, WS_OVERLAPPEDWINDOW, place,
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return OnMessage(message, wParam, lParam); });
}

bool StandInWindow::Publish(const std::string& service, std::vector<DdeTopic> topics, int show) {
    if (!server_.Start(service, std::move(topics)))
        return false;
    ShowWindow(Window(), show);
    UpdateWindow(Window());
    journal_.Write("READY");
    return true;
}

LRESULT StandInWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> handled = OnOwnMessage(message, wParam, lParam))
        return *handled;
    switch (message) {
        case WM_COPYDATA:
            return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return host_.Default(message, wParam, lParam);
    }
}

BOOL StandInWindow::OnCopyData(const COPYDATASTRUCT& data) {
    const std::optional<Command> command = ReceiveCommand(data, journal_, parseCommand_);
    if (!command)
        return FALSE;
    if (command->kind == CommandKind::Quit) {
        // Not from inside the sender's SendMessage: the close withdraws the DDE service.
        PostMessageA(Window(), WM_CLOSE, 0, 0);
        return TRUE;
    }
    return OnCommand(*command) ? TRUE : FALSE;
}

void StandInWindow::Close() {
    server_.Stop();
    journal_.Write("QUIT");
    host_.Destroy();
}

}  // namespace standin
