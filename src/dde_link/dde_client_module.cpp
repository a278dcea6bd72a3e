// The connection to DXView: the three hot links, the connection tables and the single retry.
#include "dde_link/dde_client_module.h"

#include <exception>
#include <new>

#include "common/error_reporter.h"
#include "dde_link/dde_link_texts.h"
#include "partners/partners.h"
#include "platform/program_error.h"

namespace tarvello {
namespace {

constexpr int kOutOfMemory = 7;

int ErrorNumberOf(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) != nullptr ? kOutOfMemory : error_number::kInvalidArgument;
}

}  // namespace

DDEClientModule::DDEClientModule(Platform& platform, ActionGate& gate, Common& common, MainWindowAccess& mainWindow)
    : dde_(platform.dde), shell_(platform.shell), loop_(platform.loop), gate_(gate), common_(common), mainWindow_(mainWindow) {
    common_.SetEnableDebugLog([this] { EnableDebugLog(); });
}

DDEClientModule::~DDEClientModule() {
    common_.SetEnableDebugLog(nullptr);
    ++linkGeneration_;
    currentBearingLink_.reset();
    window_.reset();
}

void DDEClientModule::Initialize() {
    try {
        diagnosticFlag_ = false;
        ++linkGeneration_;
        currentBearingLink_.reset();
        window_.reset();
        // A "start" or a retry tick that comes while another action runs (its DDE waits let them in) waits
        // for it: a retry swallowed by a running attempt would leave DXView unconnected for good.
        window_ = std::make_unique<DDEClient>(
            dde_, shell_, loop_, [this](std::int16_t n) { gate_.Run([this, n] { ConnectServer(n); }); },
            [this] { gate_.Run([this] { RetryServerConnect(); }); });
        ServerConnected.fill(false);
        ServerRetrying.fill(false);
        ServerRetryPending.fill(false);
    } catch (const ProgramError& e) {
        Report(e.Number(), dde_link_texts::kInitializeProcedure);
        return;
    } catch (const std::exception& e) {
        Report(ErrorNumberOf(e), dde_link_texts::kInitializeProcedure);
        return;
    }
    // Without its own topic the program still talks to DXView; only outside "start" requests are lost.
    try {
        window_->RegisterOwnTopic();
    } catch (const ProgramError& e) {
        Report(e.Number(), dde_link_texts::kInitializeProcedure);
    } catch (const std::exception& e) {
        Report(ErrorNumberOf(e), dde_link_texts::kInitializeProcedure);
    }
    ConnectServer(partners::kDxViewServerNumber);
}

void DDEClientModule::Terminate() {
    ++linkGeneration_;
    currentBearingLink_.reset();
    window_.reset();
}

std::size_t DDEClientModule::ServerIndex(std::int16_t n) {
    if (n < 0 || n >= kServerCount)
        throw ProgramError(error_number::kSubscriptOutOfRange);
    return static_cast<std::size_t>(n);
}

bool DDEClientModule::IsServerConnected(std::int16_t n) const {
    return ServerConnected[ServerIndex(n)];
}

bool DDEClientModule::IsServerRetryPending(std::int16_t n) const {
    return ServerRetryPending[ServerIndex(n)];
}

bool DDEClientModule::IsServerRetrying(std::int16_t n) const {
    return ServerRetrying[ServerIndex(n)];
}

void DDEClientModule::ConnectServer(std::int16_t n) {
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

bool DDEClientModule::OpenDxViewLinks() {
    // Reopening replaces the links quietly: closing our own old conversations is not a loss of DXView.
    const std::uint64_t generation = ++linkGeneration_;
    currentBearingLink_.reset();
    window_->CloseLinks();
    try {
        auto spotPrefix = OpenDxViewLink(
            partners::kDxViewServerTopic, partners::kSpotPrefixItem,
            [this, generation](const std::wstring& value) {
                if (IsCurrentLinkSet(generation))
                    window_->SetField(DDEClient::kSpotPrefixField, value);
            },
            [this, generation] {
                gate_.Run([this, generation] {
                    if (IsCurrentLinkSet(generation))
                        SetServerConnect(partners::kDxViewServerNumber, false);
                });
            });
        if (!IsCurrentLinkSet(generation))
            return false;
        window_->SetSpotPrefixLink(std::move(spotPrefix));

        auto ddeLookup = OpenDxViewLink(
            partners::kDxViewServerTopic, partners::kDdeCommandItem,
            [this, generation](const std::wstring& value) {
                if (IsCurrentLinkSet(generation))
                    window_->SetField(DDEClient::kDdeLookupField, value);
            },
            nullptr);
        if (!IsCurrentLinkSet(generation))
            return false;
        window_->SetDdeLookupLink(std::move(ddeLookup));

        auto currentBearing = OpenDxViewLink(
            partners::kDxViewMainTopic, partners::kShortPathItem,
            [this, generation](const std::wstring& value) {
                if (IsCurrentLinkSet(generation))
                    mainWindow_.SetCurrentBearingText(value);
            },
            nullptr);
        if (!IsCurrentLinkSet(generation))
            return false;
        currentBearingLink_ = std::move(currentBearing);
        return true;
    } catch (const ProgramError&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

std::shared_ptr<DdeLink> DDEClientModule::OpenDxViewLink(std::wstring_view topic,
                                                         std::wstring_view item,
                                                         std::function<void(const std::wstring&)> onValue,
                                                         std::function<void()> onClosed) {
    return dde_.OpenHotLink(std::wstring(partners::kDxViewApplication), std::wstring(topic), std::wstring(item),
                            DdeLinkHandlers{std::move(onValue), std::move(onClosed)});
}

bool DDEClientModule::IsCurrentLinkSet(std::uint64_t generation) const {
    return window_ != nullptr && generation == linkGeneration_;
}

void DDEClientModule::SetServerConnect(std::int16_t n, bool connected) {
    try {
        const std::size_t i = ServerIndex(n);
        ServerConnected[i] = connected;
        if (connected) {
            ServerRetrying[i] = false;
        } else if (ServerRetrying[i]) {
            ServerRetrying[i] = false;  // the one reconnection failed: no further attempt
        } else {
            ServerRetryPending[i] = true;
            try {
                if (window_)
                    window_->StartServerRetryTimer();
            } catch (const ProgramError&) {
            } catch (const std::exception&) {
            }
        }
        UpdateCaption();
    } catch (const ProgramError& e) {
        Report(e.Number(), dde_link_texts::kSetServerConnectProcedure);
    } catch (const std::exception& e) {
        Report(ErrorNumberOf(e), dde_link_texts::kSetServerConnectProcedure);
    }
}

void DDEClientModule::RetryServerConnect() {
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

void DDEClientModule::MarkDXViewDisconnected() {
    SetServerConnect(partners::kDxViewServerNumber, false);
}

void DDEClientModule::Report(int number, std::wstring_view procedure) {
    // Reporting is the last resort of a failure handler: a log that fails as well must not escape to the
    // message loop.
    try {
        common_.ReportError(NarrowErrorNumber(number), std::wstring(procedure));
    } catch (const ProgramError&) {
    } catch (const std::exception&) {
    }
}

}  // namespace tarvello
