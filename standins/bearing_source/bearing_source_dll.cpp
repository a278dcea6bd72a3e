// Entry points of BearingSource.dll: class object, unload check, and self-registration for regsvr32.
#include <windows.h>

#include <olectl.h>

#include "bearing_source/bearing_source_journal.h"
#include "bearing_source/bearing_source_object.h"
#include "bearing_source/bearing_source_registry.h"

namespace {
HMODULE thisModule = nullptr;
bearing_standin::BearingSourceFactory factory;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        DisableThreadLibraryCalls(instance);
        bearing_standin::SetJournalDefaultFolder(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, bearing_standin::kClassId))
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() {
    return bearing_standin::LiveObjects() == 0 && bearing_standin::ServerLocks() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return bearing_standin::RegisterBearingSource(thisModule);
}

STDAPI DllUnregisterServer() {
    return bearing_standin::UnregisterBearingSource();
}
