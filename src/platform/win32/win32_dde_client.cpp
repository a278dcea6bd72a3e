// Client side of raw DDE. Ownership of the memory and atoms in each message follows the DDE rules; the
// comments at each step say who frees what, since a slip there leaks or double-frees across processes.
#include "platform/win32/win32_dde_client.h"

#include <dde.h>

#include <algorithm>

#include "base/program_error.h"
#include "platform/win32/win32_dde_data.h"
#include "platform/win32/win32_dde_wait.h"

namespace tarvello::win32 {
namespace {

constexpr UINT kClosedNotice = WM_APP + 1;

}  // namespace

std::shared_ptr<DdeClientConversation> DdeClientConversation::Open(const DdeItemName& name,
                                                                   DdeLinkHandlers handlers,
                                                                   const DdeClientTimeouts& timeouts) {
    auto conversation = std::make_shared<DdeClientConversation>(std::move(handlers), timeouts);
    conversation->CreateHiddenWindow(L"", Reach::kMessageOnly);
    try {
        conversation->Initiate(name.application, name.topic);
        conversation->HoldItemName(name.item);
        conversation->Advise(name.item);
        conversation->item_ = name.item;
        conversation->RequestCurrentValue(name.item);
    } catch (...) {
        // A link that never opened reports no end.
        conversation->Close();
        throw;
    }
    return conversation;
}

DdeClientConversation::DdeClientConversation(DdeLinkHandlers handlers, const DdeClientTimeouts& timeouts)
    : handlers_(std::move(handlers)), timeouts_(timeouts) {}

DdeClientConversation::~DdeClientConversation() {
    Close();
}

void DdeClientConversation::Initiate(const std::wstring& application, const std::wstring& topic) {
    // A client always names its partner: a null atom would be a wildcard and link to anyone.
    const ATOM app = AddNameAtom(application);
    const ATOM top = AddNameAtom(topic);
    if (app == 0 || top == 0) {
        if (app != 0)
            GlobalDeleteAtom(app);
        if (top != 0)
            GlobalDeleteAtom(top);
        throw ProgramError(error_number::kInvalidArgument);
    }
    initiating_ = true;
    DWORD_PTR ignored = 0;
    // Sent, not posted: servers answer with a sent WM_DDE_ACK while this call runs. SMTO_ABORTIFHUNG
    // keeps a hung top-level window elsewhere on the desktop from stalling the start.
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(app, top),
                        SMTO_ABORTIFHUNG, timeouts_.initiateMs, &ignored);
    initiating_ = false;
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(top);
    if (partner_ == nullptr)
        throw ProgramError(error_number::kDdeNoAnswer);
    open_ = true;
    // A killed partner sends nothing; its conversation window just disappears.
    partnerWatch_ = PartnerWatch::OfThisThread().Watch([weak = weak_from_this(), this] {
        const auto keepAlive = weak.lock();
        if (keepAlive && open_ && !IsWindow(partner_))
            MarkClosed();
    });
}

void DdeClientConversation::OnInitiateAck(HWND server, LPARAM lParam) {
    // The atoms of an initiate's answer are the server's fresh ones; the receiver deletes them.
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    if (partner_ == nullptr) {
        partner_ = server;
        return;
    }
    // Only the first server that answered gets the conversation; every other one is ended at once.
    PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(Hwnd()), 0);
}

void DdeClientConversation::HoldItemName(const std::wstring& item) {
    heldItemName_ = AddNameAtom(item);
}

void DdeClientConversation::Advise(const std::wstring& item) {
    const ATOM itemAtom = AddNameAtom(item);
    if (itemAtom == 0)
        throw ProgramError(error_number::kInvalidArgument);
    HGLOBAL options = MakeAdviseBlock(true);
    if (options == nullptr) {
        GlobalDeleteAtom(itemAtom);
        throw ProgramError(error_number::kOutOfMemory);
    }
    // Must use PackDDElParam: on 64-bit MAKELPARAM would truncate the HGLOBAL.
    const LPARAM packed = PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), itemAtom);
    advise_ = Answer::kPending;
    advisedItem_ = item;
    if (!PostMessageA(partner_, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(Hwnd()), packed)) {
        FreeDDElParam(WM_DDE_ADVISE, packed);
        GlobalFree(options);
        GlobalDeleteAtom(itemAtom);
        advise_ = Answer::kPositive;
        throw ProgramError(error_number::kDdeChannelClosed);
    }
    const bool answered =
        PumpMessagesUntil([this] { return advise_ != Answer::kPending || !open_; }, timeouts_.adviseMs);
    const Answer answer = advise_;
    advise_ = Answer::kPositive;  // a late answer is no longer waited for
    advisedItem_.clear();
    if (answer == Answer::kPositive)
        return;  // the server owns and frees the options block
    if (answer == Answer::kNegative) {
        GlobalFree(options);  // refused: the options come back to the sender
        throw ProgramError(error_number::kDdeRefused);
    }
    // Nobody answered: the block may still be read by the server, so it is left to it.
    throw ProgramError(answered ? error_number::kDdeChannelClosed : error_number::kDdeTimeout);
}

