// The compiled help under Wine: HtmlHelpA of hhctrl.ocx opens Tarvello.chm in a top-level help window whose
// title is the help file's own title.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "standin_harness.h"

namespace {

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr char kHelpWindowClass[] = "HH Parent";

TEST(HelpFile, OpensInAHelpWindowTitledTarvelloHilfeAndCloses) {
    const std::string path = standin_test::BinPath("Tarvello.chm");
    ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    ASSERT_EQ(FindWindowA(kHelpWindowClass, nullptr), nullptr) << "a help window is left over";
    HMODULE library = LoadLibraryA("hhctrl.ocx");
    ASSERT_NE(library, nullptr);
    auto htmlHelp = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    ASSERT_NE(htmlHelp, nullptr);

    const HWND returned = htmlHelp(nullptr, path.c_str(), kDisplayTopic, 0);
    const HWND window = standin_test::WaitForWindow(kHelpWindowClass, "Tarvello Hilfe");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(returned, window);
    EXPECT_EQ(GetParent(window), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(standin_test::WaitForWindowGone(kHelpWindowClass));
    FreeLibrary(library);
}

}  // namespace
