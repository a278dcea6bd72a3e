// One client conversation in raw DDE messages, holding a hot link on one item: initiate, advise, the first
// value by request, every update, executes, and the end of the conversation however the partner goes away.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dde.h"
#include "platform/win32/win32_dde_window.h"

namespace tarvello::win32 {

struct DdeClientTimeouts {
    unsigned initiateMs = 1000;  // per window answering the broadcast
    unsigned adviseMs = kDdeAcknowledgementTimeoutMs;
    unsigned requestMs = 500;  // the first value only; an unanswered request is no failure
    unsigned executeMs = kDdeAcknowledgementTimeoutMs;
    unsigned partnerCheckMs = 250;  // how often a vanished partner window is looked for
};

class DdeClientConversation : public DdeWindow {
public:
    // Throws ProgramError: 5 for a name that cannot be a DDE name, 282 when nobody answered, 285 when the hot
    // link was refused, 286 when the advise was not answered, 284 when the partner left meanwhile.
    static std::shared_ptr<DdeClientConversation> Open(const std::wstring& application,
                                                       const std::wstring& topic,
                                                       const std::wstring& item,
                                                       DdeLinkHandlers handlers,
                                                       const DdeClientTimeouts& timeouts);
    DdeClientConversation(DdeLinkHandlers handlers, const DdeClientTimeouts& timeouts);
    ~DdeClientConversation() override;

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
    void OnInitiateAck(HWND server, LPARAM lParam);
    void OnAck(LPARAM lParam);
    void OnData(LPARAM lParam);
    void OnPartnerTerminate();
    void OnPartnerCheck();
    void MarkClosed();
    void FreeExecuteBlocks();

    DdeLinkHandlers handlers_;
    DdeClientTimeouts timeouts_;
    HWND partner_ = nullptr;
    bool initiating_ = false;
    bool open_ = false;
    bool terminatePosted_ = false;
    bool closedByUs_ = false;
    Answer advise_ = Answer::kPositive;
    Answer request_ = Answer::kPositive;
    std::vector<PendingExecute> executes_;
};

}  // namespace tarvello::win32
