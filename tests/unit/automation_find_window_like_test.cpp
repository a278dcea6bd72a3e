// The window finder over simulated window trees: walk order, the five rows of the table, keys, title
// reading rules, and the "SP" and logger records.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "automation/mod_find_window_like.h"
#include "platform/program_error.h"
#include "platform/sim/sim_window_tree.h"

namespace tarvello {
namespace {

using sim::SimWindowTree;

std::wstring H(WindowHandle window) {
    return modFindWindowLike::HandleText(window);
}

std::vector<std::wstring> Row(const MatchTable& table, int row) {
    std::vector<std::wstring> cells;
    for (std::size_t column = 0; column < table.Columns(); ++column)
        cells.push_back(table.Cell(row, column));
    return cells;
}

bool IsOneEmptyColumn(const MatchTable& table) {
    if (table.Columns() != 1)
        return false;
    for (int row = 0; row < MatchTable::kRows; ++row) {
        if (!table.Cell(row, 0).empty())
            return false;
    }
    return true;
}

TEST(FindWindowLike, PostOrderWalkFillsAllFiveRowsWithKeysFromTheTopOfTheChain) {
    SimWindowTree tree;
    const WindowHandle top = tree.AddWindow(0, L"Main DXView Info", L"ThunderRT6FormDC");
    const WindowHandle child = tree.AddWindow(top, L"dxview info frame", L"ThunderRT6Frame");
    const WindowHandle grandchild = tree.AddWindow(child, L"DXVIEW INFO inner", L"ThunderRT6TextBox");
    tree.AddWindow(0, L"Other DXView Info", L"Notepad");  // title matches, class does not
    const WindowHandle popup = tree.AddWindow(0, L"Popup DXView Info", L"ThunderRT6Popup", top);
    modFindWindowLike finder(tree);
    MatchTable table;

    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*DXView Info*", L"ThunderRT6*"), 4);

    EXPECT_EQ(Row(table, MatchTable::kTitle), (std::vector<std::wstring>{L"DXVIEW INFO inner", L"dxview info frame",
                                                                         L"Main DXView Info", L"Popup DXView Info"}));
    EXPECT_EQ(Row(table, MatchTable::kHandle), (std::vector<std::wstring>{H(grandchild), H(child), H(top), H(popup)}));
    EXPECT_EQ(Row(table, MatchTable::kClassName), (std::vector<std::wstring>{L"ThunderRT6TextBox", L"ThunderRT6Frame",
                                                                             L"ThunderRT6FormDC", L"ThunderRT6Popup"}));
    EXPECT_EQ(Row(table, MatchTable::kRelation), (std::vector<std::wstring>{L"Child", L"Child", L"Parent", L"Child"}));
    // The number after 'h' is the index before the match was stored: one less than the column.
    EXPECT_EQ(Row(table, MatchTable::kKey),
              (std::vector<std::wstring>{H(top) + L"h-1", H(top) + L"h0", H(top) + L"h1", H(top) + L"h2"}));
    EXPECT_EQ(finder.searchDepth(), 0);
    EXPECT_EQ(finder.lastMatchIndex(), 3);
}

TEST(FindWindowLike, NoMatchLeavesOneEmptyColumnAndEmptyTitlesMatchOnlyAStar) {
    SimWindowTree tree;
    const WindowHandle untitled = tree.AddWindow(0, L"", L"ThunderRT6Main");
    modFindWindowLike finder(tree);
    MatchTable table;

    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*DXView Info*", L"ThunderRT6*"), 0);
    EXPECT_TRUE(IsOneEmptyColumn(table));

    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*", L"*"), 1);
    EXPECT_EQ(table.Cell(MatchTable::kTitle, 0), L"");
    EXPECT_EQ(table.Cell(MatchTable::kHandle, 0), H(untitled));
    EXPECT_EQ(table.Cell(MatchTable::kKey, 0), H(untitled) + L"h-1");

    // A second search starts from an empty table whatever the first one found.
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"nothing", L"*"), 0);
    EXPECT_TRUE(IsOneEmptyColumn(table));
}

TEST(FindWindowLike, TitlesLongerThan256AreReadAs255AndClassNamesAs63) {
    SimWindowTree tree;
    const std::wstring title256 = std::wstring(255, L'a') + L'Z';
    const std::wstring title300 = std::wstring(254, L'b') + L"YX" + std::wstring(44, L'c');
    const std::wstring longClass(80, L'k');
    tree.AddWindow(0, title256, L"Wide");
    tree.AddWindow(0, title300, longClass);
    modFindWindowLike finder(tree);
    MatchTable table;

    ASSERT_EQ(finder.FindWindowLike(table, 0, L"*", L"*"), 2);
    EXPECT_EQ(table.Cell(MatchTable::kTitle, 0), title256);
    EXPECT_EQ(table.Cell(MatchTable::kTitle, 1), title300.substr(0, 255));
    EXPECT_EQ(table.Cell(MatchTable::kClassName, 1), longClass.substr(0, 63));

    // The pattern is tested against what was read: the 'X' at position 256 is not there.
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*Y", L"*"), 1);
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*YX*", L"*"), 0);
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*Z", L"*"), 1);
}

TEST(FindWindowLike, TitleShorterThanItsReportedLengthIsTakenAsRead) {
    SimWindowTree tree;
    const WindowHandle window = tree.AddWindow(0, L"SP", L"Static");
    tree.SetReportedTitleLength(window, 6);
    modFindWindowLike finder(tree);
    MatchTable table;

    EXPECT_EQ(finder.FindWindowLike(table, 0, L"SP", L"*"), 1);
    EXPECT_EQ(table.Cell(MatchTable::kTitle, 0), L"SP");
    EXPECT_EQ(finder.hWndSP, window);
}

