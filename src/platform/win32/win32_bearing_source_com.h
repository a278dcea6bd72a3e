// The bearing source on Windows: the outside COM component, reached through its dual interface.
#pragma once

#include "platform/bearing_source.h"

namespace tarvello::win32 {

// The calling thread must have initialised COM (WinMain calls CoInitialize).
class ComBearingSourceFactory : public BearingSourceFactory {
public:
    // Throws ProgramError 429 when the component is not registered or cannot be created.
    std::unique_ptr<BearingSource> Create() override;
};

}  // namespace tarvello::win32
