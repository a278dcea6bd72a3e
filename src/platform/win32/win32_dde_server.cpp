// Server side of raw DDE: the topic window that answers initiates, and one conversation window per client.
// Each handler follows the DDE rules on who frees the memory and atoms of a message.
#include "platform/win32/win32_dde_server.h"

#include <dde.h>

#include <algorithm>

#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32 {
namespace {

template <typename F>
auto Guarded(F&& call, decltype(call()) onFailure) -> decltype(call()) {
    // A handler that throws answers as if it had refused; the client must still get its answer.
    try {
        return call();
    } catch (...) {
        return onFailure;
    }
}

// The memory handle and the item of a packed advise or poke.
struct ItemMessage {
    UINT_PTR handle;
    ATOM itemAtom;
    std::wstring item;
};

ItemMessage UnpackItemMessage(UINT message, LPARAM lParam) {
    UINT_PTR handle = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(message, lParam, &handle, &atom);
    return {handle, static_cast<ATOM>(atom), AtomText(static_cast<ATOM>(atom))};
}

}  // namespace

DdeServerConversation::DdeServerConversation(HWND client,
                                             DdeTopicHandler& handler,
                                             std::function<void(DdeServerConversation*)> onEnd)
    : client_(client), handler_(handler), onEnd_(std::move(onEnd)) {}

DdeServerConversation::~DdeServerConversation() {
    Close();
}

void DdeServerConversation::Start(ATOM application, ATOM topic) {
    CreateHiddenWindow(L"", Reach::kMessageOnly);
    open_ = true;
    // A client that was killed says nothing; its window just disappears.
    clientWatch_ = PartnerWatch::OfThisThread().Watch([weak = std::weak_ptr<DdeWindow>(shared_from_this()), this] {
        const auto keepAlive = weak.lock();
        if (keepAlive && !IsWindow(client_))
            OnClientGone(false);
    });
    // Sent, not posted: the client is still inside its initiate and takes the first answer as its partner.
    // The atoms are fresh ones; the client deletes them.
    SendMessageA(client_, WM_DDE_ACK, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(application, topic));
}

bool DdeServerConversation::PostToClient(UINT message, LPARAM lParam) {
    return PostMessageA(client_, message, reinterpret_cast<WPARAM>(Hwnd()), lParam) != 0;
}

void DdeServerConversation::PostAck(LPARAM ack, ATOM itemAtom) {
    // An answer the client never gets is ours to clean up: the packed lParam and the item atom it carried.
    if (PostToClient(WM_DDE_ACK, ack))
        return;
    FreeDDElParam(WM_DDE_ACK, ack);
    if (itemAtom != 0)
        GlobalDeleteAtom(itemAtom);
}

void DdeServerConversation::OnExecute(LPARAM lParam) {
    UINT_PTR ignored = 0;
    UINT_PTR handle = 0;
    UnpackDDElParam(WM_DDE_EXECUTE, lParam, &ignored, &handle);
    const std::wstring command = ReadExecuteBlock(reinterpret_cast<HGLOBAL>(handle));
    const bool accepted = Guarded([&] { return handler_.OnExecute(command); }, false);
    if (!open_)
        return;  // ended while the handler ran; the client gave up on this answer
    // The answer carries the command block back for the client to free. Must use PackDDElParam: on 64-bit
    // MAKELPARAM would truncate the HGLOBAL.
    PostAck(PackDDElParam(WM_DDE_ACK, accepted ? kAckPositive : 0, handle), 0);
}

void DdeServerConversation::OnRequest(LPARAM lParam) {
    const UINT format = LOWORD(lParam);  // WM_DDE_REQUEST is not packed
    const ATOM itemAtom = HIWORD(lParam);
    const std::wstring item = AtomText(itemAtom);
    std::optional<std::wstring> value;
    if (format == CF_TEXT)
        value = Guarded([&] { return handler_.OnRequest(item); }, std::nullopt);
    if (!open_)
        return;
    if (value) {
        PostData(itemAtom, *value, true, nullptr);
        return;
    }
    PostAck(PackDDElParam(WM_DDE_ACK, 0, itemAtom), itemAtom);
}

