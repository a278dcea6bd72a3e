// Wildcard patterns of the window finder, compiled to elements and matched by a state-set simulation.
#include "automation/pattern_match.h"

#include <algorithm>

namespace tarvello {

WildcardPattern::WildcardPattern(std::wstring_view pattern) {
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const wchar_t c = pattern[pos];
        Element element;
        if (c == L'?') {
            element.kind = Kind::kAnyOne;
        } else if (c == L'#') {
            element.kind = Kind::kDigit;
        } else if (c == L'*') {
            element.kind = Kind::kAnyRun;
            // A run of stars means the same as one and would only cost time.
            if (!elements_.empty() && elements_.back().kind == Kind::kAnyRun) {
                ++pos;
                continue;
            }
        } else if (c == L'[') {
            element.kind = Kind::kList;
            pos = ParseList(pattern, pos + 1, element);
            if (pos == std::wstring_view::npos)
                break;
            elements_.push_back(std::move(element));
            continue;
        } else {
            element.literal = c;
        }
        elements_.push_back(std::move(element));
        ++pos;
    }
    // A '[' without its ']' stopped the reading: such a pattern matches nothing.
    wellFormed_ = pos != std::wstring_view::npos;
}

std::size_t WildcardPattern::ParseList(std::wstring_view pattern, std::size_t pos, Element& element) {
    if (pos < pattern.size() && pattern[pos] == L'!') {
        element.negated = true;
        ++pos;
    }
    while (pos < pattern.size() && pattern[pos] != L']') {
        const wchar_t first = pattern[pos];
        // 'a-b' is a range; a '-' with nothing to its left or nothing before the ']' stands for itself.
        if (pos + 2 < pattern.size() && pattern[pos + 1] == L'-' && pattern[pos + 2] != L']') {
            element.ranges.push_back({first, pattern[pos + 2]});
            pos += 3;
        } else {
            element.ranges.push_back({first, first});
            ++pos;
        }
    }
    if (pos >= pattern.size())
        return std::wstring_view::npos;
    return pos + 1;
}

bool WildcardPattern::ElementAccepts(const Element& element, wchar_t c) const {
    switch (element.kind) {
        case Kind::kLiteral:
            return c == element.literal;
        case Kind::kAnyOne:
        case Kind::kAnyRun:
            return true;
        case Kind::kDigit:
            return c >= L'0' && c <= L'9';
        case Kind::kList:
            break;
    }
    const bool inList = std::any_of(element.ranges.begin(), element.ranges.end(),
                                    [c](const Range& range) { return c >= range.first && c <= range.last; });
    return inList != element.negated;
}

bool WildcardPattern::Matches(std::wstring_view text) const {
    if (!wellFormed_)
        return false;
    const std::size_t count = elements_.size();
    // active[k]: the text read so far can be matched by the first k elements.
    std::vector<char> active(count + 1, 0);
    std::vector<char> next(count + 1, 0);
    auto closeOverStars = [&](std::vector<char>& states) {
        for (std::size_t k = 0; k < count; ++k) {
            if (states[k] && elements_[k].kind == Kind::kAnyRun)
                states[k + 1] = 1;
        }
    };
    active[0] = 1;
    closeOverStars(active);
    for (wchar_t c : text) {
        std::fill(next.begin(), next.end(), 0);
        bool any = false;
        for (std::size_t k = 0; k < count; ++k) {
            if (!active[k] || !ElementAccepts(elements_[k], c))
                continue;
            // A star stays where it is after eating a character; every other element moves on.
            next[elements_[k].kind == Kind::kAnyRun ? k : k + 1] = 1;
            any = true;
        }
        if (!any)
            return false;
        closeOverStars(next);
        active.swap(next);
    }
    return active[count] != 0;
}

bool MatchesPattern(std::wstring_view text, std::wstring_view pattern) {
    return WildcardPattern(pattern).Matches(text);
}

}  // namespace tarvello
