// CoCreateInstance of the bearing component; ReadBearingText goes through slot 10 of its interface. ole32 and
// oleaut32 are loaded at the first creation, not with the program.
#include "platform/win32/win32_bearing_source_com.h"

#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>

#include "base/program_error.h"
#include "platform/win32/bearing_source_com_interface.h"

namespace tarvello::win32 {
namespace {

// The functions of ole32 and oleaut32 the program calls, found when COM is first needed.
struct ComFunctions {
    HRESULT(WINAPI* coInitialize)(LPVOID) = nullptr;
    void(WINAPI* coUninitialize)() = nullptr;
    HRESULT(WINAPI* coCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
    UINT(WINAPI* sysStringLen)(BSTR) = nullptr;
    void(WINAPI* sysFreeString)(BSTR) = nullptr;
};

ComFunctions com;

template <typename Function>
bool Find(HMODULE library, const char* name, Function& function) {
    function = library != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                                  : nullptr;
    return function != nullptr;
}

class ComBearingSourceObject : public BearingSource {
public:
    explicit ComBearingSourceObject(IBearingSourceText* object) : object_(object) {}
    ~ComBearingSourceObject() override { object_->Release(); }
    ComBearingSourceObject(const ComBearingSourceObject&) = delete;
    ComBearingSourceObject& operator=(const ComBearingSourceObject&) = delete;

    // Throws ProgramError 440 when the component reports a failure.
    std::wstring ReadBearingText() override {
        BSTR text = nullptr;
        const HRESULT result = object_->ReadBearingText(&text);
        // A failing component may still have handed out a string; it is ours to free either way.
        std::wstring value = text != nullptr ? std::wstring(text, com.sysStringLen(text)) : std::wstring();
        com.sysFreeString(text);
        if (FAILED(result))
            throw ProgramError(error_number::kAutomationError);
        return value;
    }

private:
    IBearingSourceText* object_;
};

}  // namespace

// An out-of-process server is asked for only when one is registered: under Wine, asking for a local server
// that is not there waits 3 to 10 s for the COM service, and that would freeze the poller on Return. A local
// server of either bitness serves this program, and each is registered in the registry view of its own
// bitness, so both views are looked at.
std::string BearingSourceClassKey() {
    const partners::ComIdentity& id = partners::kBearingSourceClass;
    char key[64];
    std::snprintf(key, sizeof key, "CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(id.data1), id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2],
                  id.data4[3], id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
    return key;
}

DWORD BearingSourceCreationContext() {
    DWORD context = CLSCTX_INPROC_SERVER;
    const std::string localServer = BearingSourceClassKey() + "\\LocalServer32";
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, localServer.c_str(), 0, KEY_READ | view, &key) == ERROR_SUCCESS) {
            context |= CLSCTX_LOCAL_SERVER;
            RegCloseKey(key);
        }
    }
    return context;
}

ComBearingSourceFactory::~ComBearingSourceFactory() {
    if (comInitialized_)
        com.coUninitialize();
    // The libraries stay loaded: a component's code may still be referenced by the COM runtime's caches.
}

bool ComBearingSourceFactory::StartCom() {
    if (comInitialized_)
        return true;
    if (ole32_ == nullptr)
        ole32_ = LoadLibraryW(L"ole32.dll");
    if (oleaut32_ == nullptr)
        oleaut32_ = LoadLibraryW(L"oleaut32.dll");
    const bool found =
        Find(ole32_, "CoInitialize", com.coInitialize) && Find(ole32_, "CoUninitialize", com.coUninitialize) &&
        Find(ole32_, "CoCreateInstance", com.coCreateInstance) && Find(oleaut32_, "SysStringLen", com.sysStringLen) &&
        Find(oleaut32_, "SysFreeString", com.sysFreeString);
    // S_FALSE: this thread had COM already; it is initialised once more and so uninitialised once more.
    comInitialized_ = found && SUCCEEDED(com.coInitialize(nullptr));
    return comInitialized_;
}

std::unique_ptr<BearingSource> ComBearingSourceFactory::Create() {
    if (!StartCom())
        throw ProgramError(error_number::kBearingSource);
    void* object = nullptr;
    const HRESULT result = com.coCreateInstance(kBearingSourceClass, nullptr, BearingSourceCreationContext(),
                                                kBearingSourceInterface, &object);
    if (FAILED(result) || object == nullptr)
        throw ProgramError(error_number::kBearingSource);
    return std::make_unique<ComBearingSourceObject>(static_cast<IBearingSourceText*>(object));
}

}  // namespace tarvello::win32
