// Wildcard patterns of the window finder: '?', '*', '#', '[list]' and '[!list]', compared by code value.
// A pattern is compiled once and matched by a state-set simulation, so the time is bounded by
// text length x pattern length whatever the pattern looks like.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

class WildcardPattern {
public:
    explicit WildcardPattern(std::wstring_view pattern);

    // True when the whole text matches the whole pattern. A malformed pattern (a '[' without its ']')
    // matches no text at all.
    bool Matches(std::wstring_view text) const;
    bool IsWellFormed() const { return wellFormed_; }

private:
    struct Range {
        wchar_t first;
        wchar_t last;
    };
    enum class Kind { kLiteral, kAnyOne, kDigit, kAnyRun, kList };
    struct Element {
        Kind kind = Kind::kLiteral;
        wchar_t literal = 0;
        bool negated = false;
        std::vector<Range> ranges;
    };

    bool ElementAccepts(const Element& element, wchar_t c) const;
    // Parses a list starting just after its '['; returns the position after the closing ']' or npos.
    std::size_t ParseList(std::wstring_view pattern, std::size_t pos, Element& element);

    std::vector<Element> elements_;
    bool wellFormed_ = false;
};

// One-off convenience for callers that match a pattern only once.
bool MatchesPattern(std::wstring_view text, std::wstring_view pattern);

}  // namespace tarvello
