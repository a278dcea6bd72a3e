// The bearing component under Wine: BearingSource.dll's COM rules when loaded directly, then the real path
// the program takes (regsvr32, CoCreateInstance, slot 7) against the logger stand-in's angle.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <functional>
#include <memory>
#include <string>

#include "../../standins/common/standin_names.h"
#include "../../standins/common/standin_text.h"
#include "platform/program_error.h"
#include "platform/win32/bearing_source_com_interface.h"
#include "platform/win32/win32_bearing_source_com.h"
#include "standin_harness.h"

namespace {

using namespace standin_test;
using tarvello::win32::IBearingSourceText;
using tarvello::win32::kBearingSourceClass;
using tarvello::win32::kBearingSourceInterface;

constexpr GUID kSomeOtherClass = {0x11111111, 0x2222, 0x3333, {0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB}};

using GetClassObjectProc = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadProc = HRESULT(STDAPICALLTYPE*)();

std::string DllPath() {
    return BinPath("BearingSource.dll");
}

// The error number a call throws as ProgramError; 0 when it throws nothing.
int ThrownNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const tarvello::ProgramError& error) {
        return error.Number();
    }
    return 0;
}

std::string RegistryText(const std::string& key, const char* name) {
    char value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return value;
}

struct ReleaseUnknown {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ReleaseUnknown>;

// Loads BearingSource.dll directly, as COM would after finding it in the registry.
class BearingSourceDll : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA(DllPath().c_str());
        ASSERT_NE(library_, nullptr) << DllPath();
        getClassObject_ = reinterpret_cast<GetClassObjectProc>(
            reinterpret_cast<void*>(GetProcAddress(library_, "DllGetClassObject")));
        canUnload_ =
            reinterpret_cast<CanUnloadProc>(reinterpret_cast<void*>(GetProcAddress(library_, "DllCanUnloadNow")));
        ASSERT_NE(getClassObject_, nullptr);
        ASSERT_NE(canUnload_, nullptr);
        void* factory = nullptr;
        ASSERT_EQ(getClassObject_(kBearingSourceClass, IID_IClassFactory, &factory), S_OK);
        factory_.reset(static_cast<IClassFactory*>(factory));
    }
    void TearDown() override {
        factory_.reset();
        if (library_ != nullptr)
            FreeLibrary(library_);
    }

    ComPtr<IBearingSourceText> NewObject() {
        void* object = nullptr;
        EXPECT_EQ(factory_->CreateInstance(nullptr, kBearingSourceInterface, &object), S_OK);
        return ComPtr<IBearingSourceText>(static_cast<IBearingSourceText*>(object));
    }

    HMODULE library_ = nullptr;
    GetClassObjectProc getClassObject_ = nullptr;
    CanUnloadProc canUnload_ = nullptr;
    ComPtr<IClassFactory> factory_;
};

TEST_F(BearingSourceDll, ClassObjectRefusesOtherClassesAggregationAndUnknownInterfaces) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject_(kSomeOtherClass, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(getClassObject_(kBearingSourceClass, IID_IClassFactory, nullptr), E_POINTER);

    ComPtr<IBearingSourceText> outer = NewObject();
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory_->CreateInstance(outer.get(), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);

    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(outer->QueryInterface(IID_IPersist, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    // Every interface the object offers is the one object: IDispatch and IUnknown give the same pointer.
    for (const IID* iid : {&IID_IDispatch, &IID_IUnknown}) {
        ASSERT_EQ(outer->QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, outer.get());
        outer->Release();
    }
}

TEST_F(BearingSourceDll, DllStaysLoadedWhileObjectsOrLocksAreAlive) {
    EXPECT_EQ(canUnload_(), S_OK);
    {
        ComPtr<IBearingSourceText> object = NewObject();
        EXPECT_EQ(canUnload_(), S_FALSE);
    }
    // The third step is a stray unlock, which must not cancel the lock after it.
    const std::pair<BOOL, HRESULT> steps[] = {
        {TRUE, S_FALSE}, {FALSE, S_OK}, {FALSE, S_OK}, {TRUE, S_FALSE}, {FALSE, S_OK}};
    for (const auto& [lock, canUnload] : steps) {
        factory_->LockServer(lock);
        EXPECT_EQ(canUnload_(), canUnload);
    }
}

TEST_F(BearingSourceDll, DispatchKnowsOnlyReadBearingTextWithoutArguments) {
    ComPtr<IBearingSourceText> object = NewObject();
    wchar_t lowerCase[] = L"readbearingtext";
    wchar_t unknown[] = L"Angle";
    LPOLESTR names[] = {lowerCase};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    names[0] = unknown;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);

    DISPPARAMS none{};
    VARIANT argument;
    VariantInit(&argument);
    DISPPARAMS one{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(object->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &one, &result, nullptr, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(result.vt, VT_EMPTY);
}

TEST_F(BearingSourceDll, WithoutALoggerEveryWayOfAskingFailsAndInventsNoBearing) {
    ComPtr<IBearingSourceText> object = NewObject();
    EXPECT_EQ(object->ReadBearingText(nullptr), E_POINTER);
    BSTR text = SysAllocString(L"stale");
    EXPECT_EQ(object->ReadBearingText(&text), E_FAIL);
    EXPECT_EQ(text, nullptr);

    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, &result, &exception, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(exception.scode, E_FAIL);
    ASSERT_NE(exception.bstrDescription, nullptr);
    EXPECT_EQ(std::wstring(exception.bstrDescription), L"Win-Contest antwortet nicht");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
}

// The program's own path: registered with regsvr32, created with CoCreateInstance, read through slot 7.
class BearingSourceCom : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA(standin::kLoggerWindowClass, nullptr), nullptr) << "a logger stand-in is left over";
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        comReady_ = true;
    }
    void TearDown() override {
        // The prefix is shared with later tests, which expect no bearing component unless they register one.
        Unregister();
        if (comReady_)
            CoUninitialize();
    }

    static std::optional<DWORD> Register() { return RunToEnd("regsvr32.exe", "/s \"" + DllPath() + "\""); }
    static std::optional<DWORD> Unregister() { return RunToEnd("regsvr32.exe", "/u /s \"" + DllPath() + "\""); }

    bool comReady_ = false;
};

