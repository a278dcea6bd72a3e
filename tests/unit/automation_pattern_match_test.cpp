// The window finder's wildcard patterns: a table of cases, and thousands of random small patterns checked
// against a plain backtracking matcher written independently here.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "automation/pattern_match.h"
#include "automation/upper_case.h"

namespace tarvello {
namespace {

struct Case {
    const wchar_t* pattern;
    const wchar_t* text;
    bool matches;
};

TEST(PatternMatch, TableOfCases) {
    const Case cases[] = {
        {L"*DXVIEW INFO*", L"DXVIEW INFO", true},
        {L"*DXVIEW INFO*", L"ABOUT DXVIEW INFO - 3.2", true},
        {L"*DXVIEW INFO*", L"DXVIEW INF", false},
        {L"THUNDERRT6*", L"THUNDERRT6FORMDC", true},
        {L"THUNDERRT6*", L"XTHUNDERRT6", false},
        {L"", L"", true},
        {L"", L"A", false},
        {L"*", L"", true},
        {L"*", L"ANYTHING AT ALL", true},
        {L"?", L"", false},
        {L"?", L"Z", true},
        {L"??", L"Z", false},
        {L"#", L"7", true},
        {L"#", L"A", false},
        {L"F##", L"F10", true},
        {L"F##", L"F1", false},
        {L"[A-Z]", L"Q", true},
        {L"[A-Z]", L"q", false},
        {L"[!0-9]", L"5", false},
        {L"[!0-9]", L"X", true},
        {L"[0-Z]", L"@", true},  // ranges run in code order: '@' lies between '0' and 'Z'
        {L"[-A]", L"-", true},
        {L"[A-]", L"-", true},
        {L"[A-]", L"B", false},
        {L"[!-]", L"-", false},
        {L"[A-C-E]", L"-", true},
        {L"[A-C-E]", L"D", false},
        {L"[*]", L"*", true},
        {L"[*]", L"X", false},
        {L"[?]", L"?", true},
        {L"[#]", L"#", true},
        {L"[#]", L"1", false},
        {L"[[]", L"[", true},
        {L"A]", L"A]", true},
        {L"[]", L"", false},  // an empty list holds no character
        {L"[]", L"X", false},
        {L"[!]", L"X", true},
        {L"[Z-A]", L"M", false},  // a reversed range holds nothing
        {L"[Z-A]", L"Z", false},
        {L"*A*B", L"XAYB", true},
        {L"*A*B", L"XAYBC", false},
        {L"A*", L"A", true},
        {L"**A**", L"A", true},
        // A '[' without its ']' makes the whole pattern match nothing, not even the text it spells.
        {L"[", L"[", false},
        {L"AB[C", L"AB[C", false},
        {L"*[A-", L"X[A-", false},
        {L"*", L"\u00c4\u20ac", true},
        {L"[\u00c0-\u00de]", L"\u00c4", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.text, c.pattern), c.matches)
            << "pattern '" << testing::PrintToString(c.pattern) << "' text " << testing::PrintToString(c.text);
    }
    EXPECT_FALSE(WildcardPattern(L"A[B").IsWellFormed());
    EXPECT_TRUE(WildcardPattern(L"A[B]").IsWellFormed());
}

TEST(PatternMatch, ManyStarsAgainstALongTextEndWithoutBacktracking) {
    const std::wstring text(10000, L'A');
    EXPECT_FALSE(MatchesPattern(text, L"*A*A*A*A*A*A*A*B"));
    EXPECT_TRUE(MatchesPattern(text + L"B", L"*A*A*A*A*A*A*A*B"));
    EXPECT_TRUE(MatchesPattern(text, L"*A*A*A*A*A*A*A*"));
}

TEST(PatternMatch, UpperCaseCoversAsciiAndWesternLetters) {
    EXPECT_EQ(UpperCaseText(L"dxview Info 3.2"), L"DXVIEW INFO 3.2");
    EXPECT_EQ(UpperCaseText(L"\u00e4\u00f6\u00fc\u00df\u00f7\u00ff\u0161\u0153\u017e"),
              L"\u00c4\u00d6\u00dc\u00df\u00f7\u0178\u0160\u0152\u017d");
    EXPECT_EQ(UpperCaseText(L"[a-z]"), L"[A-Z]");
}

// The reference: plain recursion over the pattern text, no compilation, exponential in the worst case.
bool ReferenceInList(const std::wstring& list, wchar_t c) {
    std::size_t j = 0;
    bool negated = false;
    if (!list.empty() && list[0] == L'!') {
        negated = true;
        j = 1;
    }
    bool found = false;
    while (j < list.size()) {
        if (j + 2 < list.size() && list[j + 1] == L'-') {
            found = found || (c >= list[j] && c <= list[j + 2]);
            j += 3;
        } else {
            found = found || c == list[j];
            j += 1;
        }
    }
    return found != negated;
}

bool ReferenceMatch(const std::wstring& p, std::size_t pi, const std::wstring& t, std::size_t ti) {
    if (pi == p.size())
        return ti == t.size();
    const wchar_t pc = p[pi];
    if (pc == L'*') {
        for (std::size_t skip = ti; skip <= t.size(); ++skip) {
            if (ReferenceMatch(p, pi + 1, t, skip))
                return true;
        }
        return false;
    }
    if (ti == t.size())
        return false;
    const wchar_t tc = t[ti];
    if (pc == L'[') {
        const std::size_t close = p.find(L']', pi + (pi + 1 < p.size() && p[pi + 1] == L'!' ? 2 : 1));
        if (!ReferenceInList(p.substr(pi + 1, close - pi - 1), tc))
            return false;
        return ReferenceMatch(p, close + 1, t, ti + 1);
    }
    const bool one = pc == L'?' || (pc == L'#' ? (tc >= L'0' && tc <= L'9') : pc == tc);
    return one && ReferenceMatch(p, pi + 1, t, ti + 1);
}

bool ReferenceMalformed(const std::wstring& p) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] != L'[')
            continue;
        const std::size_t from = i + (i + 1 < p.size() && p[i + 1] == L'!' ? 2 : 1);
        const std::size_t close = p.find(L']', from);
        if (close == std::wstring::npos)
            return true;
        i = close;
    }
    return false;
}

