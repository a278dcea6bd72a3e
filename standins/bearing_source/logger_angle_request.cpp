// A client-only DDEML instance per request: connect to "Contest32|DDE", request "Winkel" as CF_TEXT, let go.
// A fresh instance each time, because one that saw its server vanish never connects to that service again.
#include "bearing_source/logger_angle_request.h"

#include <windows.h>

#include <ddeml.h>

#include <vector>

#include "common/standin_names.h"
#include "common/standin_text.h"

namespace bearing_standin {
namespace {

HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Owns the DDEML instance and everything created in it, released in reverse order.
class DdeSession {
public:
    DdeSession() {
        if (DdeInitializeA(&instance_, IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
            instance_ = 0;
    }
    ~DdeSession() {
        if (instance_ == 0)
            return;
        if (conversation_ != nullptr)
            DdeDisconnect(conversation_);
        for (HSZ name : names_)
            DdeFreeStringHandle(instance_, name);
        DdeUninitialize(instance_);
    }
    DdeSession(const DdeSession&) = delete;
    DdeSession& operator=(const DdeSession&) = delete;

    bool Connect(const char* service, const char* topic) {
        if (instance_ == 0)
            return false;
        conversation_ = DdeConnect(instance_, Name(service), Name(topic), nullptr);
        return conversation_ != nullptr;
    }

    std::optional<std::string> RequestText(const char* item, DWORD timeoutMs) {
        HDDEDATA data =
            DdeClientTransaction(nullptr, 0, conversation_, Name(item), CF_TEXT, XTYP_REQUEST, timeoutMs, nullptr);
        if (data == nullptr)
            return std::nullopt;
        const DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::string bytes(size, '\0');
        if (size > 0)
            DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
        DdeFreeDataHandle(data);
        const auto end = bytes.find('\0');
        if (end != std::string::npos)
            bytes.resize(end);
        return bytes;
    }

private:
    HSZ Name(const char* text) {
        HSZ name = DdeCreateStringHandleA(instance_, text, CP_WINANSI);
        names_.push_back(name);
        return name;
    }

    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
    std::vector<HSZ> names_;
};

}  // namespace

std::optional<std::string> RequestLoggerAngle(unsigned long timeoutMs) {
    DdeSession session;
    if (!session.Connect(standin::kLoggerApplication, standin::kLoggerTopic))
        return std::nullopt;
    return session.RequestText(standin::kAngleItem, timeoutMs);
}

}  // namespace bearing_standin