TEST_F(BearingSourceCom, RegsvrWritesTheClassKeyAndUnregisterRemovesIt) {
    const std::string classKey = tarvello::win32::kBearingSourceClassKey;
    ASSERT_EQ(Register(), 0u);
    EXPECT_EQ(RegistryText(classKey + "\\InprocServer32", nullptr), DllPath());
    EXPECT_EQ(RegistryText(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    // Registering twice is harmless, and so is removing a class that is already gone.
    EXPECT_EQ(Register(), 0u);
    EXPECT_EQ(Unregister(), 0u);
    EXPECT_EQ(RegistryText(classKey + "\\InprocServer32", nullptr), "<missing>");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, classKey.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Unregister(), 0u);
}

TEST_F(BearingSourceCom, ReadsTheLoggersCurrentAngleAndFailsOnceTheLoggerIsGone) {
    ASSERT_EQ(Register(), 0u);
    auto logger = std::make_unique<ChildProcess>();
    ASSERT_TRUE(logger->Start(BinPath(standin::kLoggerExe),
                              "--angle 245 --journal \"" + FreshJournalPath("bearing-logger") + "\""));
    const HWND window = WaitForWindowOf(logger->Id(), standin::kLoggerWindowClass);
    ASSERT_NE(window, nullptr) << "the logger stand-in's window did not appear";

    tarvello::win32::ComBearingSourceFactory factory;
    std::unique_ptr<tarvello::BearingSource> source = factory.Create();
    EXPECT_EQ(source->ReadBearingText(), L"245");

    // The text follows the logger, and ANSI letters arrive as the same characters (0xB0 is the degree sign).
    ASSERT_EQ(SendControl(window, "set angle 12\xB0"), TRUE);
    EXPECT_EQ(source->ReadBearingText(), L"12\u00B0");
    ASSERT_EQ(SendControl(window, "set angle "), TRUE);
    EXPECT_EQ(source->ReadBearingText(), L"");

    // Slot 7 of the raw vtable is the member the program calls; late binding reaches the same member.
    void* raw = nullptr;
    ASSERT_EQ(CoCreateInstance(kBearingSourceClass, nullptr, CLSCTX_INPROC_SERVER, kBearingSourceInterface, &raw),
              S_OK);
    ComPtr<IBearingSourceText> object(static_cast<IBearingSourceText*>(raw));
    ASSERT_EQ(SendControl(window, "set angle 90"), TRUE);
    using SlotMethod = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);
    auto** table = *static_cast<void***>(raw);
    BSTR text = nullptr;
    ASSERT_EQ(reinterpret_cast<SlotMethod>(table[tarvello::win32::kReadBearingTextSlot])(raw, &text), S_OK);
    EXPECT_EQ(std::wstring(text, SysStringLen(text)), L"90");
    SysFreeString(text);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(result.bstrVal), L"90");
    VariantClear(&result);

    logger.reset();
    ASSERT_TRUE(WaitForWindowGone(standin::kLoggerWindowClass));
    EXPECT_EQ(ThrownNumber([&] { source->ReadBearingText(); }), tarvello::error_number::kAutomationError);
}

TEST_F(BearingSourceCom, CreateFailsWith429WhenTheComponentIsNotRegistered) {
    ASSERT_EQ(Unregister(), 0u);
    tarvello::win32::ComBearingSourceFactory factory;
    EXPECT_EQ(ThrownNumber([&] { factory.Create(); }), tarvello::error_number::kBearingSource);
    // Registered and then removed again: the class is gone for good, not served from a cache.
    ASSERT_EQ(Register(), 0u);
    EXPECT_EQ(ThrownNumber([&] { factory.Create(); }), 0);
    ASSERT_EQ(Unregister(), 0u);
    EXPECT_EQ(ThrownNumber([&] { factory.Create(); }), tarvello::error_number::kBearingSource);
}

}  // namespace