void DdeServerConversation::OnAdvise(LPARAM lParam) {
    const auto [options, itemAtom, item] = UnpackItemMessage(WM_DDE_ADVISE, lParam);
    const std::optional<AdviseOptions> wanted = ReadAdviseBlock(reinterpret_cast<HGLOBAL>(options));
    const bool accepted =
        wanted && wanted->isText && Guarded([&] { return handler_.OnRequest(item).has_value(); }, false);
    if (!open_)
        return;
    if (accepted) {
        std::erase_if(advises_, [&](const Advise& a) { return SameDdeName(a.item, item); });
        advises_.push_back({item, wanted->deferUpdates, wanted->ackRequested});
        GlobalFree(reinterpret_cast<HGLOBAL>(options));  // accepted: the options block is ours to free
    }
    PostAck(ReuseDDElParam(lParam, WM_DDE_ADVISE, WM_DDE_ACK, accepted ? kAckPositive : 0, itemAtom), itemAtom);
}

void DdeServerConversation::OnUnadvise(LPARAM lParam) {
    const ATOM itemAtom = HIWORD(lParam);  // WM_DDE_UNADVISE is not packed; a null atom means every item
    if (itemAtom == 0) {
        advises_.clear();
    } else {
        const std::wstring item = AtomText(itemAtom);
        std::erase_if(advises_, [&](const Advise& a) { return SameDdeName(a.item, item); });
    }
    PostAck(PackDDElParam(WM_DDE_ACK, kAckPositive, itemAtom), itemAtom);
}

void DdeServerConversation::OnPoke(LPARAM lParam) {
    const auto [block, itemAtom, item] = UnpackItemMessage(WM_DDE_POKE, lParam);
    const std::optional<DataHeader> data = ReadDataBlock(reinterpret_cast<HGLOBAL>(block), true);
    const bool accepted = data && data->isText && Guarded([&] { return handler_.OnPoke(item, data->text); }, false);
    if (!open_)
        return;
    // Accepted data with fRelease is the receiver's to free; refused data stays the sender's.
    if (accepted && data->release)
        GlobalFree(reinterpret_cast<HGLOBAL>(block));
    PostAck(ReuseDDElParam(lParam, WM_DDE_POKE, WM_DDE_ACK, accepted ? kAckPositive : 0, itemAtom), itemAtom);
}

void DdeServerConversation::OnAck(LPARAM lParam) {
    // Only data sent with fAckReq is answered; its item atom is ours to delete.
    UINT_PTR status = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &atom);
    FreeDDElParam(WM_DDE_ACK, lParam);
    GlobalDeleteAtom(static_cast<ATOM>(atom));
    if (awaitingAck_.empty())
        return;
    HGLOBAL block = awaitingAck_.front();
    awaitingAck_.pop_front();
    if (!(status & kAckPositive) && block != nullptr)
        GlobalFree(block);
}

void DdeServerConversation::PostData(ATOM itemAtom, const std::wstring& value, bool response, const Advise* advise) {
    const bool ackRequested = advise != nullptr && advise->ackRequested;
    HGLOBAL block = nullptr;
    if (advise == nullptr || !advise->deferUpdates) {
        block = MakeDataBlock(value, response, ackRequested);
        if (block == nullptr) {
            GlobalDeleteAtom(itemAtom);
            return;
        }
    }
    // Must use PackDDElParam: on 64-bit MAKELPARAM would truncate the HGLOBAL.
    const LPARAM lParam = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(block), itemAtom);
    if (!PostToClient(WM_DDE_DATA, lParam)) {
        FreeDDElParam(WM_DDE_DATA, lParam);
        if (block != nullptr)
            GlobalFree(block);
        GlobalDeleteAtom(itemAtom);
        return;
    }
    if (ackRequested)
        awaitingAck_.push_back(block);
}

