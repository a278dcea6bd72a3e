// One-shot DDEML conversations of the test process.
#include "ddeml_client.h"

#include <ddeml.h>

#include <cstring>

namespace test_support {
namespace {

HDDEDATA CALLBACK IgnoreEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Runs one transaction on a conversation of its own instance: Wine's DDEML client mismatches the replies of
// later transactions on a conversation that carried a synchronous request.
HDDEDATA OneTransaction(const std::string& service, const std::string& topic, UINT type, const std::string& text,
                        std::string* reply) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, &IgnoreEverything, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return nullptr;
    HSZ serviceName = DdeCreateStringHandleA(instance, service.c_str(), CP_WINANSI);
    HSZ topicName = DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
    HSZ itemName = DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI);
    HDDEDATA result = nullptr;
    if (HCONV conversation = DdeConnect(instance, serviceName, topicName, nullptr)) {
        DWORD status = 0;
        result = type == XTYP_REQUEST
                     ? DdeClientTransaction(nullptr, 0, conversation, itemName, CF_TEXT, type, 5000, &status)
                     : DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                                            static_cast<DWORD>(text.size() + 1), conversation, nullptr, 0, type,
                                            5000, &status);
        if (result != nullptr && reply != nullptr) {
            reply->assign(DdeGetData(result, nullptr, 0, 0), '\0');
            DdeGetData(result, reinterpret_cast<LPBYTE>(reply->data()), static_cast<DWORD>(reply->size()), 0);
            reply->resize(std::strlen(reply->c_str()));
            DdeFreeDataHandle(result);
        }
        DdeDisconnect(conversation);
    }
    for (HSZ name : {serviceName, topicName, itemName})
        DdeFreeStringHandle(instance, name);
    DdeUninitialize(instance);
    return result;
}

}  // namespace

std::optional<std::string> DdemlRequest(const std::string& service, const std::string& topic, const std::string& item) {
    std::string reply;
    if (OneTransaction(service, topic, XTYP_REQUEST, item, &reply) == nullptr)
        return std::nullopt;
    return reply;
}

bool DdemlExecute(const std::string& service, const std::string& topic, const std::string& command) {
    return OneTransaction(service, topic, XTYP_EXECUTE, command, nullptr) != nullptr;
}

}  // namespace test_support
