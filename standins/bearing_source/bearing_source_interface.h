// The bearing component as its description gives it, written down here for the stand-in on its own: the class
// and interface identities, and a dual interface whose members follow IUnknown's three and IDispatch's four
// entries. ReadBearingText is the fourth member. The three before it answer texts of their own, so a caller
// that reaches one of them instead shows a wrong bearing and leaves its trace in the journal.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace bearing_standin {

// {5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}
inline constexpr CLSID kClassId = {0x5B5F34E1, 0xB5E2, 0x11D5, {0x8F, 0xDA, 0x00, 0x4F, 0x49, 0x01, 0xAE, 0x92}};
// {584D5B1A-2DA1-11DA-8FE4-0048543DF13B}
inline constexpr IID kInterfaceId = {0x584D5B1A, 0x2DA1, 0x11DA, {0x8F, 0xE4, 0x00, 0x48, 0x54, 0x3D, 0xF1, 0x3B}};
inline constexpr char kClassKey[] = "CLSID\\{5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}";

// Each member hands out a new BSTR that the caller frees.
struct IBearingSourceMembers : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE ReadSourceName(BSTR* result) = 0;   // first member, vtable slot 7
    virtual HRESULT STDMETHODCALLTYPE ReadVersionText(BSTR* result) = 0;  // second, slot 8
    virtual HRESULT STDMETHODCALLTYPE ReadStatusText(BSTR* result) = 0;   // third, slot 9
    virtual HRESULT STDMETHODCALLTYPE ReadBearingText(BSTR* result) = 0;  // fourth, slot 10
};

}  // namespace bearing_standin
