// The bearing source: an outside COM component that answers one text.
#pragma once

#include <memory>
#include <string>

namespace tarvello {

class BearingSource {
public:
    virtual ~BearingSource() = default;
    // Throws ProgramError when the component does not answer.
    virtual std::wstring ReadBearingText() = 0;
};

class BearingSourceFactory {
public:
    virtual ~BearingSourceFactory() = default;
    // Throws ProgramError (kBearingSource) when the component cannot be created.
    virtual std::unique_ptr<BearingSource> Create() = 0;
};

}  // namespace tarvello
