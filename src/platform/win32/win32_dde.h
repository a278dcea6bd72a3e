// The DDE family on Windows, in raw DDE messages rather than DDEML: every link is a conversation of its own
// (DDEML keeps one per service and topic) and every conversation notices its partner's end.
#pragma once

#include "platform/dde.h"

namespace tarvello::win32 {

class Win32Dde : public Dde {
public:
    std::unique_ptr<DdeLink> OpenHotLink(const std::wstring& application,
                                         const std::wstring& topic,
                                         const std::wstring& item,
                                         DdeLinkHandlers handlers) override;
    std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                        const std::wstring& topic,
                                                        const std::wstring& windowCaption,
                                                        DdeTopicHandler& handler) override;
};

}  // namespace tarvello::win32
