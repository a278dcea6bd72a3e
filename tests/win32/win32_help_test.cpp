// The help family under Wine: Win32Help opens the compiled help file in a top-level "HH Parent" window, and a
// path the ANSI call cannot carry opens nothing.
#include "platform/win32/win32_help.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace {

using namespace test_support;

HWND HelpWindow() {
    return FindWindowA("HH Parent", nullptr);
}

TEST(Win32HelpTest, ShowHelpOpensTheHelpFileInItsOwnWindow) {
    tarvello::win32::Win32Help help;
    const std::wstring chm = BinPath(L"Tarvello.chm");
    ASSERT_NE(GetFileAttributesW(chm.c_str()), INVALID_FILE_ATTRIBUTES) << "Tarvello.chm is not built beside the tests";
    ASSERT_EQ(HelpWindow(), nullptr) << "a help window is left over";

    // A path with an embedded NUL would open a shorter, different path: nothing opens.
    help.ShowHelp(std::wstring(L"C:\\x\0", 5) + chm);
    EXPECT_FALSE(WaitFor([] { return HelpWindow() != nullptr; }, 1500));

    help.ShowHelp(chm);
    ASSERT_TRUE(WaitFor([] { return HelpWindow() != nullptr; }, 15000));
    EXPECT_EQ(GetParent(HelpWindow()), nullptr);
    PostMessageA(HelpWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([] { return HelpWindow() == nullptr; }, 15000));
}

}  // namespace
