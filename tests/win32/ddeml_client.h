// A DDEML client of the test process, one fresh instance per call, as a third program would talk to the
// stand-ins: one request or one execute, then the conversation ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace test_support {

// The item's text, or nullopt when nobody answers or the request is refused.
std::optional<std::string> DdemlRequest(const std::string& service, const std::string& topic, const std::string& item);
// True on a positive acknowledgement.
bool DdemlExecute(const std::string& service, const std::string& topic, const std::string& command);

}  // namespace test_support
