// The window finder: walks every window below a start window, collects those whose title and class name
// match two patterns, and remembers the rotor-stop window "SP" and the logger's title on the way.
#pragma once

#include <cstdint>
#include <string>

#include "automation/match_table.h"
#include "automation/pattern_match.h"
#include "platform/window_handle.h"
#include "platform/window_tree.h"

namespace tarvello {

class WindowFinder {
public:
    explicit WindowFinder(WindowTree& windows) : windows_(windows) {}

    // Number of matches below startWindow (0: the desktop). The outermost call replaces matchTable.
    std::int32_t FindWindowLike(MatchTable& matchTable,
                                WindowHandle startWindow,
                                const std::wstring& titlePattern,
                                const std::wstring& classPattern);

    // Handle of the last visited window titled exactly "SP"; 0 until one is seen, never cleared.
    WindowHandle hWndSP = 0;
    // Full title of the last visited window whose title contains "Win-Contest"; never cleared.
    std::wstring sLoggerTitle;

    std::int32_t searchDepth() const { return searchDepth_; }
    std::int32_t lastMatchIndex() const { return lastMatchIndex_; }

    // A handle as the table shows it: its low 32 bits as a signed decimal number.
    static std::wstring HandleText(WindowHandle window);

private:
    void SearchChildren(MatchTable& matchTable,
                        WindowHandle parent,
                        const WildcardPattern& title,
                        const WildcardPattern& className);
    std::wstring ReadTitle(WindowHandle window);
    void RememberPartnerWindow(WindowHandle window, const std::wstring& title);
    void StoreMatch(MatchTable& matchTable,
                    WindowHandle window,
                    const std::wstring& title,
                    const std::wstring& className);
    WindowHandle TopOfParentChain(WindowHandle window);

    WindowTree& windows_;
    std::int32_t searchDepth_ = 0;
    std::int32_t lastMatchIndex_ = -1;
};

}  // namespace tarvello
