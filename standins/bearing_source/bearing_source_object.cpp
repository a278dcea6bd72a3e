// The stand-in bearing component's object and class factory. IDispatch is the bare minimum a late-bound
// caller needs: no type library, the four member names with dispatch ids 1 to 4, called without arguments.
#include "bearing_source/bearing_source_object.h"

#include <oleauto.h>
#include <wchar.h>

#include <new>
#include <string>

#include "bearing_source/bearing_source_journal.h"
#include "bearing_source/logger_angle_request.h"

namespace bearing_standin {
namespace {

constexpr unsigned long kLoggerTimeoutMs = 1000;
// Interface order; the dispatch id is the position plus one.
constexpr const wchar_t* kMemberNames[] = {L"ReadSourceName", L"ReadVersionText", L"ReadStatusText",
                                           L"ReadBearingText"};
constexpr DISPID kMemberCount = 4;
constexpr wchar_t kExceptionSource[] = L"BearingSource";
constexpr wchar_t kExceptionText[] = L"Win-Contest antwortet nicht";

BSTR AnsiToBstr(const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(needed));
    if (text != nullptr && needed > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text, needed);
    return text;
}

}  // namespace

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

std::atomic<long>& ServerLocks() {
    static std::atomic<long> count{0};
    return count;
}

BearingSourceObject::BearingSourceObject() {
    ++LiveObjects();
}

BearingSourceObject::~BearingSourceObject() {
    --LiveObjects();
}

HRESULT BearingSourceObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kInterfaceId)) {
        *object = static_cast<IBearingSourceMembers*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BearingSourceObject::AddRef() {
    return ++references_;
}

ULONG BearingSourceObject::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT BearingSourceObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT BearingSourceObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT BearingSourceObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 0)
        return S_OK;
    if (names == nullptr || ids == nullptr)
        return E_POINTER;
    // The members have no parameters, so any name after the first is unknown.
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (DISPID id = 1; id <= kMemberCount; ++id) {
        if (names[0] != nullptr && _wcsicmp(names[0], kMemberNames[id - 1]) == 0) {
            ids[0] = id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT BearingSourceObject::Invoke(DISPID id,
                                    REFIID iid,
                                    LCID,
                                    WORD flags,
                                    DISPPARAMS* params,
                                    VARIANT* result,
                                    EXCEPINFO* exception,
                                    UINT*) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    const auto member = MemberOf(id);
    if (member == nullptr || (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
        return DISP_E_MEMBERNOTFOUND;
    if (params != nullptr && (params->cArgs != 0 || params->cNamedArgs != 0))
        return DISP_E_BADPARAMCOUNT;
    BSTR text = nullptr;
    const HRESULT outcome = (this->*member)(&text);
    if (FAILED(outcome)) {
        if (exception != nullptr) {
            *exception = EXCEPINFO{};
            exception->scode = outcome;
            exception->bstrSource = SysAllocString(kExceptionSource);
            exception->bstrDescription = SysAllocString(kExceptionText);
        }
        return DISP_E_EXCEPTION;
    }
    if (result == nullptr) {
        SysFreeString(text);
        return S_OK;
    }
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = text;
    return S_OK;
}

BearingSourceObject::Member BearingSourceObject::MemberOf(DISPID id) {
    switch (id) {
        case 1:
            return &BearingSourceObject::ReadSourceName;
        case 2:
            return &BearingSourceObject::ReadVersionText;
        case 3:
            return &BearingSourceObject::ReadStatusText;
        case 4:
            return &BearingSourceObject::ReadBearingText;
        default:
            return nullptr;
    }
}

namespace {

HRESULT AnswerText(const char* member, const wchar_t* text, BSTR* result) {
    WriteJournal("CALL", member);
    if (result == nullptr)
        return E_POINTER;
    *result = SysAllocString(text);
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

HRESULT BearingSourceObject::ReadSourceName(BSTR* result) {
    return AnswerText("ReadSourceName", L"Peilungsquelle (Testpartner)", result);
}

HRESULT BearingSourceObject::ReadVersionText(BSTR* result) {
    return AnswerText("ReadVersionText", L"1.0", result);
}

HRESULT BearingSourceObject::ReadStatusText(BSTR* result) {
    return AnswerText("ReadStatusText", L"bereit", result);
}

HRESULT BearingSourceObject::ReadBearingText(BSTR* result) {
    WriteJournal("CALL", "ReadBearingText");
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    const auto angle = RequestLoggerAngle(kLoggerTimeoutMs);
    if (!angle)
        return E_FAIL;
    *result = AnsiToBstr(*angle);
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT BearingSourceFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT BearingSourceFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto* created = new (std::nothrow) BearingSourceObject();
    if (created == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT outcome = created->QueryInterface(iid, object);
    created->Release();
    return outcome;
}

HRESULT BearingSourceFactory::LockServer(BOOL lock) {
    if (lock) {
        ++ServerLocks();
    } else {
        // An unlock without a lock must not let the DLL unload under live callers later.
        long current = ServerLocks().load();
        while (current > 0 && !ServerLocks().compare_exchange_weak(current, current - 1)) {
        }
    }
    return S_OK;
}

}  // namespace bearing_standin
