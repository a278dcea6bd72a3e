// The DXView link's hidden DDE window: retry timer, named fields and the program's own DDE topic.
#include "dde_link/hidden_dde_window.h"

#include <algorithm>
#include <exception>

#include "base/program_error.h"
#include "common/reported_call.h"
#include "dde_link/execute_command.h"
#include "partners/partners.h"

namespace tarvello {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

// Every field of the window with its text when the window is created.
std::vector<std::pair<std::wstring, std::wstring>> InitialFields() {
    return {
        {L"SpotPrefix", L""},
        {L"DDELookup", L"DDELookup"},
        {L"SpotLocation", L""},
        {L"Progress", L""},
        {L"Freq", L""},
        {L"Mode", L""},
        {L"PropViewDDECommand", L"PropViewDDECommand"},
        {L"PathfinderDDECommand", L"PathfinderDDECommand"},
        {L"DDESpot", L"DDESpot"},
        {L"DDELog", L"DDELog"},
        {L"DDETransceiverControl", L"DDETransceiverControl"},
        {L"RequestDDEConnection", L"RequestDDEConnection"},
        {L"Label1", L"SpotPrefix"},
        {L"Label2", L"Progress"},
        {L"Label3", L"Mode"},
        {L"Label4", L"Freq"},
        {L"Label5", L"SpotLocation"},
    };
}

}  // namespace

HiddenDdeWindow::HiddenDdeWindow(Dde& dde,
                                 Shell& shell,
                                 EventLoop& loop,
                                 std::function<void(std::int16_t)> connectServer,
                                 std::function<void()> retryTick)
    : dde_(dde),
      shell_(shell),
      loop_(loop),
      connectServer_(std::move(connectServer)),
      retryTick_(std::move(retryTick)),
      fields_(InitialFields()) {}

HiddenDdeWindow::~HiddenDdeWindow() {
    StopServerRetryTimer();
}

void HiddenDdeWindow::RegisterOwnTopic() {
    registration_ = dde_.RegisterTopic(shell_.ExeBaseName(), std::wstring(partners::kOwnTopic), Caption(), *this);
}

std::wstring HiddenDdeWindow::Caption() const {
    return std::wstring(partners::kOwnTopic);
}

void HiddenDdeWindow::StartServerRetryTimer() {
    if (retryTimer_)
        return;
    retryTimer_ = loop_.StartTimer(kServerRetryIntervalMs, [this] { retryTick_(); });
}

void HiddenDdeWindow::StopServerRetryTimer() {
    if (!retryTimer_)
        return;
    loop_.StopTimer(*retryTimer_);
    retryTimer_.reset();
}

std::optional<std::size_t> HiddenDdeWindow::FieldIndex(std::wstring_view name) const {
    auto it = std::find_if(fields_.begin(), fields_.end(), [&](const auto& f) { return SameName(f.first, name); });
    if (it == fields_.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - fields_.begin());
}

std::optional<std::wstring> HiddenDdeWindow::Field(const std::wstring& name) const {
    const auto index = FieldIndex(name);
    if (!index)
        return std::nullopt;
    return fields_[*index].second;
}

bool HiddenDdeWindow::SetField(std::wstring_view name, const std::wstring& text) {
    const auto index = FieldIndex(name);
    if (!index)
        return false;
    fields_[*index].second = text;
    if (registration_)
        registration_->NotifyItemChanged(fields_[*index].first);
    return true;
}

void HiddenDdeWindow::CloseLinks() {
    spotPrefixLink_.reset();
    ddeLookupLink_.reset();
}

bool HiddenDdeWindow::OnExecute(const std::wstring& command) {
    const auto server = ParseStartCommand(command);
    if (!server)
        return false;
    // The sender gets its acknowledgement after the connection attempt, whatever its outcome. While another
    // action waits for DXView, the attempt waits for that action and the sender is answered at once: the
    // sender may be DXView itself, which answers nothing while it waits for this acknowledgement.
    return RunIgnoringFailure([&] { connectServer_(*server); });
}

std::optional<std::wstring> HiddenDdeWindow::OnRequest(const std::wstring& item) {
    return Field(item);
}

bool HiddenDdeWindow::OnPoke(const std::wstring& item, const std::wstring& value) {
    return SetField(item, value);
}

}  // namespace tarvello
