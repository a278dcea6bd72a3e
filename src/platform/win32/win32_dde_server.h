// The program's own DDE topic in raw DDE messages: a hidden window with the given caption answers
// WM_DDE_INITIATE, and each client gets a conversation window of its own that serves executes, requests,
// hot links and pokes through the DdeTopicHandler.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dde.h"
#include "platform/win32/win32_dde_window.h"
#include "platform/win32/win32_partner_watch.h"

namespace tarvello::win32 {

class DdeServerConversation : public DdeWindow {
public:
    DdeServerConversation(HWND client, DdeTopicHandler& handler, std::function<void(DdeServerConversation*)> onEnd);
    ~DdeServerConversation() override;
    void Start(ATOM application, ATOM topic);  // answers the client's initiate from the new window
    void SendIfLinked(const std::wstring& item, const std::wstring& value);
    // Our side ends it: terminate to the client, window gone.
    void Close();
    bool IsOpen() const { return open_; }

private:
    struct Advise {
        std::wstring item;
        bool deferUpdates;
        bool ackRequested;
    };
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnExecute(LPARAM lParam);
    void OnRequest(LPARAM lParam);
    void OnAdvise(LPARAM lParam);
    void OnUnadvise(LPARAM lParam);
    void OnPoke(LPARAM lParam);
    void OnAck(LPARAM lParam);
    void OnClientGone(bool answerTerminate);
    void StopWatchingClient();
    bool PostToClient(UINT message, LPARAM lParam);
    // Posts a WM_DDE_ACK; when it cannot be posted, frees its lParam and the item atom (0: none) it carried.
    void PostAck(LPARAM ack, ATOM itemAtom);
    void PostData(ATOM itemAtom, const std::wstring& value, bool response, const Advise* advise);

    HWND client_;
    PartnerWatch::Id clientWatch_ = 0;  // 0: not watched
    DdeTopicHandler& handler_;
    std::function<void(DdeServerConversation*)> onEnd_;
    bool open_ = false;
    std::vector<Advise> advises_;
    std::deque<HGLOBAL> awaitingAck_;  // data blocks sent with fAckReq, freed by us if refused
};

class DdeTopicWindow : public DdeWindow {
public:
    DdeTopicWindow(std::wstring application, std::wstring topic, DdeTopicHandler& handler);
    ~DdeTopicWindow() override;
    void Create(const std::wstring& caption) { CreateHiddenWindow(caption, Reach::kTopLevel); }
    void NotifyItemChanged(const std::wstring& item);
    void CloseAll();
    std::size_t ConversationCount() const { return conversations_.size(); }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitiate(HWND client, ATOM application, ATOM topic);

    std::wstring application_;
    std::wstring topic_;
    DdeTopicHandler& handler_;
    std::vector<std::shared_ptr<DdeServerConversation>> conversations_;
};

}  // namespace tarvello::win32
