// The compiled help under Wine: HtmlHelpA of hhctrl.ocx opens Tarvello.chm in a help window whose title is
// the help file's own title.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "com_help_test_support.h"

namespace {

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr char kHelpWindowClass[] = "HH Parent";
constexpr char kHelpTitle[] = "Tarvello Hilfe";
constexpr DWORD kWindowTimeoutMs = 15000;

TEST(HelpFile, OpensInAHelpWindowTitledTarvelloHilfeAndCloses) {
    const std::string folder = com_help_test::BinFolder();
    ASSERT_FALSE(folder.empty()) << "TARVELLO_BIN is not set";
    const std::string path = folder + "\\Tarvello.chm";
    ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    ASSERT_EQ(FindWindowA(kHelpWindowClass, nullptr), nullptr) << "a help window is left over";

    HMODULE library = LoadLibraryA("hhctrl.ocx");
    ASSERT_NE(library, nullptr);
    auto htmlHelp = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    ASSERT_NE(htmlHelp, nullptr);

    const HWND returned = htmlHelp(nullptr, path.c_str(), kDisplayTopic, 0);
    const HWND window = com_help_test::WaitForWindow(kHelpWindowClass, kHelpTitle, kWindowTimeoutMs);
    ASSERT_NE(window, nullptr) << "no help window titled \"" << kHelpTitle << "\"";
    EXPECT_EQ(returned, window);
    EXPECT_EQ(GetParent(window), nullptr) << "the help window must be top-level";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(com_help_test::WaitForWindowGone(kHelpWindowClass, kWindowTimeoutMs));
    FreeLibrary(library);
}

}  // namespace
