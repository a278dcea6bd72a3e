// The window finder over a real window tree under Wine: nested children, an owned pop-up, a window titled
// "SP" and a "Win-Contest" window of this very process, which is never taken for the logger.
#include <gtest/gtest.h>

#include "automation/mod_find_window_like.h"
#include "automation_win32_support.h"
#include "platform/win32/win32_window_tree.h"

namespace tarvello {
namespace {

WindowHandle AsHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

std::wstring H(HWND window) {
    return modFindWindowLike::HandleText(AsHandle(window));
}

HWND Create(const char* title, DWORD style, HWND parent) {
    return CreateWindowExA(0, test::RecordingClass(), title, style, 10, 10, 200, 100, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// The table's column holding the window, or -1.
int ColumnOf(const MatchTable& table, HWND window) {
    for (std::size_t c = 0; c < table.Columns(); ++c) {
        if (table.Cell(MatchTable::kHandle, c) == H(window))
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
    EXPECT_EQ(ColumnOf(table, grandchild), -1);
    EXPECT_LT(ColumnOf(table, child), ColumnOf(table, top));  // descendants before the window itself
    for (auto [window, relation] : {std::pair{child, L"Child"}, {popup, L"Child"}, {top, L"Parent"}}) {
        const int column = ColumnOf(table, window);
        ASSERT_GE(column, 0);
        const auto c = static_cast<std::size_t>(column);
        EXPECT_EQ(table.Cell(MatchTable::kRelation, c), relation);
        EXPECT_EQ(table.Cell(MatchTable::kClassName, c), L"TarvelloAutomationTest");
        EXPECT_EQ(table.Cell(MatchTable::kKey, c), H(top) + L"h" + std::to_wstring(column - 1));
    }
    EXPECT_EQ(table.Cell(MatchTable::kTitle, static_cast<std::size_t>(ColumnOf(table, child))), L"FwlTest child");
    EXPECT_GE(ColumnOf(table, logger), 0);
    EXPECT_EQ(finder.hWndSP, AsHandle(grandchild));
    // The "logger" here is a window of this very process, and a program's own window is never the logger.
    EXPECT_TRUE(tree.BelongsToThisProgram(AsHandle(logger)));
    EXPECT_FALSE(tree.BelongsToThisProgram(tree.DesktopWindow()));
    EXPECT_EQ(finder.sLoggerTitle, L"");

    // Below the top window only its child and grandchild are searched.
    EXPECT_EQ(finder.FindWindowLike(table, AsHandle(top), L"*", L"*"), 2);
    EXPECT_EQ(ColumnOf(table, grandchild), 0);
    EXPECT_EQ(ColumnOf(table, child), 1);

    // Activation by title: exact first, else the first title that begins with the text.
    EXPECT_TRUE(tree.ActivateByTitle(L"Win-Contest FwlTest"));
    EXPECT_FALSE(tree.ActivateByTitle(L""));
    EXPECT_FALSE(tree.ActivateByTitle(L"No such window FwlTest"));
    DestroyWindow(logger);
    DestroyWindow(top);
}

}  // namespace
}  // namespace tarvello
