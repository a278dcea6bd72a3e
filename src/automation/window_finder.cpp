// The window finder: a post-order walk of the window tree with pattern tests and partner-window records.
#include "automation/window_finder.h"

#include "automation/upper_case.h"
#include "partners/partners.h"

namespace tarvello {
namespace {

constexpr int kClassBufferChars = 64;
// A title longer than this is read as its first kLongTitleReadChars characters.
constexpr int kLongestTitleReadWhole = 256;
constexpr int kLongTitleReadChars = 255;
// GetParent chains are short; the bound only keeps a chain that loops while windows are re-parented from
// hanging the walk.
constexpr int kMaxParentChain = 4096;

// Keeps the depth counter right when a platform call fails in the middle of the walk, so the next search
// still starts afresh from the desktop.
class DepthGuard {
public:
    explicit DepthGuard(std::int32_t& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    std::int32_t& depth_;
};

}  // namespace

std::int32_t WindowFinder::FindWindowLike(MatchTable& matchTable,
                                          WindowHandle startWindow,
                                          const std::wstring& titlePattern,
                                          const std::wstring& classPattern) {
    if (searchDepth_ == 0) {
        if (startWindow == 0)
            startWindow = windows_.DesktopWindow();
        lastMatchIndex_ = -1;
        matchTable.Reset();
    }
    const WildcardPattern title(UpperCaseText(titlePattern));
    const WildcardPattern className(UpperCaseText(classPattern));
    SearchChildren(matchTable, startWindow, title, className);
    return lastMatchIndex_ + 1;
}

void WindowFinder::SearchChildren(MatchTable& matchTable,
                                  WindowHandle parent,
                                  const WildcardPattern& title,
                                  const WildcardPattern& className) {
    DepthGuard depth(searchDepth_);
    for (WindowHandle child = windows_.FirstChild(parent); child != 0; child = windows_.NextSibling(child)) {
        SearchChildren(matchTable, child, title, className);
        const std::wstring childClass = windows_.ClassName(child, kClassBufferChars);
        const std::wstring childTitle = ReadTitle(child);
        if (!childTitle.empty())
            RememberPartnerWindow(child, childTitle);
        const bool titleMatches = title.Matches(UpperCaseText(childTitle));
        const bool classMatches = className.Matches(UpperCaseText(childClass));
        if (titleMatches && classMatches)
            StoreMatch(matchTable, child, childTitle, childClass);
    }
}

std::wstring WindowFinder::ReadTitle(WindowHandle window) {
    int length = windows_.TitleLength(window);
    if (length <= 0)
        return L"";
    if (length > kLongestTitleReadWhole)
        length = kLongTitleReadChars;
    // The text as read (at most length characters), never padded: a title that shrank since its length was
    // asked stays short.
    return windows_.Title(window, length + 1);
}

void WindowFinder::RememberPartnerWindow(WindowHandle window, const std::wstring& title) {
    // The program's own windows can carry the marker too (the key-help notice, a folder name in the caption),
    // and they lie behind the logger while the operator types there; they are never the logger.
    if (title.find(partners::kLoggerTitleMarker) != std::wstring::npos && !windows_.BelongsToThisProgram(window))
        sLoggerTitle = title;
    if (title == partners::kRotorStopWindowTitle)
        hWndSP = window;
}

void WindowFinder::StoreMatch(MatchTable& matchTable,
                              WindowHandle window,
                              const std::wstring& title,
                              const std::wstring& className) {
    const bool owned = windows_.Parent(window) != 0;
    const WindowHandle keyWindow = owned ? TopOfParentChain(window) : window;
    std::wstring key = HandleText(keyWindow) + L"h" + std::to_wstring(lastMatchIndex_);
    ++lastMatchIndex_;
    const auto column = static_cast<std::size_t>(lastMatchIndex_);
    matchTable.Resize(column + 1);
    matchTable.SetColumn(column, {title, HandleText(window), className, owned ? L"Child" : L"Parent", std::move(key)});
}

WindowHandle WindowFinder::TopOfParentChain(WindowHandle window) {
    WindowHandle top = window;
    for (int step = 0; step < kMaxParentChain; ++step) {
        const WindowHandle parent = windows_.Parent(top);
        if (parent == 0)
            break;
        top = parent;
    }
    return top;
}

std::wstring WindowFinder::HandleText(WindowHandle window) {
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(window));
    return std::to_wstring(static_cast<std::int32_t>(low));
}

}  // namespace tarvello