TEST(FindWindowLike, RecordsTheLastSPWindowAndLoggerTitleInWalkOrderAndNeverClearsThem) {
    SimWindowTree tree;
    tree.AddWindow(0, L"sp", L"Static");
    tree.AddWindow(0, L"SP ", L"Static");
    tree.AddWindow(0, L"WIN-CONTEST", L"Logger");
    const WindowHandle outer = tree.AddWindow(0, L"SP", L"ThunderRT6PictureBoxDC");
    tree.AddWindow(outer, L"SP", L"ThunderRT6PictureBoxDC");  // descendant: visited before its parent
    const WindowHandle logger = tree.AddWindow(0, L"Win-Contest Logbuch", L"Logger");
    modFindWindowLike finder(tree);
    MatchTable table;
    EXPECT_EQ(finder.hWndSP, 0);
    EXPECT_EQ(finder.sLoggerTitle, L"");

    // The records do not depend on the patterns: nothing matches here.
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*DXView Info*", L"ThunderRT6*"), 0);
    EXPECT_EQ(finder.hWndSP, outer);
    EXPECT_EQ(finder.sLoggerTitle, L"Win-Contest Logbuch");

    // Of two sibling "SP" windows, the later one in Z-order wins.
    const WindowHandle later = tree.AddWindow(0, L"SP", L"Static");
    tree.SetTitle(logger, L"Win-Contest 2 - Test.wcl");
    finder.FindWindowLike(table, 0, L"*", L"*");
    EXPECT_EQ(finder.hWndSP, later);
    EXPECT_EQ(finder.sLoggerTitle, L"Win-Contest 2 - Test.wcl");

    // A walk that meets neither keeps the earlier values.
    tree.Destroy(later);
    tree.Destroy(outer);
    tree.Destroy(logger);
    finder.FindWindowLike(table, 0, L"*", L"*");
    EXPECT_EQ(finder.hWndSP, later);
    EXPECT_EQ(finder.sLoggerTitle, L"Win-Contest 2 - Test.wcl");
}

TEST(FindWindowLike, StartWindowOtherThanTheDesktopSearchesOnlyItsDescendants) {
    SimWindowTree tree;
    const WindowHandle top = tree.AddWindow(0, L"Form", L"ThunderRT6FormDC");
    const WindowHandle inner = tree.AddWindow(top, L"Inner", L"ThunderRT6Frame");
    const WindowHandle leaf = tree.AddWindow(inner, L"Leaf", L"ThunderRT6TextBox");
    tree.AddWindow(0, L"Elsewhere", L"ThunderRT6FormDC");
    modFindWindowLike finder(tree);
    MatchTable table;

    EXPECT_EQ(finder.FindWindowLike(table, inner, L"*", L"*"), 1);
    EXPECT_EQ(Row(table, MatchTable::kHandle), (std::vector<std::wstring>{H(leaf)}));
    EXPECT_EQ(Row(table, MatchTable::kKey), (std::vector<std::wstring>{H(top) + L"h-1"}));

    EXPECT_EQ(finder.FindWindowLike(table, top, L"*", L"*"), 2);
    EXPECT_EQ(Row(table, MatchTable::kHandle), (std::vector<std::wstring>{H(leaf), H(inner)}));
}

TEST(FindWindowLike, HandlesAreWrittenAsSigned32BitDecimals) {
    EXPECT_EQ(modFindWindowLike::HandleText(0x10010), L"65552");
    EXPECT_EQ(modFindWindowLike::HandleText(0xFFFFFFFF), L"-1");
    EXPECT_EQ(modFindWindowLike::HandleText(0x80000000), L"-2147483648");
    EXPECT_EQ(modFindWindowLike::HandleText(0x100000010LL), L"16");
}

// A tree whose class-name call fails for one window, as a platform call may in the middle of a walk.
class FailingTree : public SimWindowTree {
public:
    WindowHandle failOn = 0;
    std::wstring ClassName(WindowHandle window, int bufferChars) override {
        if (window == failOn)
            throw std::runtime_error("class name unavailable");
        return SimWindowTree::ClassName(window, bufferChars);
    }
};

TEST(FindWindowLike, AFailureInTheWalkStillLeavesTheNextSearchStartingAfresh) {
    FailingTree tree;
    const WindowHandle top = tree.AddWindow(0, L"Top", L"A");
    tree.failOn = tree.AddWindow(top, L"Bad", L"B");
    modFindWindowLike finder(tree);
    MatchTable table;

    EXPECT_THROW(finder.FindWindowLike(table, 0, L"*", L"*"), std::runtime_error);
    EXPECT_EQ(finder.searchDepth(), 0);

    tree.failOn = 0;
    EXPECT_EQ(finder.FindWindowLike(table, 0, L"*", L"*"), 2);
    EXPECT_EQ(Row(table, MatchTable::kTitle), (std::vector<std::wstring>{L"Bad", L"Top"}));
}

TEST(MatchTable, CellsOutsideTheTableFailWithSubscriptOutOfRange) {
    MatchTable table;
    EXPECT_EQ(table.Columns(), 1u);
    try {
        table.Cell(5, 0);
        ADD_FAILURE() << "row 5 was accepted";
    } catch (const ProgramError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    EXPECT_THROW(table.Cell(0, 1), ProgramError);
    EXPECT_THROW(table.Cell(-1, 0), ProgramError);
}

}  // namespace
}  // namespace tarvello
