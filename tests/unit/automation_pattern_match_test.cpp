// The window finder's wildcard patterns: a table of cases, a long text that must not backtrack, upper-casing.
#include <gtest/gtest.h>

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
        {L"F##", L"F90", L"F1"},
        {L"[A-Z]", L"Q", L"q"},
        {L"[!0-9]", L"X", L"5"},
        {L"[!A]", L"!", L"A"},
        {L"A**B", L"AXB", L"AXBC"},
        {L"*A", L"BA", L"AAB"},
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

TEST(PatternMatch, UpperCaseCoversAsciiAndWesternLetters) {
    EXPECT_EQ(UpperCaseText(L"dxview Info [a-z]"), L"DXVIEW INFO [A-Z]");
    EXPECT_EQ(UpperCaseText(L"\u00e0\u00e4\u00f6\u00fc\u00df\u00f7\u00fe\u00ff\u0161\u0153\u017e"),
              L"\u00c0\u00c4\u00d6\u00dc\u00df\u00f7\u00de\u0178\u0160\u0152\u017d");
}

}  // namespace
}  // namespace tarvello
