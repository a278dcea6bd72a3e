// The bearing component's COM identity and its dual interface as the program sees it: IUnknown's three entries,
// IDispatch's four, then the interface's own members. ReadBearingText is the fourth of those (vtable slot 10);
// the program never calls the three before it and knows nothing of them but their places.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <objbase.h>

#include <string>

#include "partners/bearing_source_identity.h"

namespace tarvello::win32 {

constexpr GUID ToGuid(const partners::ComIdentity& id) {
    return GUID{
        id.data1,
        id.data2,
        id.data3,
        {id.data4[0], id.data4[1], id.data4[2], id.data4[3], id.data4[4], id.data4[5], id.data4[6], id.data4[7]}};
}

inline constexpr CLSID kBearingSourceClass = ToGuid(partners::kBearingSourceClass);
inline constexpr IID kBearingSourceInterface = ToGuid(partners::kBearingSourceInterface);
// "CLSID\{5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}", the class's key below HKEY_CLASSES_ROOT.
std::string BearingSourceClassKey();

// ReadBearingText is the interface's fourth member, after the three members of IUnknown and the four of IDispatch.
struct IBearingSourceText : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE FirstMember() = 0;   // never called
    virtual HRESULT STDMETHODCALLTYPE SecondMember() = 0;  // never called
    virtual HRESULT STDMETHODCALLTYPE ThirdMember() = 0;   // never called
    // The caller frees *result with SysFreeString.
    virtual HRESULT STDMETHODCALLTYPE ReadBearingText(BSTR* result) = 0;
};

}  // namespace tarvello::win32
