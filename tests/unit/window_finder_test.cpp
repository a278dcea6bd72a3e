// The window finder over simulated window trees: walk order, the five rows of the table, keys, title
// reading rules, and the "SP" and logger records.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/window_finder.h"
#include "error_number_of.h"
#include "platform/sim/sim_window_tree.h"

namespace tarvello {
namespace {

using Texts = std::vector<std::wstring>;

std::wstring H(WindowHandle window) {
    return WindowFinder::HandleText(window);
}

// A tree whose class-name call fails for one window, as a platform call may in the middle of a walk.
// It also records how deep the search was nested at each class-name read, and can give windows owners that
// form a loop, as re-parenting windows may for a moment.
class FailingTree : public sim::SimWindowTree {
public:
    WindowHandle Parent(WindowHandle window) override {
        const auto owner = owners.find(window);
        return owner != owners.end() ? owner->second : SimWindowTree::Parent(window);
    }
    std::map<WindowHandle, WindowHandle> owners;
    WindowHandle failOn = 0;
    std::function<int()> depth;
    std::vector<int> depths;
    std::wstring ClassName(WindowHandle window, int bufferChars) override {
        if (window == failOn)
            throw std::runtime_error("class name unavailable");
        if (depth)
            depths.push_back(depth());
        return SimWindowTree::ClassName(window, bufferChars);
    }
};

struct FindWindowLike : ::testing::Test {
    int Find(const wchar_t* title, const wchar_t* className, WindowHandle start = 0) {
        return finder.FindWindowLike(table, start, title, className);
    }
    Texts Row(int row) const {
        Texts cells;
        for (std::size_t column = 0; column < table.Columns(); ++column)
            cells.push_back(table.Cell(row, column));
        return cells;
    }

    FailingTree tree;
    WindowFinder finder{tree};
    MatchTable table;
};

TEST_F(FindWindowLike, PostOrderWalkFillsAllFiveRowsWithKeysFromTheTopOfTheChain) {
    const WindowHandle top = tree.AddWindow(0, L"Main DXView Info", L"ThunderRT6FormDC");
    const WindowHandle child = tree.AddWindow(top, L"dxview info frame", L"ThunderRT6Frame");
    const WindowHandle grandchild = tree.AddWindow(child, L"DXVIEW INFO inner", L"ThunderRT6TextBox");
    tree.AddWindow(0, L"Other DXView Info", L"Notepad");  // title matches, class does not
    const WindowHandle popup = tree.AddWindow(0, L"Popup DXView Info", L"ThunderRT6Popup", top);

    tree.depth = [this] { return finder.searchDepth(); };
    EXPECT_EQ(Find(L"*DXView Info*", L"ThunderRT6*"), 4);
    EXPECT_EQ(tree.depths, (std::vector<int>{3, 2, 1, 1, 1}));
    tree.depth = nullptr;
    EXPECT_EQ(Row(MatchTable::kTitle),
              (Texts{L"DXVIEW INFO inner", L"dxview info frame", L"Main DXView Info", L"Popup DXView Info"}));
    EXPECT_EQ(Row(MatchTable::kHandle), (Texts{H(grandchild), H(child), H(top), H(popup)}));
    EXPECT_EQ(Row(MatchTable::kClassName),
              (Texts{L"ThunderRT6TextBox", L"ThunderRT6Frame", L"ThunderRT6FormDC", L"ThunderRT6Popup"}));
    EXPECT_EQ(Row(MatchTable::kRelation), (Texts{L"Child", L"Child", L"Parent", L"Child"}));
    // The number after 'h' is the index before the match was stored: one less than the column.
    EXPECT_EQ(Row(MatchTable::kKey), (Texts{H(top) + L"h-1", H(top) + L"h0", H(top) + L"h1", H(top) + L"h2"}));
    EXPECT_EQ(finder.lastMatchIndex(), 3);
    // A column beyond the table is refused, not written.
    EXPECT_THROW(table.SetColumn(table.Columns(), {}), ProgramError);

    // From a start window other than the desktop only its descendants are searched.
    EXPECT_EQ(Find(L"*", L"*", child), 1);
    EXPECT_EQ(Row(MatchTable::kKey), (Texts{H(top) + L"h-1"}));
    // A second search starts from an empty table whatever the first one found; a failing walk too.
    EXPECT_EQ(Find(L"nothing", L"*"), 0);
    EXPECT_EQ(Row(MatchTable::kTitle), Texts{L""});
    tree.failOn = child;
    EXPECT_THROW(Find(L"*", L"*"), std::runtime_error);
    EXPECT_EQ(finder.searchDepth(), 0);
    tree.failOn = 0;
    EXPECT_EQ(Find(L"*", L"*", top), 2);

    for (auto [row, column] : {std::pair{5, 0}, {0, 2}, {-1, 0}})
        EXPECT_EQ(test::ErrorNumberOf([&] { table.Cell(row, column); }), 9) << row << "," << column;
}

TEST_F(FindWindowLike, TitlesLongerThan256AreReadAs255AndClassNamesAs63) {
    const std::wstring title256 = std::wstring(255, L'a') + L'Z';
    const std::wstring title257 = std::wstring(254, L'b') + L"YXc";
    const std::wstring longClass(80, L'k');
    tree.AddWindow(0, title256, L"Wide");
    tree.AddWindow(0, title257, longClass);
    const WindowHandle sp = tree.AddWindow(0, L"SP", L"Static");
    tree.SetReportedTitleLength(sp, 6);   // a title shorter than its reported length is taken as read
    tree.AddWindow(0, L"", L"Untitled");  // matched by "*" alone

    ASSERT_EQ(Find(L"*", L"*"), 4);
    EXPECT_EQ(Row(MatchTable::kTitle), (Texts{title256, title257.substr(0, 255), L"SP", L""}));
    EXPECT_EQ(Row(MatchTable::kClassName)[1], longClass.substr(0, 63));
    // The pattern is tested against what was read: the 'X' at position 256 is not there.
    EXPECT_EQ(Find(L"*Y", L"*"), 1);
    EXPECT_EQ(Find(L"*Z", L"*"), 1);
    EXPECT_EQ(finder.hWndSP, sp);
}

TEST_F(FindWindowLike, AnOwnerChainThatLoopsEndsAfter4096Steps) {
    const WindowHandle a = tree.AddWindow(0, L"Loop A", L"X");
    const WindowHandle b = tree.AddWindow(0, L"Loop B", L"X");
    tree.owners = {{a, b}, {b, a}};
    EXPECT_EQ(Find(L"Loop A", L"*"), 1);
    EXPECT_EQ(Row(MatchTable::kKey), Texts{H(a) + L"h-1"});
}

}  // namespace
}  // namespace tarvello
