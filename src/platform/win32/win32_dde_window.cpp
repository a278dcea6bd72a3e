// The hidden windows of the DDE family.
#include "platform/win32/win32_dde_window.h"

#include "base/program_error.h"
#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {

void DdeWindow::CreateHiddenWindow(const std::wstring& caption, Reach reach) {
    WindowPlace place;
    if (reach == Reach::kMessageOnly)
        place.parent = HWND_MESSAGE;
    const bool created = host_.Create("TarvelloDdeWindow", {}, WS_EX_TOOLWINDOW, ToAnsi(caption).c_str(), WS_POPUP,
                                      place, [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                                          const std::shared_ptr<DdeWindow> keepAlive = weak_from_this().lock();
                                          if (!keepAlive)
                                              return host_.Default(message, wParam, lParam);
                                          return OnMessage(message, wParam, lParam);
                                      });
    if (!created)
        throw ProgramError(error_number::kOutOfMemory);
}

}  // namespace tarvello::win32
