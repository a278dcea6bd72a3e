// DxViewLink: the conversation with DXView (server 3) with its single retry 5000 ms after a loss, the
// rotator commands sent over it, and the control window's caption that shows the link and the diagnostic log.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/action_gate.h"
#include "common/diagnostic_log.h"
#include "dde_link/hidden_dde_window.h"
#include "dde_link/main_window_access.h"
#include "platform/platform.h"

namespace tarvello {

class DxViewLink {
public:
    static constexpr std::int16_t kServerCount = 7;  // servers 0 to 6
    // Where the values of each of DXView's links go, and who holds the link.
    enum class LinkHolder { kSpotPrefix, kDdeLookup, kCurrentBearing };

    DxViewLink(Platform& platform, ActionGate& gate, DiagnosticLog& diagnostics, MainWindowAccess& mainWindow);
    ~DxViewLink();
    DxViewLink(const DxViewLink&) = delete;
    DxViewLink& operator=(const DxViewLink&) = delete;

    // Creates the hidden window, clears the tables and tries to connect to DXView.
    void Initialize();
    // Destroys the hidden window with its links, timer and topic. Nothing that arrives later reconnects.
    void Terminate();

    // Throws ProgramError (subscript out of range) for numbers outside 0 to 6.
    bool IsServerConnected(std::int16_t n) const;
    void ConnectServer(std::int16_t n);
    void SetServerConnect(std::int16_t n, bool connected);
    void RetryServerConnect();
    void MarkDXViewDisconnected();

    // Rotator commands on the DDELookup conversation.
    void SelectBearing(const std::wstring& angle);
    void RotateRotor(bool shortPath);

    void EnableDebugLog();
    void UpdateCaption();

    // Read-only views for the control window and tests. Out-of-range numbers throw like IsServerConnected.
    bool IsServerRetryPending(std::int16_t n) const;
    bool IsServerRetrying(std::int16_t n) const;
    bool DiagnosticFlag() const { return diagnosticFlag_; }
    const HiddenDdeWindow* Window() const { return window_.get(); }

private:
    static std::size_t ServerIndex(std::int16_t n);
    bool OpenDxViewLinks();
    std::shared_ptr<DdeLink> OpenDxViewLink(std::wstring_view topic,
                                            std::wstring_view item,
                                            LinkHolder holder,
                                            std::uint64_t generation);
    void ShowValue(LinkHolder holder, const std::wstring& value);
    void Hold(LinkHolder holder, std::shared_ptr<DdeLink> link);
    bool IsCurrentLinkSet(std::uint64_t generation) const;
    void SendToDxView(const std::wstring& command);

    Dde& dde_;
    Shell& shell_;
    EventLoop& loop_;
    ActionGate& gate_;
    DiagnosticLog& diagnostics_;
    MainWindowAccess& mainWindow_;

    std::array<bool, kServerCount> ServerConnected{};
    std::array<bool, kServerCount> ServerRetryPending{};
    std::array<bool, kServerCount> ServerRetrying{};
    bool diagnosticFlag_ = false;

    std::unique_ptr<HiddenDdeWindow> window_;
    std::shared_ptr<DdeLink> currentBearingLink_;  // the control window's CurrentBearing box
    std::uint64_t linkGeneration_ = 0;             // notices of replaced or closed links carry an old number
    bool connecting_ = false;
};

}  // namespace tarvello