bool Reference(const std::wstring& pattern, const std::wstring& text) {
    return !ReferenceMalformed(pattern) && ReferenceMatch(pattern, 0, text, 0);
}

TEST(PatternMatch, AgreesWithAPlainBacktrackingMatcherOnRandomInputs) {
    std::mt19937 random(20240611);
    const std::wstring patternAlphabet = L"AB09-[]!*?#";
    const std::wstring textAlphabet = L"AB09-[]!*?#5";
    auto draw = [&](const std::wstring& alphabet, int maxLength) {
        std::wstring s(std::uniform_int_distribution<int>(0, maxLength)(random), L' ');
        for (wchar_t& c : s)
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return s;
    };
    int matched = 0;
    int malformed = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::wstring pattern = draw(patternAlphabet, 7);
        // Texts derived from the pattern's own characters match far more often than random ones.
        const std::wstring text = (n % 2 == 0) ? draw(textAlphabet, 7) : draw(pattern + L"A5", 6);
        const bool expected = Reference(pattern, text);
        ASSERT_EQ(MatchesPattern(text, pattern), expected)
            << testing::PrintToString(pattern) << " vs " << testing::PrintToString(text);
        matched += expected ? 1 : 0;
        malformed += ReferenceMalformed(pattern) ? 1 : 0;
    }
    // Both outcomes and the malformed case must have been exercised for the comparison to mean anything.
    EXPECT_GT(matched, 500);
    EXPECT_GT(malformed, 1000);
}

}  // namespace
}  // namespace tarvello
