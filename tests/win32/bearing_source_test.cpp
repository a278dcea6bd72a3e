// The bearing component under Wine, the way the program reaches it: registered with the 32-bit regsvr32,
// created with CoCreateInstance and read through the fourth member of its interface. The stand-in lays out
// three other members before it, each answering its own text and journaled, so any other slot shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "base/program_error.h"
#include "platform/win32/bearing_source_com_interface.h"
#include "platform/win32/win32_bearing_source_com.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/test_env.h"

namespace {

using namespace test_support;
using namespace tarvello::error_number;

// regsvr32 with the given switches on the stand-in; this test is a 32-bit process, so "regsvr32.exe" is the
// 32-bit one of syswow64.
std::optional<DWORD> Regsvr32(const std::wstring& switches) {
    return RunToEnd(L"regsvr32.exe " + switches + L" \"" + BinPath(L"BearingSource.dll") + L"\"");
}

// COM for this thread, the component's journal, and no component left registered for later tests.
struct ComInThisTest {
    ComInThisTest() { SetEnvironmentVariableW(L"BEARINGSOURCE_JOURNAL", journal.c_str()); }
    ~ComInThisTest() {
        Regsvr32(L"/u /s");
        SetEnvironmentVariableW(L"BEARINGSOURCE_JOURNAL", nullptr);
        if (initialized)
            CoUninitialize();
    }
    const bool initialized = SUCCEEDED(CoInitialize(nullptr));
    const std::wstring journal = FreshTempPath(L"bearing-source");
};

TEST(BearingSourceCom, TheProgramReadsTheFourthMemberAndAMissingComponentOrLoggerFailsWithItsNumber) {
    ComInThisTest com;
    ASSERT_TRUE(com.initialized);
    tarvello::win32::ComBearingSourceFactory factory;
    ASSERT_EQ(Regsvr32(L"/u /s"), 0u);
    EXPECT_EQ(ErrorOf([&] { factory.Create(); }), kBearingSource);
    ASSERT_EQ(Regsvr32(L"/s"), 0u);
    std::unique_ptr<tarvello::BearingSource> source = factory.Create();
    // No logger answers: the component invents no bearing.
    EXPECT_EQ(ErrorOf([&] { source->ReadBearingText(); }), kAutomationError);

    const std::wstring loggerJournal = FreshTempPath(L"bearing-logger");
    ChildProcess logger(L"\"" + BinPath(L"ContestLogger.exe") + L"\" --angle 245 --journal \"" + loggerJournal + L"\"");
    ASSERT_TRUE(WaitForJournalText(loggerJournal, "READY"));
    EXPECT_EQ(source->ReadBearingText(), L"245");
    // ANSI letters arrive as the same characters (0xB0 is the degree sign).
    ASSERT_EQ(RunToEnd(L"\"" + BinPath(L"standin-ctl.exe") + L"\" logger set angle 12\u00B0"), 0u);
    EXPECT_EQ(source->ReadBearingText(), L"12\u00B0");
    EXPECT_EQ(JournalTexts(com.journal), std::vector<std::string>(3, "CALL ReadBearingText"));
}

// A local server is registered in the registry view of its own bitness; the program must see it in either.
TEST(BearingSourceLocalServer, IsLookedForInBothRegistryViews) {
    using tarvello::win32::BearingSourceCreationContext;
    const std::string classKey = tarvello::win32::BearingSourceClassKey();
    EXPECT_EQ(classKey, "CLSID\\{5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}");
    const std::string key = classKey + "\\LocalServer32";
    EXPECT_EQ(BearingSourceCreationContext(), static_cast<DWORD>(CLSCTX_INPROC_SERVER));
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &created,
                                  nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
        EXPECT_EQ(BearingSourceCreationContext(), static_cast<DWORD>(CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER))
            << (view == KEY_WOW64_64KEY ? "64-bit view" : "32-bit view");
        RegDeleteKeyExA(HKEY_CLASSES_ROOT, key.c_str(), view, 0);
        RegDeleteKeyExA(HKEY_CLASSES_ROOT, classKey.c_str(), view, 0);
    }
    EXPECT_EQ(BearingSourceCreationContext(), static_cast<DWORD>(CLSCTX_INPROC_SERVER));
}

}  // namespace
