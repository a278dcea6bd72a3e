// Stopping the rotor the way an operator would: a Ctrl+click into DXView's window titled "SP", then the
// keyboard goes back to the logger. Also the DXView presence check at start-up, which uses the same search.
#include "automation/keystroke_synthesiser.h"
#include "automation/window_finder.h"
#include "common/program_texts.h"
#include "control_window/control_texts.h"
#include "control_window/control_window.h"
#include "control_window/files_and_pauses.h"
#include "partners/partners.h"

namespace tarvello {
namespace {

constexpr std::uint32_t kLeftButtonDown = 0x0201;
constexpr std::uint32_t kLeftButtonUp = 0x0202;
constexpr std::intptr_t kClickPosition = 1;  // client x 1, y 0
constexpr std::int32_t kClickHoldMs = 50;

}  // namespace

std::int32_t ControlWindow::SearchDXViewWindows() {
    MatchTable table;
    return services_.finder.FindWindowLike(table, 0, std::wstring(partners::kDxViewInfoTitlePattern),
                                           std::wstring(partners::kDxViewInfoClassPattern));
}

void ControlWindow::CheckDXViewPresence() {
    if (SearchDXViewWindows() >= 1)
        return;
    // Order matters: message first, log entry second, then the process ends without its shut-down sequence.
    services_.platform.shell.ShowCriticalMessage(std::wstring(texts::kDxViewMissingMessage),
                                                 std::wstring(kProgramTitle));
    AppendProgramLogIfPossible(std::wstring(texts::kDxViewMissingEntry));
    services_.platform.shell.EndProcessNow();
}

void ControlWindow::RotorStop() {
    // The search is run for its records: the last "SP" window and the logger's title.
    SearchDXViewWindows();
    KeystrokeSynthesiser keys(services_.platform.keyboard, services_.platform.loop);
    const WindowHandle target = services_.finder.hWndSP;
    // Without a live "SP" window there is nothing to click; posting to handle 0 would land in this program's
    // own queue. The logger still gets the keyboard back.
    const bool clickable = target != 0 && services_.platform.windows.IsWindow(target);
    keys.PressKeyVK(vk::kControl, true, false, false);
    if (clickable) {
        services_.platform.windows.PostToWindow(target, kLeftButtonDown, 0, kClickPosition);
        services_.filesAndPauses.WaitMilliseconds(kClickHoldMs);
        services_.platform.windows.PostToWindow(target, kLeftButtonUp, 0, kClickPosition);
        // The target reads the button-up later, from its own queue; Control stays down until it has had the
        // same time to see it, or the click's release would look like a plain click.
        services_.filesAndPauses.WaitMilliseconds(kClickHoldMs);
    }
    keys.PressKeyVK(vk::kControl, false, true, false);
    ActivateLogger();
}

void ControlWindow::ActivateLogger() {
    // A logger never seen has no title to look for; an empty title would match any window.
    const std::wstring& title = services_.finder.sLoggerTitle;
    if (title.empty())
        return;
    services_.platform.windows.ActivateByTitle(title);
}

}  // namespace tarvello
