// The bearing component under Wine, the way the program reaches it: registered with the 32-bit regsvr32,
// created with CoCreateInstance and read through the fourth member of its interface. The stand-in lays out
// three other members before it, each answering its own text and journaled, so any other slot shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "../../standins/common/standin_names.h"
#include "common/program_error.h"
#include "platform/win32/bearing_source_com_interface.h"
#include "platform/win32/win32_bearing_source_com.h"
#include "standin_harness.h"

namespace {

using namespace standin_test;

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

class BearingSourceCom : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA(standin::kLoggerWindowClass, nullptr), nullptr) << "a logger stand-in is left over";
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        comReady_ = true;
        // The component lives in this process and writes its journal where this variable says.
        SetEnvironmentVariableA("BEARINGSOURCE_JOURNAL", journal_.c_str());
    }
    void TearDown() override {
        // The prefix is shared with later tests, which expect no bearing component unless they register one.
        Unregister();
        SetEnvironmentVariableA("BEARINGSOURCE_JOURNAL", nullptr);
        if (comReady_)
            CoUninitialize();
    }

    // The 32-bit regsvr32: this test is a 32-bit process, so "regsvr32.exe" is the one in syswow64.
    static std::optional<DWORD> Register() { return RunToEnd("regsvr32.exe", "/s \"" + DllPath() + "\""); }
    static std::optional<DWORD> Unregister() { return RunToEnd("regsvr32.exe", "/u /s \"" + DllPath() + "\""); }

    bool comReady_ = false;
    std::string journal_ = FreshJournalPath("bearing-source");
};

TEST_F(BearingSourceCom, TheProgramReadsTheFourthMemberAndNothingElse) {
    ASSERT_EQ(Register(), 0u);
    ChildProcess logger;
    ASSERT_TRUE(logger.Start(BinPath(standin::kLoggerExe),
                             "--angle 245 --journal \"" + FreshJournalPath("bearing-logger") + "\""));
    const HWND window = WaitForWindowOf(logger.Id(), standin::kLoggerWindowClass);
    ASSERT_NE(window, nullptr) << "the logger stand-in's window did not appear";
    // Its DDE service follows the window (and a logger of an earlier test may still be on its way out).
    ASSERT_TRUE(WaitFor([] { return DdeClient::RequestOnce("Contest32", "DDE", "Winkel") == "245"; }));

    tarvello::win32::ComBearingSourceFactory factory;
    std::unique_ptr<tarvello::BearingSource> source;
    ASSERT_EQ(ThrownNumber([&] { source = factory.Create(); }), 0);
    std::wstring text;
    ASSERT_EQ(ThrownNumber([&] { text = source->ReadBearingText(); }), 0) << JournalText(journal_);
    EXPECT_EQ(text, L"245");
    // ANSI letters arrive as the same characters (0xB0 is the degree sign).
    ASSERT_EQ(SendControl(window, "set angle 12\xB0"), TRUE);
    EXPECT_EQ(source->ReadBearingText(), L"12\u00B0");
    EXPECT_EQ(JournalText(journal_), "CALL ReadBearingText | CALL ReadBearingText");
}

TEST_F(BearingSourceCom, AMissingComponentOrLoggerFailsWithItsNumber) {
    ASSERT_EQ(Unregister(), 0u);
    tarvello::win32::ComBearingSourceFactory factory;
    EXPECT_EQ(ThrownNumber([&] { factory.Create(); }), tarvello::error_number::kBearingSource);
    // Registered, but no logger answers: the component invents no bearing.
    ASSERT_EQ(Register(), 0u);
    std::unique_ptr<tarvello::BearingSource> source = factory.Create();
    EXPECT_EQ(ThrownNumber([&] { source->ReadBearingText(); }), tarvello::error_number::kAutomationError);
}

// A local server is registered in the registry view of its own bitness; the program must see it in either.
TEST(BearingSourceLocalServer, IsLookedForInBothRegistryViews) {
    using tarvello::win32::BearingSourceCreationContext;
    const std::string key = std::string(tarvello::win32::kBearingSourceClassKey) + "\\LocalServer32";
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
        RegDeleteKeyExA(HKEY_CLASSES_ROOT, tarvello::win32::kBearingSourceClassKey, view, 0);
    }
    EXPECT_EQ(BearingSourceCreationContext(), static_cast<DWORD>(CLSCTX_INPROC_SERVER));
}

}  // namespace
