// DDEClientModule's rotator commands to DXView and the caption it keeps for the control window.
#include <exception>

#include "dde_link/dde_client_module.h"
#include "dde_link/dde_link_texts.h"
#include "dde_link/rotator_commands.h"
#include "partners/partners.h"
#include "platform/program_error.h"

namespace tarvello {

void DDEClientModule::SendToDxView(const std::wstring& command) {
    // Held here so that a reconnection while the execute waits (its wait pumps messages) cannot free it.
    std::shared_ptr<DdeLink> link = window_ ? window_->DdeLookupLink() : nullptr;
    if (!link)
        throw ProgramError(error_number::kDdeChannelClosed);
    link->Execute(command);
}

void DDEClientModule::SelectBearing(const std::wstring& angle) {
    try {
        if (IsServerConnected(partners::kDxViewServerNumber)) {
            SendToDxView(SelectBearingCommand(angle));
            return;
        }
        mainWindow_.SetBearingText(L"");
        // The box's own message loop keeps the poller, the retry and DDE notices going, as any modal box does:
        // DXView may even come back while it is shown. The program still ends when it is closed.
        gate_.OpenWhile([this] {
            shell_.ShowCriticalMessage(std::wstring(dde_link_texts::kDxViewNotActive),
                                       std::wstring(dde_link_texts::kProgramTitle));
        });
        mainWindow_.AppendProgramLog(std::wstring(dde_link_texts::kDxViewWasNotStarted));
        shell_.EndProcessNow();
    } catch (const ProgramError&) {
        MarkDXViewDisconnected();
    } catch (const std::exception&) {
        MarkDXViewDisconnected();
    }
}

void DDEClientModule::RotateRotor(bool shortPath) {
    try {
        if (!IsServerConnected(partners::kDxViewServerNumber))
            return;
        SendToDxView(RotateRotorCommand(shortPath));
    } catch (const ProgramError&) {
        MarkDXViewDisconnected();
    } catch (const std::exception&) {
        MarkDXViewDisconnected();
    }
}

void DDEClientModule::EnableDebugLog() {
    diagnosticFlag_ = true;
    UpdateCaption();
}

void DDEClientModule::UpdateCaption() {
    std::wstring caption(dde_link_texts::kProgramTitle);
    caption += L" " + common_.Version();
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
