// Simulated private-profile calls over INI files on the simulated disk, with the Windows behaviour that
// IniAccess relies on: names without case, values trimmed of blanks, matching quotes removed, the first
// section and key of a name winning, and the buffer limit.
#pragma once

#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/sim/sim_files.h"

namespace tarvello::sim {

class SimProfile : public ProfileStore {
public:
    explicit SimProfile(SimFiles& files) : files_(files) {}

    std::wstring GetString(const std::wstring& section,
                           const std::wstring& key,
                           const std::wstring& defaultValue,
                           int bufferChars,
                           const std::wstring& file) override;
    bool WriteString(const std::wstring& section,
                     const std::wstring& key,
                     const std::wstring& value,
                     const std::wstring& file) override;

    struct Call {
        std::wstring section, key, value, file;
    };
    const std::vector<Call>& Writes() const { return writes_; }

private:
    SimFiles& files_;
    std::vector<Call> writes_;
};

}  // namespace tarvello::sim
