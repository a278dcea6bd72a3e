// The registry entries that let CoCreateInstance find BearingSource.dll (HKCR\CLSID\{...}\InprocServer32).
#pragma once

#include <windows.h>

namespace bearing_standin {

// Writes the class key with the DLL's full path and ThreadingModel "Apartment".
HRESULT RegisterBearingSource(HMODULE dll);
// Removes the class key; a class that is not registered counts as removed.
HRESULT UnregisterBearingSource();

}  // namespace bearing_standin
