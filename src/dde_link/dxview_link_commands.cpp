// DxViewLink's rotator commands to DXView and the caption it keeps for the control window.
#include "base/program_error.h"
#include "common/program_texts.h"
#include "common/reported_call.h"
#include "dde_link/dde_link_texts.h"
#include "dde_link/dxview_link.h"
#include "dde_link/rotator_commands.h"
#include "partners/partners.h"

namespace tarvello {

void DxViewLink::SendToDxView(const std::wstring& command) {
    // Held here so that a reconnection while the execute waits (its wait pumps messages) cannot free it.
    std::shared_ptr<DdeLink> link = window_ ? window_->DdeLookupLink() : nullptr;
    if (!link)
        throw ProgramError(error_number::kDdeChannelClosed);
    link->Execute(command);
}

void DxViewLink::SelectBearing(const std::wstring& angle) {
    const bool done = RunIgnoringFailure([&] {
        if (IsServerConnected(partners::kDxViewServerNumber)) {
            SendToDxView(SelectBearingCommand(angle));
            return;
        }
        mainWindow_.SetBearingText(L"");
        // The box's own message loop keeps the poller, the retry and DDE notices going, as any modal box does:
        // DXView may even come back while it is shown. The program still ends when it is closed.
        gate_.OpenWhile([this] {
            shell_.ShowCriticalMessage(std::wstring(dde_link_texts::kDxViewNotActive), std::wstring(kProgramTitle));
        });
        mainWindow_.AppendProgramLog(std::wstring(dde_link_texts::kDxViewWasNotStarted));
        shell_.EndProcessNow();
    });
    if (!done)
        MarkDXViewDisconnected();
}

void DxViewLink::RotateRotor(bool shortPath) {
    const bool done = RunIgnoringFailure([&] {
        if (IsServerConnected(partners::kDxViewServerNumber))
            SendToDxView(RotateRotorCommand(shortPath));
    });
    if (!done)
        MarkDXViewDisconnected();
}

void DxViewLink::EnableDebugLog() {
    diagnosticFlag_ = true;
    UpdateCaption();
}

void DxViewLink::UpdateCaption() {
    std::wstring caption(kProgramTitle);
    caption += L" " + diagnostics_.Version();
    if (ServerConnected[partners::kDxViewServerNumber])
        caption += dde_link_texts::kDxViewConnectedMark;
    if (diagnosticFlag_) {
        caption += dde_link_texts::kErrorLogHint;
        caption += shell_.ProgramFolder();
        caption += dde_link_texts::kErrorLogHintFile;
    }
    mainWindow_.SetCaption(caption);
}

}  // namespace tarvello
