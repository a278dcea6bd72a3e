// One client conversation in raw DDE messages with one application|topic, holding a hot link on one item:
// initiate, advise, the first value by request, every update, executes, and the end of the conversation however
// the partner goes away. Every link is a conversation of its own, as the partners expect: which conversation
// carries the executes and whose end means the partner has gone is theirs to rely on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dde.h"
#include "platform/win32/win32_dde_window.h"
#include "platform/win32/win32_partner_watch.h"

namespace tarvello::win32 {

struct DdeClientTimeouts {
    unsigned initiateMs = 1000;  // per window answering the broadcast
    unsigned adviseMs = kDdeAcknowledgementTimeoutMs;
    unsigned requestMs = 500;  // the first value only; an unanswered request is no failure
    unsigned executeMs = kDdeAcknowledgementTimeoutMs;
};

class DdeClientConversation : public DdeWindow {
public:
    // Opens the conversation and starts the hot link on item; the handlers get the current value, every update
    // and the conversation's end. Throws ProgramError: 5 for a name that cannot be a DDE name, 282 when nobody
    // answered, 285 when the link was refused, 286 when the advise was not answered, 284 when the partner left
    // meanwhile. A conversation whose link failed is ended again.
    static std::shared_ptr<DdeClientConversation> Open(const DdeItemName& name,
                                                       DdeLinkHandlers handlers,
                                                       const DdeClientTimeouts& timeouts);
    DdeClientConversation(DdeLinkHandlers handlers, const DdeClientTimeouts& timeouts);
    ~DdeClientConversation() override;

    // Throws as DdeLink::Execute; 284 too when our side ended the conversation while the execute waited.
    void Execute(const std::wstring& command);
    bool IsOpen() const { return open_; }
    // Our side ends the conversation: terminate, window gone, and no onClosed.
    void Close();

private:
    enum class Answer { kPending, kPositive, kNegative };
    struct PendingExecute {
        HGLOBAL block;
        Answer answer;
        bool abandoned;  // its Execute gave up waiting; the late answer only frees the block
    };
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Initiate(const std::wstring& application, const std::wstring& topic);
    void Advise(const std::wstring& item);
    void RequestCurrentValue(const std::wstring& item);
    void HoldItemName(const std::wstring& item);
    void OnInitiateAck(HWND server, LPARAM lParam);
    void OnAck(LPARAM lParam);
    void OnData(LPARAM lParam);
    void OnPartnerTerminate();
    void OnClosedNotice();
    void MarkClosed();
    void StopWatchingPartner();
    void FreeExecuteBlocks();

    DdeLinkHandlers handlers_;
    DdeClientTimeouts timeouts_;
    std::wstring item_;  // the linked item; empty until its advise was acknowledged
    HWND partner_ = nullptr;
    PartnerWatch::Id partnerWatch_ = 0;  // 0: not watched
    bool initiating_ = false;
    bool open_ = false;
    bool terminatePosted_ = false;
    bool closedByUs_ = false;
    Answer advise_ = Answer::kPositive;
    std::wstring advisedItem_;  // the item whose advise is answered next
    Answer request_ = Answer::kPositive;
    std::wstring requestedItem_;  // the item whose first value is awaited
    std::vector<PendingExecute> executes_;
    // A reference of our own to the item name, kept until the conversation closes: Wine's DDEML server deletes
    // some item atoms once more than it should, and a name atom that vanishes while one of our messages still
    // carries it makes that message unreadable.
    ATOM heldItemName_ = 0;
};

}  // namespace tarvello::win32