void DdeClientConversation::RequestCurrentValue(const std::wstring& item) {
    const ATOM itemAtom = AddNameAtom(item);
    // WM_DDE_REQUEST is one of the messages whose lParam is not packed: format and item atom.
    request_ = Answer::kPending;
    requestedItem_ = item;
    if (PostMessageA(partner_, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(CF_TEXT, itemAtom))) {
        // A refused or unanswered request is no failure: the link is open and the next update fills the field.
        PumpMessagesUntil([this] { return request_ != Answer::kPending || !open_; }, timeouts_.requestMs);
    } else {
        GlobalDeleteAtom(itemAtom);
    }
    request_ = Answer::kPositive;
    requestedItem_.clear();
}

void DdeClientConversation::Execute(const std::wstring& command) {
    std::shared_ptr<DdeWindow> keepAlive = shared_from_this();
    if (!open_)
        throw ProgramError(error_number::kDdeChannelClosed);
    // The partner reads the command up to its NUL: one inside would send a different command.
    if (command.find(L'\0') != std::wstring::npos)
        throw ProgramError(error_number::kInvalidArgument);
    HGLOBAL block = MakeExecuteBlock(command);
    if (block == nullptr)
        throw ProgramError(error_number::kOutOfMemory);
    // PackDDElParam for WM_DDE_EXECUTE gives the handle unchanged: this lParam is never packed.
    const LPARAM lParam = PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block));
    if (!PostMessageA(partner_, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(Hwnd()), lParam)) {
        GlobalFree(block);
        MarkClosed();
        throw ProgramError(error_number::kDdeChannelClosed);
    }
    executes_.push_back({block, Answer::kPending, false});
    auto find = [this, block] {
        return std::find_if(executes_.begin(), executes_.end(), [block](auto& e) { return e.block == block; });
    };
    PumpMessagesUntil(
        [&] {
            auto it = find();
            return it == executes_.end() || it->answer != Answer::kPending || !open_;
        },
        timeouts_.executeMs);
    auto it = find();
    if (it == executes_.end())
        throw ProgramError(error_number::kDdeChannelClosed);  // closed by our side
    const Answer answer = it->answer;
    if (answer != Answer::kPending) {
        executes_.erase(it);  // the block was freed when the answer came
        if (answer == Answer::kNegative)
            throw ProgramError(error_number::kDdeRefused);
        return;
    }
    if (!open_) {
        // The partner is gone and will never answer; its copy of the command went with it.
        GlobalFree(block);
        executes_.erase(it);
        throw ProgramError(error_number::kDdeChannelClosed);
    }
    it->abandoned = true;
    throw ProgramError(error_number::kDdeTimeout);
}

void DdeClientConversation::OnAck(LPARAM lParam) {
    UINT_PTR status = 0;
    UINT_PTR second = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &second);
    FreeDDElParam(WM_DDE_ACK, lParam);
    const Answer answer = (status & kAckPositive) ? Answer::kPositive : Answer::kNegative;
    // An execute's answer carries the command block back; advise and request answers carry the item atom.
    auto execute = std::find_if(executes_.begin(), executes_.end(),
                                [second](auto& e) { return reinterpret_cast<UINT_PTR>(e.block) == second; });
    if (execute != executes_.end()) {
        GlobalFree(execute->block);  // the command block is the sender's to free, whatever the answer
        if (execute->abandoned) {
            executes_.erase(execute);
        } else {
            execute->answer = answer;
        }
        return;
    }
    // The answer of an advise or a request names its item. Wine's DDEML server sends one more positive answer
    // with the item atom after the first request's data: an answer nobody waits for is not taken for anything,
    // and its atom is left alone.
    const auto atom = static_cast<ATOM>(second);
    const std::wstring item = AtomText(atom);
    if (advise_ == Answer::kPending && SameDdeName(item, advisedItem_)) {
        GlobalDeleteAtom(atom);
        advise_ = answer;
    } else if (request_ == Answer::kPending && answer == Answer::kNegative && SameDdeName(item, requestedItem_)) {
        GlobalDeleteAtom(atom);
        request_ = Answer::kNegative;
    }
}

