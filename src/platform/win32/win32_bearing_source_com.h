// The bearing source on Windows: the outside COM component, reached through its dual interface.
#pragma once

#include <windows.h>

#include "platform/bearing_source.h"

namespace tarvello::win32 {

// CLSCTX_INPROC_SERVER, with CLSCTX_LOCAL_SERVER added when a local server is registered in either registry view.
DWORD BearingSourceCreationContext();

// The calling thread must have initialised COM (WinMain calls CoInitialize).
class ComBearingSourceFactory : public BearingSourceFactory {
public:
    // Throws ProgramError 429 when the component is not registered or cannot be created.
    std::unique_ptr<BearingSource> Create() override;
};

}  // namespace tarvello::win32
