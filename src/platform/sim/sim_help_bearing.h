// Simulated help viewer and bearing source.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/bearing_source.h"
#include "platform/help.h"

namespace tarvello::sim {

class SimHelp : public Help {
public:
    void ShowHelp(const std::wstring& path) override { opened.push_back(path); }
    std::vector<std::wstring> opened;
};

// The component answers with text; tests can make creation or the call fail.
class SimBearingSourceFactory : public BearingSourceFactory {
public:
    std::unique_ptr<BearingSource> Create() override;

    std::wstring text = L"245";
    bool creatable = true;
    bool answers = true;
    int created = 0;
    int reads = 0;
};

}  // namespace tarvello::sim
