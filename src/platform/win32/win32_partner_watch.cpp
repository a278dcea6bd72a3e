// The thread's one watch over its DDE partners.
#include "platform/win32/win32_partner_watch.h"

#include <vector>

namespace tarvello::win32 {

PartnerWatch& PartnerWatch::OfThisThread() {
    thread_local PartnerWatch watch;
    return watch;
}

PartnerWatch::Id PartnerWatch::Watch(std::function<void()> look) {
    const Id id = nextId_++;
    looks_[id] = std::move(look);
    KeepOwnTimerIfNeeded();
    return id;
}

void PartnerWatch::Forget(Id id) {
    looks_.erase(id);
    KeepOwnTimerIfNeeded();
}

void PartnerWatch::CarrierStarted() {
    ++carriers_;
    KeepOwnTimerIfNeeded();
}

void PartnerWatch::CarrierStopped() {
    if (carriers_ > 0)
        --carriers_;
    KeepOwnTimerIfNeeded();
}

void PartnerWatch::OnCarrierTick() {
    if (!looks_.empty() && GetTickCount64() - lastLook_ >= kIntervalMs)
        LookNow();
}

void CALLBACK PartnerWatch::OnOwnTimer(HWND, UINT, UINT_PTR, DWORD) {
    OfThisThread().LookNow();
}

void PartnerWatch::LookNow() {
    lastLook_ = GetTickCount64();
    // A look may end conversations, and so forget their looks: go over a copy of the ids.
    std::vector<Id> ids;
    for (const auto& entry : looks_)
        ids.push_back(entry.first);
    for (const Id id : ids) {
        const auto found = looks_.find(id);
        if (found == looks_.end())
            continue;
        const auto look = found->second;
        look();
    }
}

void PartnerWatch::KeepOwnTimerIfNeeded() {
    const bool needed = !looks_.empty() && carriers_ == 0;
    if (needed && ownTimer_ == 0) {
        ownTimer_ = SetTimer(nullptr, 0, kIntervalMs, &PartnerWatch::OnOwnTimer);
    } else if (!needed && ownTimer_ != 0) {
        KillTimer(nullptr, ownTimer_);
        ownTimer_ = 0;
    }
}

}  // namespace tarvello::win32
