// The DDE family on Windows, in raw DDE messages rather than DDEML (which under Wine is not told of a partner's
// end and cannot hold two conversations with one application|topic): every link is a conversation of its own, and
// every conversation notices its partner's end.
#pragma once

#include "platform/dde.h"
#include "platform/win32/win32_dde_client.h"

namespace tarvello::win32 {

class Win32Dde : public Dde {
public:
    // The program waits as long as DDE conversations customarily do; tests may be less patient.
    explicit Win32Dde(const DdeClientTimeouts& timeouts = {}) : timeouts_(timeouts) {}

    std::unique_ptr<DdeLink> OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) override;
    std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                        const std::wstring& topic,
                                                        const std::wstring& windowCaption,
                                                        DdeTopicHandler& handler) override;

private:
    DdeClientTimeouts timeouts_;
};

}  // namespace tarvello::win32
