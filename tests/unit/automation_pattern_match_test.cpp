// The window finder's wildcard patterns: a table of cases, and thousands of random small patterns checked
// against a plain backtracking matcher written independently here.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "automation/pattern_match.h"
#include "automation/upper_case.h"

namespace tarvello {
namespace {

TEST(PatternMatch, TableOfCases) {
    // Each pattern with a text it matches and one it does not (nullptr: none given).
    struct Case {
        const wchar_t* pattern;
        const wchar_t* matching;
        const wchar_t* failing;
    };
    const Case cases[] = {
        {L"*DXVIEW INFO*", L"ABOUT DXVIEW INFO - 3.2", L"DXVIEW INF"},
        {L"THUNDERRT6*", L"THUNDERRT6FORMDC", L"XTHUNDERRT6"},
        {L"", L"", L"A"},
        {L"*", L"", nullptr},
        {L"?", L"Z", L""},
        {L"F##", L"F10", L"F1"},
        {L"[A-Z]", L"Q", L"q"},
        {L"[!0-9]", L"X", L"5"},
        {L"[0-Z]", L"@", nullptr},  // ranges run in code order: '@' lies between '0' and 'Z'
        {L"[-A]", L"-", nullptr},
        {L"[A-]", L"-", L"B"},
        {L"[!-]", nullptr, L"-"},
        {L"[A-C-E]", L"-", L"D"},
        {L"[*]", L"*", L"X"},
        {L"[#]", L"#", L"1"},
        {L"[[]", L"[", nullptr},
        {L"A]", L"A]", nullptr},
        {L"[]", nullptr, L"X"},  // an empty list holds no character
        {L"[!]", L"X", nullptr},
        {L"[Z-A]", nullptr, L"Z"},  // a reversed range holds nothing
        {L"*A*B", L"XAYB", L"XAYBC"},
        // A '[' without its ']' makes the whole pattern match nothing, not even the text it spells.
        {L"AB[C", nullptr, L"AB[C"},
        {L"*[A-", nullptr, L"X[A-"},
        {L"*", L"\u00c4\u20ac", nullptr},
        {L"[\u00c0-\u00de]", L"\u00c4", L"\u00e4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.pattern));
        if (c.matching) {
            EXPECT_TRUE(MatchesPattern(c.matching, c.pattern)) << testing::PrintToString(c.matching);
        }
        if (c.failing) {
            EXPECT_FALSE(MatchesPattern(c.failing, c.pattern)) << testing::PrintToString(c.failing);
        }
    }
    EXPECT_FALSE(WildcardPattern(L"A[B").IsWellFormed());
    EXPECT_TRUE(WildcardPattern(L"A[B]").IsWellFormed());
}

TEST(PatternMatch, ManyStarsAgainstALongTextEndWithoutBacktracking) {
    const std::wstring text(10000, L'A');
    EXPECT_FALSE(MatchesPattern(text, L"*A*A*A*A*A*A*A*B"));
    EXPECT_TRUE(MatchesPattern(text + L"B", L"*A*A*A*A*A*A*A*B"));
}

TEST(PatternMatch, UpperCaseCoversAsciiAndWesternLetters) {
    EXPECT_EQ(UpperCaseText(L"dxview Info [a-z]"), L"DXVIEW INFO [A-Z]");
    EXPECT_EQ(UpperCaseText(L"\u00e4\u00f6\u00fc\u00df\u00f7\u00ff\u0161\u0153\u017e"),
              L"\u00c4\u00d6\u00dc\u00df\u00f7\u0178\u0160\u0152\u017d");
}

// The reference: plain recursion over the pattern text, no compilation, exponential in the worst case.
std::size_t ReferenceListEnd(const std::wstring& p, std::size_t open) {
    return p.find(L']', open + (open + 1 < p.size() && p[open + 1] == L'!' ? 2 : 1));
}

bool ReferenceInList(const std::wstring& list, wchar_t c) {
    const bool negated = !list.empty() && list[0] == L'!';
    bool found = false;
    for (std::size_t j = negated ? 1 : 0; j < list.size(); ++j) {
        if (j + 2 < list.size() && list[j + 1] == L'-') {
            found = found || (c >= list[j] && c <= list[j + 2]);
            j += 2;
        } else {
            found = found || c == list[j];
        }
    }
    return found != negated;
}

bool ReferenceMatch(const std::wstring& p, std::size_t pi, const std::wstring& t, std::size_t ti) {
    if (pi == p.size())
        return ti == t.size();
    if (p[pi] == L'*') {
        for (std::size_t skip = ti; skip <= t.size(); ++skip) {
            if (ReferenceMatch(p, pi + 1, t, skip))
                return true;
        }
        return false;
    }
    if (ti == t.size())
        return false;
    const wchar_t pc = p[pi], tc = t[ti];
    if (pc == L'[') {
        const std::size_t close = ReferenceListEnd(p, pi);
        return ReferenceInList(p.substr(pi + 1, close - pi - 1), tc) && ReferenceMatch(p, close + 1, t, ti + 1);
    }
    const bool one = pc == L'?' || (pc == L'#' ? (tc >= L'0' && tc <= L'9') : pc == tc);
    return one && ReferenceMatch(p, pi + 1, t, ti + 1);
}

bool ReferenceMalformed(const std::wstring& p) {
    for (std::size_t i = p.find(L'['); i != std::wstring::npos; i = p.find(L'[', i + 1)) {
        i = ReferenceListEnd(p, i);
        if (i == std::wstring::npos)
            return true;
    }
    return false;
}

TEST(PatternMatch, AgreesWithAPlainBacktrackingMatcherOnRandomInputs) {
    std::mt19937 random(20240611);
    auto draw = [&](const std::wstring& alphabet, int maxLength) {
        std::wstring s(std::uniform_int_distribution<int>(0, maxLength)(random), L' ');
        for (wchar_t& c : s)
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return s;
    };
    int matched = 0, malformed = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::wstring pattern = draw(L"AB09-[]!*?#", 7);
        // Texts derived from the pattern's own characters match far more often than random ones.
        const std::wstring text = (n % 2 == 0) ? draw(L"AB09-[]!*?#5", 7) : draw(pattern + L"A5", 6);
        const bool bad = ReferenceMalformed(pattern);
        const bool expected = !bad && ReferenceMatch(pattern, 0, text, 0);
        ASSERT_EQ(MatchesPattern(text, pattern), expected)
            << testing::PrintToString(pattern) << " vs " << testing::PrintToString(text);
        matched += expected ? 1 : 0;
        malformed += bad ? 1 : 0;
    }
    // Both outcomes and the malformed case must have been exercised for the comparison to mean anything.
    EXPECT_GT(matched, 500);
    EXPECT_GT(malformed, 1000);
}

}  // namespace
}  // namespace tarvello
