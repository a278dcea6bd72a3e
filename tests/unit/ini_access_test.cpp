// IniAccess over the simulated profile calls: trimming, the 259-character limit, values a damaged file holds,
// and the packing of string arrays with its failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_number_of.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "settings/ini_access.h"

namespace tarvello {
namespace {

using namespace std::string_literals;
using Texts = std::vector<std::wstring>;
using test::ErrorNumberOf;

const std::wstring kIni = L"C:\\Tarvello\\Tarvello.ini";

class IniOnSimDisk : public ::testing::Test {
protected:
    void SetUp() override { ini.SetIniFile(kIni); }
    std::wstring Read(const wchar_t* key) { return ini.ReadEntry(L"RESTORE", key, L"d"); }

    sim::SimFiles files;
    sim::SimProfile profile{files};
    IniAccess ini{profile};
};

TEST_F(IniOnSimDisk, WriteStoresExactBytesCutsAt259AndNeverDeletes) {
    ini.WriteEntry(L"RESTORE", L"linkerRand", L" 1560");
    ini.WriteEntry(L"RELEASE", L"Release_Nr", L"1.0.0 Beta");
    EXPECT_EQ(files.Read(kIni), "[RESTORE]\r\nlinkerRand= 1560\r\n[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n");

    ini.WriteEntry(L"RESTORE", L"long", std::wstring(300, L'y'));
    ini.WriteEntry(L"RESTORE", L"nul", std::wstring(L"12\0 34", 6));
    ini.WriteEntry(L"RESTORE", L"linkerRand", L"");
    // The buffer keeps its 260 characters: the value, its NUL, blanks.
    EXPECT_EQ(ini.ValueBufferForTesting(), std::wstring(1, L'\0') + std::wstring(259, L' '));
    EXPECT_EQ(Read(L"long"), std::wstring(259, L'y'));
    EXPECT_EQ(Read(L"nul"), L"12");
    EXPECT_EQ(Read(L"linkerRand"), L"");

    // A write that fails is lost without notice; a new file name takes effect for the next call.
    files.SetUnwritable(kIni);
    ini.WriteEntry(L"RESTORE", L"linkerRand", L" 99");
    EXPECT_EQ(Read(L"linkerRand"), L"");
    ini.SetIniFile(L"C:\\Tarvello\\other.ini");
    ini.WriteEntry(L"S", L"K", L"v");
    EXPECT_EQ(files.Read(L"C:\\Tarvello\\other.ini"), "[S]\r\nK=v\r\n");
}

TEST_F(IniOnSimDisk, Array2StringQuotesAllButNumbersAndFailsOutsideItsRange) {
    EXPECT_EQ(ini.Array2String({L" -1.5 ", L"ab", L" x ", L"", L"1e5"}, L";"), L"-1.5;\"ab\";\"x\";\"\";\"1e5\"");
    // Nothing is escaped: separators and quotes inside elements go through unchanged.
    EXPECT_EQ(ini.Array2String({L"a,b", L"say \"hi\""}, L","), L"\"a,b\",\"say \"hi\"\"");

    EXPECT_EQ(ErrorNumberOf([&] { ini.Array2String({}, L","); }), error_number::kSubscriptOutOfRange);
    Texts most(32767, L"1");
    EXPECT_EQ(ini.Array2String(most, L",").size(), 32767u * 2 - 1);
    most.push_back(L"1");
    EXPECT_EQ(ErrorNumberOf([&] { ini.Array2String(most, L","); }), error_number::kOverflow);
}

TEST_F(IniOnSimDisk, String2ArraySplitsAsDocumentedAndFailuresKeepWhatWasStored) {
    const struct {
        const wchar_t *separator, *text;
        Texts elements;
    } cases[] = {
        {L",", L"12,\"ab\",\"x\",\"\"", {L"12", L"ab", L"x", L""}},
        {L"", L"", {L""}},
        {L"||", L"a||||b", {L"a", L"", L"b"}},
        {L"x", L"aXbxc", {L"aXb", L"c"}},   // case-sensitive
        {L",", L"\"x,y\"", {L"", L"y\""}},  // the separator is not protected by quotes
        {L"ab", L"xab", {L"x", L""}},       // a separator longer than what is left
    };
    for (const auto& c : cases) {
        Texts ss{L"old", L"content"};
        ini.String2Array(ss, c.separator, c.text);
        EXPECT_EQ(ss, c.elements) << testing::PrintToString(std::wstring(c.text));
    }

    Texts ss{L"old"};
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L"", L"a,b"); }), error_number::kInvalidArgument);
    EXPECT_EQ(ss, (Texts{L""}));
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L",", L"a,\",b"); }), error_number::kInvalidArgument);
    EXPECT_EQ(ss, (Texts{L"a", L"\""}));
    const std::wstring longest(32766, L'q');
    ini.String2Array(ss, L",", longest);
    EXPECT_EQ(ss, (Texts{longest}));
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L",", L"a,b," + std::wstring(32763, L'q')); }),
              error_number::kOverflow);
    EXPECT_EQ(ss, (Texts{L"a", L"b"}));
}

}  // namespace
}  // namespace tarvello
