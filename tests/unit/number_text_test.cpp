// Number text of window positions: written with "." and a sign column, read with "." or "," as a float.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "error_number_of.h"
#include "settings/number_text.h"

namespace tarvello {
namespace {

TEST(NumberText, FormatsWithBlankOrMinusAndNoNeedlessFractionAndReadsBackTheSameFloat) {
    const std::pair<double, const wchar_t*> cases[] = {{1560, L" 1560"},
                                                       {-120, L"-120"},
                                                       {-12.25, L"-12.25"},
                                                       {-0.0, L" 0"},
                                                       {0.1, L" 0.1"},
                                                       {-0.00025, L"-0.00025"},
                                                       {1e20, L" 100000000000000000000"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatNumberText(value), text) << value;
        EXPECT_EQ(ParseNumberText(text), static_cast<double>(static_cast<float>(value))) << value;
    }
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(test::ErrorNumberOf([&] { FormatNumberText(bad); }), error_number::kOverflow) << bad;
}

TEST(NumberText, ParsesPointEverywhereAndCommaWhenThereIsNoPointAsASingleFloat) {
    const std::pair<std::wstring, double> cases[] = {
        {L"+7", 7},
        {L"12,5", 12.5},
        {L"-0,25", -0.25},
        {L".5", 0.5},
        {L"5.", 5},
        {L" \t 42 \t ", 42},
        {std::wstring(10000, L'0') + L"1", 1},
        {L"16777217", 16777216},
        {L"340282346638528859811704183484516925440", static_cast<double>(std::numeric_limits<float>::max())}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseNumberText(text), value) << testing::PrintToString(text.substr(0, 40));
    const std::vector<std::wstring> bad{L"", L"   ", L"abc", L".", L"-", L"- 5", L"1e5", L"12a", L"1.2.3", L"1,2,3",
                                        L"1,560.5", L"1.5,0", L"0x10", L"--1", L"1 2", L"\u0661",
                                        std::wstring(L"12\0", 3),
                                        // Beyond single precision: no infinity, no wrap.
                                        L"340282356779733661637539395458142568448", L"-1" + std::wstring(40, L'0')};
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_EQ(ParseNumberText(bad[i]), std::nullopt) << "bad text #" << i;
}

TEST(NumberText, ArrayElementsThatReadAsNumbers) {
    for (const wchar_t* text : {L"0", L" 12 ", L"-1.5", L"+3", L".5", L"7.", L"9"})
        EXPECT_TRUE(ReadsAsNumber(text)) << testing::PrintToString(std::wstring(text));
    for (const wchar_t* text :
         {L"", L"  ", L"ab", L"1e5", L"1,5", L".", L"-", L"1.2.3", L"\t4", L"- 1", L"1 2", L"/", L":"})
        EXPECT_FALSE(ReadsAsNumber(text)) << testing::PrintToString(std::wstring(text));
}

}  // namespace
}  // namespace tarvello
