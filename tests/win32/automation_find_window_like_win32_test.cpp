// The window finder over a real window tree under Wine: nested children, an owned pop-up, a window titled
// "SP" and the logger's "Win-Contest" window; and one timed walk of the whole Wine desktop.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "automation/mod_find_window_like.h"
#include "automation_win32_support.h"
#include "platform/win32/win32_window_tree.h"

namespace tarvello {
namespace {

WindowHandle AsHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

HWND Create(const char* title, DWORD style, HWND parent) {
    return CreateWindowExA(0, test::RecordingClass(), title, style, 10, 10, 200, 100, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

int ColumnOf(const MatchTable& table, HWND window) {
    const std::wstring handle = modFindWindowLike::HandleText(AsHandle(window));
    for (std::size_t c = 0; c < table.Columns(); ++c) {
        if (table.Cell(MatchTable::kHandle, c) == handle)
            return static_cast<int>(c);
    }
    return -1;
}

TEST(FindWindowLikeWin32, WalksARealTreeWithChildrenOwnedPopupsAndPartnerWindows) {
    HWND top = Create("FwlTest DXView Info", WS_OVERLAPPEDWINDOW, nullptr);
    HWND child = Create("FwlTest child", WS_CHILD | WS_VISIBLE, top);
    HWND grandchild = Create("SP", WS_CHILD | WS_VISIBLE, child);
    HWND popup = Create("FwlTest popup", WS_POPUP, top);
    HWND logger = Create("Win-Contest FwlTest Logbuch", WS_OVERLAPPEDWINDOW, nullptr);
    ASSERT_TRUE(top && child && grandchild && popup && logger);

    win32::Win32WindowTree tree;
    modFindWindowLike finder(tree);
    MatchTable table;
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*fwltest*", L"TarvelloAutomation*"), 4);

    const int topColumn = ColumnOf(table, top);
    const int childColumn = ColumnOf(table, child);
    const int popupColumn = ColumnOf(table, popup);
    const int loggerColumn = ColumnOf(table, logger);
    ASSERT_GE(topColumn, 0);
    ASSERT_GE(childColumn, 0);
    ASSERT_GE(popupColumn, 0);
    ASSERT_GE(loggerColumn, 0);
    EXPECT_LT(childColumn, topColumn);  // descendants before the window itself
    EXPECT_EQ(ColumnOf(table, grandchild), -1);

    const std::wstring topHandle = modFindWindowLike::HandleText(AsHandle(top));
    EXPECT_EQ(table.Cell(MatchTable::kTitle, static_cast<std::size_t>(childColumn)), L"FwlTest child");
    EXPECT_EQ(table.Cell(MatchTable::kClassName, static_cast<std::size_t>(childColumn)), L"TarvelloAutomationTest");
    EXPECT_EQ(table.Cell(MatchTable::kRelation, static_cast<std::size_t>(childColumn)), L"Child");
    EXPECT_EQ(table.Cell(MatchTable::kRelation, static_cast<std::size_t>(popupColumn)), L"Child");
    EXPECT_EQ(table.Cell(MatchTable::kRelation, static_cast<std::size_t>(topColumn)), L"Parent");
    EXPECT_EQ(table.Cell(MatchTable::kKey, static_cast<std::size_t>(childColumn)),
              topHandle + L"h" + std::to_wstring(childColumn - 1));
    EXPECT_EQ(table.Cell(MatchTable::kKey, static_cast<std::size_t>(popupColumn)),
              topHandle + L"h" + std::to_wstring(popupColumn - 1));
    EXPECT_EQ(table.Cell(MatchTable::kKey, static_cast<std::size_t>(topColumn)),
              topHandle + L"h" + std::to_wstring(topColumn - 1));

    EXPECT_EQ(finder.hWndSP, AsHandle(grandchild));
    EXPECT_EQ(finder.sLoggerTitle, L"Win-Contest FwlTest Logbuch");

    // Below the top window only its child and grandchild are searched.
    EXPECT_EQ(finder.FindWindowLike(table, AsHandle(top), L"*", L"*"), 2);
    EXPECT_EQ(ColumnOf(table, grandchild), 0);
    EXPECT_EQ(ColumnOf(table, child), 1);

    // Activation by title: exact first, else the first title that begins with the text.
    EXPECT_TRUE(tree.ActivateByTitle(L"Win-Contest FwlTest"));
    EXPECT_FALSE(tree.ActivateByTitle(L""));
    EXPECT_FALSE(tree.ActivateByTitle(L"No such window FwlTest"));

    DestroyWindow(logger);
    DestroyWindow(popup);
    DestroyWindow(top);
}

TEST(FindWindowLikeWin32, TimesOneWalkOfTheWholeWineDesktop) {
    win32::Win32WindowTree tree;
    modFindWindowLike finder(tree);
    MatchTable table;
    const int windows = finder.FindWindowLike(table, 0, L"*", L"*");
    ASSERT_GT(windows, 0);
    constexpr int kWalks = 50;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < kWalks; ++n)
        finder.FindWindowLike(table, 0, L"*DXView Info*", L"ThunderRT6*");
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::cout << "Wine desktop walk: " << windows << " windows, " << us / kWalks << " us per walk, "
              << us / kWalks / windows << " us per window\n";
    RecordProperty("windows", windows);
    RecordProperty("us_per_walk", static_cast<int>(us / kWalks));
}

}  // namespace
}  // namespace tarvello
