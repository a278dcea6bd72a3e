// Number text of window positions: written with "." and a sign column, read with "." or "," as a float.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/program_error.h"
#include "settings/number_text.h"

namespace tarvello {
namespace {

int ErrorNumberOfFormat(double value) {
    try {
        FormatNumberText(value);
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

TEST(NumberText, FormatsWithBlankOrMinusAndNoNeedlessFraction) {
    EXPECT_EQ(FormatNumberText(1560), L" 1560");
    EXPECT_EQ(FormatNumberText(2175), L" 2175");
    EXPECT_EQ(FormatNumberText(-120), L"-120");
    EXPECT_EQ(FormatNumberText(12.5), L" 12.5");
    EXPECT_EQ(FormatNumberText(-12.25), L"-12.25");
    EXPECT_EQ(FormatNumberText(0), L" 0");
    EXPECT_EQ(FormatNumberText(-0.0), L" 0");
    EXPECT_EQ(FormatNumberText(0.1), L" 0.1");
    EXPECT_EQ(FormatNumberText(1e20), L" 100000000000000000000");
    EXPECT_EQ(FormatNumberText(-0.00025), L"-0.00025");
    EXPECT_EQ(ErrorNumberOfFormat(std::numeric_limits<double>::quiet_NaN()), error_number::kOverflow);
    EXPECT_EQ(ErrorNumberOfFormat(std::numeric_limits<double>::infinity()), error_number::kOverflow);
    EXPECT_EQ(ErrorNumberOfFormat(-std::numeric_limits<double>::infinity()), error_number::kOverflow);
}

TEST(NumberText, ParsesPointEverywhereAndCommaWhenThereIsNoPoint) {
    EXPECT_EQ(ParseNumberText(L" 1560"), 1560.0);
    EXPECT_EQ(ParseNumberText(L"-120"), -120.0);
    EXPECT_EQ(ParseNumberText(L"+7"), 7.0);
    EXPECT_EQ(ParseNumberText(L"12.5"), 12.5);
    EXPECT_EQ(ParseNumberText(L"12,5"), 12.5);
    EXPECT_EQ(ParseNumberText(L"-0,25"), -0.25);
    EXPECT_EQ(ParseNumberText(L".5"), 0.5);
    EXPECT_EQ(ParseNumberText(L"5."), 5.0);
    EXPECT_EQ(ParseNumberText(L" \t 42 \t "), 42.0);
    EXPECT_EQ(ParseNumberText(std::wstring(10000, L'0') + L"1"), 1.0);
    // Single precision, as the position was always held.
    EXPECT_EQ(ParseNumberText(L"0.1"), static_cast<double>(0.1f));
    EXPECT_NE(ParseNumberText(L"0.1"), 0.1);
    EXPECT_EQ(ParseNumberText(L"16777217"), 16777216.0);
    EXPECT_EQ(ParseNumberText(L"340282346638528859811704183484516925440"),
              static_cast<double>(std::numeric_limits<float>::max()));
}

TEST(NumberText, RejectsEverythingElse) {
    const std::vector<std::wstring> bad{L"",     L"   ", L"abc", L".",     L",",     L"-",       L"+",
                                        L"- 5",  L"1e5", L"12a", L"1.2.3", L"1,2,3", L"1,560.5", L"1.5,0",
                                        L"0x10", L"inf", L"nan", L"--1",   L"1 2",   L"\u0661",  L"1\u00a0"};
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_EQ(ParseNumberText(bad[i]), std::nullopt) << "bad text #" << i;
    EXPECT_EQ(ParseNumberText(std::wstring(L"12\0", 3)), std::nullopt);
    // Beyond single precision: no infinity, no wrap.
    EXPECT_EQ(ParseNumberText(L"340282356779733661637539395458142568448"), std::nullopt);
    EXPECT_EQ(ParseNumberText(L"-1" + std::wstring(40, L'0')), std::nullopt);
    EXPECT_EQ(ParseNumberText(std::wstring(10000, L'9')), std::nullopt);
}

TEST(NumberText, WrittenPositionsReadBackAsTheSameFloat) {
    for (double value : {0.0, 1560.0, 2175.0, -120.0, 12.5, -31.75, 0.1, 1e-3, 123456.7, -99999.0}) {
        const auto back = ParseNumberText(FormatNumberText(value));
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_EQ(*back, static_cast<double>(static_cast<float>(value))) << value;
    }
}

TEST(NumberText, ArrayElementsThatReadAsNumbers) {
    for (const wchar_t* text : {L"0", L"12", L" 12 ", L"-1.5", L"+3", L".5", L"7.", L"007"})
        EXPECT_TRUE(ReadsAsNumber(text)) << testing::PrintToString(std::wstring(text));
    for (const wchar_t* text :
         {L"", L"  ", L"ab", L"1e5", L"1,5", L".", L"-", L"+", L"1.2.3", L"\t4", L"- 1", L"1 2", L"&H10"})
        EXPECT_FALSE(ReadsAsNumber(text)) << testing::PrintToString(std::wstring(text));
}

}  // namespace
}  // namespace tarvello
