// The bearing source on Windows: the outside COM component, reached through its dual interface.
#pragma once

#include <windows.h>

#include "platform/bearing_source.h"

namespace tarvello::win32 {

// CLSCTX_INPROC_SERVER, with CLSCTX_LOCAL_SERVER added when a local server is registered in either registry view.
DWORD BearingSourceCreationContext();

// The COM libraries are loaded, and COM initialised on the calling thread, at the first Create: a start-up
// that never needs the bearing source does not pay for them. The factory must outlive what it created.
class ComBearingSourceFactory : public BearingSourceFactory {
public:
    ComBearingSourceFactory() = default;
    ~ComBearingSourceFactory() override;
    ComBearingSourceFactory(const ComBearingSourceFactory&) = delete;
    ComBearingSourceFactory& operator=(const ComBearingSourceFactory&) = delete;

    // Throws ProgramError 429 when COM or the component is not available or the object cannot be created.
    std::unique_ptr<BearingSource> Create() override;

private:
    bool StartCom();

    HMODULE ole32_ = nullptr;
    HMODULE oleaut32_ = nullptr;
    bool comInitialized_ = false;
};

}  // namespace tarvello::win32