void DdeServerConversation::SendIfLinked(const std::wstring& item, const std::wstring& value) {
    if (!open_)
        return;
    for (const Advise& advise : advises_) {
        if (!SameDdeName(advise.item, item))
            continue;
        const ATOM itemAtom = AddNameAtom(advise.item);
        if (itemAtom != 0)
            PostData(itemAtom, value, false, &advise);
    }
}

void DdeServerConversation::OnClientGone(bool answerTerminate) {
    if (!open_)
        return;
    if (answerTerminate)
        PostToClient(WM_DDE_TERMINATE, 0);
    open_ = false;
    awaitingAck_.clear();  // the client is gone; what it held went with its conversation
    StopWatchingClient();
    if (auto onEnd = std::move(onEnd_))
        onEnd(this);
}

void DdeServerConversation::StopWatchingClient() {
    if (clientWatch_ != 0)
        PartnerWatch::OfThisThread().Forget(clientWatch_);
    clientWatch_ = 0;
}

void DdeServerConversation::Close() {
    StopWatchingClient();
    onEnd_ = nullptr;
    if (open_) {
        open_ = false;
        PostToClient(WM_DDE_TERMINATE, 0);
    }
    DestroyHiddenWindow();
}

LRESULT DdeServerConversation::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_DDE_FIRST && message <= WM_DDE_LAST && reinterpret_cast<HWND>(wParam) != client_) {
        return 0;  // a stranger's message: nothing in it is ours to free
    }
    if (!open_ && message >= WM_DDE_FIRST && message <= WM_DDE_LAST)
        return 0;
    switch (message) {
        case WM_DDE_EXECUTE:
            OnExecute(lParam);
            return 0;
        case WM_DDE_REQUEST:
            OnRequest(lParam);
            return 0;
        case WM_DDE_ADVISE:
            OnAdvise(lParam);
            return 0;
        case WM_DDE_UNADVISE:
            OnUnadvise(lParam);
            return 0;
        case WM_DDE_POKE:
            OnPoke(lParam);
            return 0;
        case WM_DDE_ACK:
            OnAck(lParam);
            return 0;
        case WM_DDE_TERMINATE:
            OnClientGone(true);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

DdeTopicWindow::DdeTopicWindow(std::wstring application, std::wstring topic, DdeTopicHandler& handler)
    : application_(std::move(application)), topic_(std::move(topic)), handler_(handler) {}

DdeTopicWindow::~DdeTopicWindow() {
    CloseAll();
}

void DdeTopicWindow::OnInitiate(HWND client, ATOM application, ATOM topic) {
    // A null atom is a wildcard: a client asking "who serves anything" gets our one topic.
    if (application != 0 && !SameDdeName(AtomText(application), application_))
        return;
    if (topic != 0 && !SameDdeName(AtomText(topic), topic_))
        return;
    const ATOM ourApplication = AddNameAtom(application_);
    const ATOM ourTopic = AddNameAtom(topic_);
    if (ourApplication == 0 || ourTopic == 0)
        return;
    auto conversation = std::make_shared<DdeServerConversation>(client, handler_, [this](DdeServerConversation* c) {
        std::erase_if(conversations_, [c](const auto& p) { return p.get() == c; });
    });
    conversations_.push_back(conversation);
    try {
        conversation->Start(ourApplication, ourTopic);
    } catch (...) {
        // No window for the conversation: the client hears nothing, as if we were not there.
        std::erase(conversations_, conversation);
        GlobalDeleteAtom(ourApplication);
        GlobalDeleteAtom(ourTopic);
    }
}

void DdeTopicWindow::NotifyItemChanged(const std::wstring& item) {
    const std::optional<std::wstring> value =
        Guarded([&] { return handler_.OnRequest(item); }, std::optional<std::wstring>{});
    if (!value)
        return;
    for (const auto& conversation : std::vector(conversations_))
        conversation->SendIfLinked(item, *value);
}

void DdeTopicWindow::CloseAll() {
    auto conversations = std::move(conversations_);
    conversations_.clear();
    for (const auto& conversation : conversations)
        conversation->Close();
}

LRESULT DdeTopicWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DDE_INITIATE) {
        OnInitiate(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace tarvello::win32