void DdeClientConversation::OnData(LPARAM lParam) {
    UINT_PTR low = 0;
    UINT_PTR high = 0;
    UnpackDDElParam(WM_DDE_DATA, lParam, &low, &high);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(low);
    const ATOM itemAtom = static_cast<ATOM>(high);
    const std::optional<DataHeader> data = ReadDataBlock(block, false);
    const std::wstring item = AtomText(itemAtom);
    const bool wanted = open_ && data && data->isText && !item_.empty() && SameDdeName(item, item_);
    if (data && data->ackRequested && !terminatePosted_) {
        // The answer reuses the packed lParam and the item atom; the server deletes the atom.
        const WORD status = wanted ? kAckPositive : 0;
        const LPARAM ack = ReuseDDElParam(lParam, WM_DDE_DATA, WM_DDE_ACK, status, itemAtom);
        if (!PostMessageA(partner_, WM_DDE_ACK, reinterpret_cast<WPARAM>(Hwnd()), ack)) {
            FreeDDElParam(WM_DDE_ACK, ack);
            GlobalDeleteAtom(itemAtom);
        }
        // After a negative answer the block stays the sender's.
        if (wanted && data->release)
            GlobalFree(block);
    } else {
        FreeDDElParam(WM_DDE_DATA, lParam);
        GlobalDeleteAtom(itemAtom);
        if (data && data->release)
            GlobalFree(block);
    }
    if (!wanted)
        return;
    if (data->response && request_ == Answer::kPending && SameDdeName(item, requestedItem_))
        request_ = Answer::kPositive;
    // Taken first: the handler may end the conversation.
    const auto onValue = handlers_.onValue;
    if (onValue)
        onValue(data->text);
}

void DdeClientConversation::OnPartnerTerminate() {
    if (!terminatePosted_) {
        terminatePosted_ = true;
        PostMessageA(partner_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(Hwnd()), 0);
    }
    MarkClosed();
}

void DdeClientConversation::MarkClosed() {
    if (!open_)
        return;
    open_ = false;
    StopWatchingPartner();
    // onClosed runs from the message loop, never inside the call that found the conversation gone.
    if (Hwnd() != nullptr)
        PostMessageA(Hwnd(), kClosedNotice, 0, 0);
}

void DdeClientConversation::OnClosedNotice() {
    if (closedByUs_)
        return;
    // Taken first: the handler may destroy the link, and with it this conversation's handlers.
    const auto onClosed = handlers_.onClosed;
    if (onClosed)
        onClosed();
}

void DdeClientConversation::StopWatchingPartner() {
    if (partnerWatch_ != 0)
        PartnerWatch::OfThisThread().Forget(partnerWatch_);
    partnerWatch_ = 0;
}

void DdeClientConversation::Close() {
    closedByUs_ = true;
    handlers_ = {};
    StopWatchingPartner();
    if (open_ && !terminatePosted_) {
        terminatePosted_ = true;
        PostMessageA(partner_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(Hwnd()), 0);
    }
    open_ = false;
    FreeExecuteBlocks();
    DestroyHiddenWindow();
    if (heldItemName_ != 0)
        GlobalDeleteAtom(heldItemName_);
    heldItemName_ = 0;
}

void DdeClientConversation::FreeExecuteBlocks() {
    for (auto& e : executes_)
        GlobalFree(e.block);
    executes_.clear();
}

LRESULT DdeClientConversation::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(wParam);
    if (message == WM_DDE_ACK && initiating_) {
        OnInitiateAck(from, lParam);
        return 0;
    }
    if (message >= WM_DDE_FIRST && message <= WM_DDE_LAST && (from != partner_ || partner_ == nullptr)) {
        return 0;  // not our partner: nothing in it is ours to free
    }
    switch (message) {
        case WM_DDE_ACK:
            OnAck(lParam);
            return 0;
        case WM_DDE_DATA:
            OnData(lParam);
            return 0;
        case WM_DDE_TERMINATE:
            OnPartnerTerminate();
            return 0;
        case kClosedNotice:
            OnClosedNotice();
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace tarvello::win32
