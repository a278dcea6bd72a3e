// The stand-in bearing component: one COM object answering ReadBearingText with the logger's angle and its
// three other members with fixed texts, every call journaled; its class factory, and the counts that tell COM
// when the DLL may be unloaded.
#pragma once

#include <atomic>

#include "bearing_source/bearing_source_interface.h"

namespace bearing_standin {

// Live objects and LockServer locks; DllCanUnloadNow answers from them.
std::atomic<long>& LiveObjects();
std::atomic<long>& ServerLocks();

class BearingSourceObject final : public IBearingSourceMembers {
public:
    BearingSourceObject();
    ~BearingSourceObject();
    BearingSourceObject(const BearingSourceObject&) = delete;
    BearingSourceObject& operator=(const BearingSourceObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                     REFIID iid,
                                     LCID locale,
                                     WORD flags,
                                     DISPPARAMS* params,
                                     VARIANT* result,
                                     EXCEPINFO* exception,
                                     UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE ReadSourceName(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE ReadVersionText(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE ReadStatusText(BSTR* result) override;
    // E_FAIL when the logger does not answer: the component never makes up a bearing.
    HRESULT STDMETHODCALLTYPE ReadBearingText(BSTR* result) override;

private:
    using Member = HRESULT (STDMETHODCALLTYPE BearingSourceObject::*)(BSTR*);
    // The member behind a dispatch id, 1 to 4 in interface order; nullptr for any other id.
    static Member MemberOf(DISPID id);

    std::atomic<ULONG> references_{1};
};

// The DLL's single class factory; it lives as long as the DLL and is not counted.
class BearingSourceFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

}  // namespace bearing_standin
