// The connection to DXView: the three hot links, the connection tables and the single retry.
#include "dde_link/dxview_link.h"

#include "base/logged_procedure_names.h"
#include "base/program_error.h"
#include "common/reported_call.h"
#include "partners/partners.h"

namespace tarvello {
namespace {

// DXView's three links in the order they are opened, and which field or box holds each.
struct DxViewLinkSpec {
    std::wstring_view topic;
    std::wstring_view item;
    DxViewLink::LinkHolder holder;
};
constexpr DxViewLinkSpec kDxViewLinks[] = {
    {partners::kDxViewServerTopic, partners::kSpotPrefixItem, DxViewLink::LinkHolder::kSpotPrefix},
    {partners::kDxViewServerTopic, partners::kDdeCommandItem, DxViewLink::LinkHolder::kDdeLookup},
    {partners::kDxViewMainTopic, partners::kShortPathItem, DxViewLink::LinkHolder::kCurrentBearing},
};

}  // namespace

DxViewLink::DxViewLink(Platform& platform, ActionGate& gate, DiagnosticLog& diagnostics, MainWindowAccess& mainWindow)
    : dde_(platform.dde),
      shell_(platform.shell),
      loop_(platform.loop),
      gate_(gate),
      diagnostics_(diagnostics),
      mainWindow_(mainWindow) {
    diagnostics_.SetEnableDebugLog([this] { EnableDebugLog(); });
}

DxViewLink::~DxViewLink() {
    diagnostics_.SetEnableDebugLog(nullptr);
    Terminate();
}

void DxViewLink::Initialize() {
    Terminate();
    const bool created = RunReported(diagnostics_, logged_procedure::kDxViewLinkInitialize, [&] {
        diagnosticFlag_ = false;
        // A "start" or a retry tick that comes while another action runs (its DDE waits let them in) waits
        // for it: a retry swallowed by a running attempt would leave DXView unconnected for good.
        window_ = std::make_unique<HiddenDdeWindow>(
            dde_, shell_, loop_, [this](std::int16_t n) { gate_.Run([this, n] { ConnectServer(n); }); },
            [this] { gate_.Run([this] { RetryServerConnect(); }); });
        ServerConnected = ServerRetrying = ServerRetryPending = {};
    });
    if (!created)
        return;
    // Without its own topic the program still talks to DXView; only outside "start" requests are lost.
    RunReported(diagnostics_, logged_procedure::kDxViewLinkInitialize, [&] { window_->RegisterOwnTopic(); });
    ConnectServer(partners::kDxViewServerNumber);
}

void DxViewLink::Terminate() {
    ++linkGeneration_;
    currentBearingLink_.reset();
    window_.reset();
}

std::size_t DxViewLink::ServerIndex(std::int16_t n) {
    if (n < 0 || n >= kServerCount)
        throw ProgramError(error_number::kSubscriptOutOfRange);
    return static_cast<std::size_t>(n);
}

bool DxViewLink::IsServerConnected(std::int16_t n) const {
    return ServerConnected[ServerIndex(n)];
}

bool DxViewLink::IsServerRetryPending(std::int16_t n) const {
    return ServerRetryPending[ServerIndex(n)];
}

bool DxViewLink::IsServerRetrying(std::int16_t n) const {
    return ServerRetrying[ServerIndex(n)];
}

void DxViewLink::ConnectServer(std::int16_t n) {
    // An attempt already under way (its waits pump messages) records the outcome for both callers.
    if (n != partners::kDxViewServerNumber || !window_ || connecting_)
        return;
    connecting_ = true;
    const bool opened = OpenDxViewLinks();
    connecting_ = false;
    if (!window_)
        return;  // shut down while a link was opening
    SetServerConnect(n, opened);
}

bool DxViewLink::OpenDxViewLinks() {
    // Reopening replaces the links quietly: closing our own old conversations is not a loss of DXView.
    const std::uint64_t generation = ++linkGeneration_;
    currentBearingLink_.reset();
    window_->CloseLinks();
    bool opened = false;
    RunIgnoringFailure([&] {
        for (const DxViewLinkSpec& spec : kDxViewLinks) {
            std::shared_ptr<DdeLink> link = OpenDxViewLink(spec.topic, spec.item, spec.holder, generation);
            // Shut down or replaced while the link opened: this attempt is over.
            if (!IsCurrentLinkSet(generation))
                return;
            Hold(spec.holder, std::move(link));
        }
        opened = true;
    });
    return opened;
}

std::shared_ptr<DdeLink> DxViewLink::OpenDxViewLink(std::wstring_view topic,
                                                    std::wstring_view item,
                                                    LinkHolder holder,
                                                    std::uint64_t generation) {
    DdeLinkHandlers handlers;
    handlers.onValue = [this, holder, generation](const std::wstring& value) {
        if (IsCurrentLinkSet(generation))
            ShowValue(holder, value);
    };
    // Only the end of the SpotPrefix conversation tells that DXView has gone.
    if (holder == LinkHolder::kSpotPrefix) {
        handlers.onClosed = [this, generation] {
            gate_.Run([this, generation] {
                if (IsCurrentLinkSet(generation))
                    SetServerConnect(partners::kDxViewServerNumber, false);
            });
        };
    }
    return dde_.OpenHotLink({std::wstring(partners::kDxViewApplication), std::wstring(topic), std::wstring(item)},
                            std::move(handlers));
}

void DxViewLink::ShowValue(LinkHolder holder, const std::wstring& value) {
    switch (holder) {
        case LinkHolder::kSpotPrefix:
            window_->SetField(HiddenDdeWindow::kSpotPrefixField, value);
            break;
        case LinkHolder::kDdeLookup:
            window_->SetField(HiddenDdeWindow::kDdeLookupField, value);
            break;
        case LinkHolder::kCurrentBearing:
            mainWindow_.SetCurrentBearingText(value);
            break;
    }
}

void DxViewLink::Hold(LinkHolder holder, std::shared_ptr<DdeLink> link) {
    switch (holder) {
        case LinkHolder::kSpotPrefix:
            window_->SetSpotPrefixLink(std::move(link));
            break;
        case LinkHolder::kDdeLookup:
            window_->SetDdeLookupLink(std::move(link));
            break;
        case LinkHolder::kCurrentBearing:
            currentBearingLink_ = std::move(link);
            break;
    }
}

bool DxViewLink::IsCurrentLinkSet(std::uint64_t generation) const {
    return window_ != nullptr && generation == linkGeneration_;
}

void DxViewLink::SetServerConnect(std::int16_t n, bool connected) {
    RunReported(diagnostics_, logged_procedure::kSetServerConnect, [&] {
        const std::size_t i = ServerIndex(n);
        ServerConnected[i] = connected;
        if (connected) {
            ServerRetrying[i] = false;
        } else if (ServerRetrying[i]) {
            ServerRetrying[i] = false;  // the one reconnection failed: no further attempt
        } else {
            ServerRetryPending[i] = true;
            // A timer that cannot be started is no reason to stop: the caption still follows.
            RunIgnoringFailure([&] {
                if (window_)
                    window_->StartServerRetryTimer();
            });
        }
        UpdateCaption();
    });
}

void DxViewLink::RetryServerConnect() {
    if (window_)
        window_->StopServerRetryTimer();
    for (std::int16_t n = 0; n < kServerCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!ServerRetryPending[i])
            continue;
        ServerRetryPending[i] = false;
        ServerRetrying[i] = true;
        ConnectServer(n);
    }
}

void DxViewLink::MarkDXViewDisconnected() {
    SetServerConnect(partners::kDxViewServerNumber, false);
}

}  // namespace tarvello
