// The bearing component's COM identity and its dual interface as the program sees it: IUnknown's three entries,
// IDispatch's four, then the interface's own members. ReadBearingText is the fourth of those (vtable slot 10);
// the program never calls the three before it and knows nothing of them but their places.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <objbase.h>

namespace tarvello::win32 {

inline constexpr CLSID kBearingSourceClass = {0x5B5F34E1,
                                              0xB5E2,
                                              0x11D5,
                                              {0x8F, 0xDA, 0x00, 0x4F, 0x49, 0x01, 0xAE, 0x92}};
inline constexpr IID kBearingSourceInterface = {0x584D5B1A,
                                                0x2DA1,
                                                0x11DA,
                                                {0x8F, 0xE4, 0x00, 0x48, 0x54, 0x3D, 0xF1, 0x3B}};

inline constexpr char kBearingSourceClassKey[] = "CLSID\\{5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}";

struct IBearingSourceText : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE FirstMember() = 0;  // never called
    virtual HRESULT STDMETHODCALLTYPE SecondMember() = 0;  // never called
    virtual HRESULT STDMETHODCALLTYPE ThirdMember() = 0;  // never called
    // The caller frees *result with SysFreeString.
    virtual HRESULT STDMETHODCALLTYPE ReadBearingText(BSTR* result) = 0;
};

}  // namespace tarvello::win32
