// One client conversation in raw DDE messages with one application|topic, holding the hot links on its items:
// initiate, advise, the first value by request, every update, executes, unadvise, and the end of the
// conversation however the partner goes away. Links to one topic share its conversation, so each topic costs
// one initiate broadcast however many of its items are linked.
#pragma once

#include <cstdint>
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
    using LinkId = std::uint64_t;

    // Throws ProgramError: 5 for a name that cannot be a DDE name, 282 when nobody answered.
    static std::shared_ptr<DdeClientConversation> Open(const std::wstring& application,
                                                       const std::wstring& topic,
                                                       const DdeClientTimeouts& timeouts);
    explicit DdeClientConversation(const DdeClientTimeouts& timeouts);
    ~DdeClientConversation() override;

    bool Names(const std::wstring& application, const std::wstring& topic) const;
    // Starts a hot link on item; its handlers get the current value, every update and the conversation's end.
    // Throws ProgramError: 5 for a bad item name, 285 when the link was refused, 286 when the advise was not
    // answered, 284 when the partner left meanwhile.
    LinkId AddLink(const std::wstring& item, DdeLinkHandlers handlers);
    // Our side ends a link: no onClosed for it. The last link's end ends the conversation.
    void RemoveLink(LinkId id);
    bool HasLink(LinkId id) const;
    bool HasLinks() const { return !links_.empty(); }
    // Throws as DdeLink::Execute; 284 too when the link was removed while the execute waited.
    void Execute(LinkId id, const std::wstring& command);
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
    struct Link {
        LinkId id;
        std::wstring item;
        DdeLinkHandlers handlers;
    };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Initiate(const std::wstring& application, const std::wstring& topic);
    void Advise(const std::wstring& item);
    void RequestCurrentValue(const std::wstring& item);
    void Unadvise(const std::wstring& item);
    void HoldItemName(const std::wstring& item);
    bool ItemLinked(const std::wstring& item) const;
    void OnInitiateAck(HWND server, LPARAM lParam);
    void OnAck(LPARAM lParam);
    void OnData(LPARAM lParam);
    void OnPartnerTerminate();
    void OnClosedNotice();
    void MarkClosed();
    void StopWatchingPartner();
    void FreeExecuteBlocks();

    DdeClientTimeouts timeouts_;
    std::wstring application_;
    std::wstring topic_;
    HWND partner_ = nullptr;
    PartnerWatch::Id partnerWatch_ = 0;  // 0: not watched
    bool initiating_ = false;
    bool open_ = false;
    bool terminatePosted_ = false;
    bool closedByUs_ = false;
    std::vector<Link> links_;
    LinkId nextLinkId_ = 1;
    Answer advise_ = Answer::kPositive;
    std::wstring advisedItem_;  // the item whose advise is answered next
    Answer request_ = Answer::kPositive;
    std::wstring requestedItem_;  // the item whose first value is awaited
    LinkId requestingLink_ = 0;   // the link that gets it
    std::vector<PendingExecute> executes_;
    // One reference of our own to each item name used on the conversation, kept until it closes: Wine's DDEML
    // server deletes some item atoms once more than it should, and a name atom that vanishes while one of our
    // messages still carries it makes that message unreadable.
    std::vector<ATOM> heldItemNames_;
};

}  // namespace tarvello::win32
