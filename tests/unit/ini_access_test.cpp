// IniAccess over the simulated profile calls: trimming, the 259-character limit, bad INI contents, and the
// packing of string arrays with its failures.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/program_error.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "settings/ini_access.h"

namespace tarvello {
namespace {

using namespace std::string_literals;

const std::wstring kIni = L"C:\\Tarvello\\Tarvello.ini";

// Records what IniAccess hands to the profile calls and answers with a preset value.
using Text = const std::wstring&;
class RecordingProfile : public ProfileStore {
public:
    std::wstring GetString(Text section, Text key, Text defaultValue, int bufferChars, Text file) override {
        reads.push_back({section, key, defaultValue, file});
        lastBufferChars = bufferChars;
        return answer;
    }
    bool WriteString(Text section, Text key, Text value, Text file) override {
        writes.push_back({section, key, value, file});
        return true;
    }
    struct Call {
        std::wstring section, key, text, file;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> reads, writes;
    std::wstring answer;
    int lastBufferChars = 0;
};

int ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ProgramError& e) {
        return e.Number();
    }
    return 0;
}

class IniOnSimDisk : public ::testing::Test {
protected:
    sim::SimFiles files;
    sim::SimProfile profile{files};
    IniAccess ini{profile};
    void SetUp() override { ini.SetIniFile(kIni); }
    void PutFile(const std::string& bytes) { files.Write(kIni, bytes); }
};

TEST(IniAccessCalls, PassesExactArgumentsAndKeepsTheBufferAt260) {
    RecordingProfile profile;
    IniAccess ini(profile);
    EXPECT_EQ(ini.ValueBufferForTesting(), std::wstring(260, L' '));

    ini.SetIniFile(L"D:\\a.ini");
    profile.answer = L"  v a l  ";
    EXPECT_EQ(ini.ReadEntry(L"", L"", L" d "), L"v a l");
    EXPECT_EQ(profile.lastBufferChars, 260);
    EXPECT_EQ(profile.reads.back(), (RecordingProfile::Call{L"", L"", L" d ", L"D:\\a.ini"}));

    // Whatever a profile store hands back, a value is at most 259 characters and ends at a NUL.
    profile.answer = std::wstring(300, L'x');
    EXPECT_EQ(ini.ReadEntry(L"S", L"K", L""), std::wstring(259, L'x'));
    profile.answer = std::wstring(L"ab\0cd", 5);
    EXPECT_EQ(ini.ReadEntry(L"S", L"K", L""), L"ab");

    ini.WriteEntry(L"S", L"K", std::wstring(300, L'y'));
    ini.WriteEntry(L"S", L"K", std::wstring(L"12\0 34", 6));
    ini.WriteEntry(L"S", L"K", L"");
    EXPECT_EQ(profile.writes, (std::vector<RecordingProfile::Call>{{L"S", L"K", std::wstring(259, L'y'), L"D:\\a.ini"},
                                                                   {L"S", L"K", L"12", L"D:\\a.ini"},
                                                                   {L"S", L"K", L"", L"D:\\a.ini"}}));
    EXPECT_EQ(ini.ValueBufferForTesting(), std::wstring(1, L'\0') + std::wstring(259, L' '));

    // A new file name takes effect for the next call.
    ini.SetIniFile(L"E:\\b.ini");
    ini.WriteEntry(L"S", L"K", L"v");
    EXPECT_EQ(profile.writes.back().file, L"E:\\b.ini");
}

TEST_F(IniOnSimDisk, ReadTrimsSpacesButNotTabsAndFallsBackToTheDefault) {
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L" 5 "), L"5");  // no file at all
    PutFile("[RESTORE]\r\nquoted=\" abc \"\r\ntabbed=\"\tabc\t\"\r\nempty=\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"quoted", L"d"), L"abc");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"tabbed", L"d"), L"\tabc\t");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"empty", L"d"), L"");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"missing", L"  d  "), L"d");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"quoted", std::wstring(300, L'z')), L"abc");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"missing", std::wstring(300, L'z')), std::wstring(259, L'z'));
}

TEST_F(IniOnSimDisk, WriteStoresExactBytesCutsAt259AndNeverDeletes) {
    ini.WriteEntry(L"RESTORE", L"linkerRand", L" 1560");
    ini.WriteEntry(L"RESTORE", L"obererRand", L" 2175");
    ini.WriteEntry(L"RELEASE", L"Release_Nr", L"1.0.0 Beta");
    EXPECT_EQ(files.Read(kIni),
              "[RESTORE]\r\nlinkerRand= 1560\r\nobererRand= 2175\r\n[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n");

    std::wstring longValue;
    for (int i = 0; i < 300; ++i)
        longValue.push_back(static_cast<wchar_t>(L'a' + i % 26));
    ini.WriteEntry(L"RESTORE", L"long", longValue);
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"long", L"d"), longValue.substr(0, 259));

    ini.WriteEntry(L"RESTORE", L"linkerRand", L"");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L"default"), L"");

    ini.WriteEntry(L"RELEASE", L"Release_Nr", L"zun\u00e4chst");  // written in the ANSI code page
    EXPECT_EQ(files.Read(kIni), "[RESTORE]\r\nlinkerRand=\r\nobererRand= 2175\r\nlong=" +
                                    std::string(longValue.begin(), longValue.begin() + 259) +
                                    "\r\n[RELEASE]\r\nRelease_Nr=zun\xe4"
                                    "chst\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RELEASE", L"Release_Nr", L""), L"zun\u00e4chst");
}

TEST_F(IniOnSimDisk, FailedWriteIsLostWithoutNotice) {
    PutFile("[RESTORE]\r\nlinkerRand=1\r\n");
    files.SetUnwritable(kIni);
    ini.WriteEntry(L"RESTORE", L"linkerRand", L" 99");
    EXPECT_EQ(files.Read(kIni), "[RESTORE]\r\nlinkerRand=1\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L""), L"1");
}

TEST_F(IniOnSimDisk, BadContentsReadWithDefinedResults) {
    // Binary junk around the section, NUL and control bytes inside a value.
    const std::string junk = "\x00\xff\xfe[\x01\x02]]\r\n\x7f=\x80\r\n"s;
    PutFile(junk +
            "[RESTORE]\r\nlinkerRand=12\x00"
            "34\r\nobererRand=\x81\x90"
            "abc\r\n"s +
            junk);
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L"d"), L"12");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"obererRand", L"d"),
              L"\x81\x90"
              L"abc");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"nothing", L"d"), L"d");

    // Lines of 10,000 characters: a long value is cut, a long key name is just another key.
    PutFile("[RESTORE]\r\n" + std::string(10000, 'k') + "=1\r\nlinkerRand=" + std::string(10000, '7') + "\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L"d"), std::wstring(259, L'7'));
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", std::wstring(10000, L'k'), L"d"), L"1");

    // Duplicated sections and keys: the first wins for reading and for writing.
    PutFile("[RESTORE]\r\nlinkerRand=1\r\nlinkerRand=2\r\n[restore]\r\nlinkerRand=3\r\nobererRand=4\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L"d"), L"1");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"obererRand", L"d"), L"d");
    ini.WriteEntry(L"RESTORE", L"obererRand", L" 5");
    ini.WriteEntry(L"Restore", L"LINKERRAND", L" 6");
    EXPECT_EQ(files.Read(kIni),
              "[RESTORE]\r\nlinkerRand= 6\r\nlinkerRand=2\r\nobererRand= 5\r\n[restore]\r\nlinkerRand=3\r\n"
              "obererRand=4\r\n");

    // Non-numeric positions come back as the text they are; the caller decides.
    PutFile("[RESTORE]\r\nlinkerRand=links\r\nobererRand=\r\n");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"linkerRand", L""), L"links");
    EXPECT_EQ(ini.ReadEntry(L"RESTORE", L"obererRand", L""), L"");
}

TEST_F(IniOnSimDisk, Array2StringQuotesAllButNumbers) {
    EXPECT_EQ(ini.Array2String({L"12", L"ab", L" x ", L""}, L","), L"12,\"ab\",\"x\",\"\"");
    EXPECT_EQ(ini.Array2String({L" -1.5 ", L".5", L"1e5", L"\t4"}, L";"), L"-1.5;.5;\"1e5\";\"\t4\"");
    // Nothing is escaped: separators and quotes inside elements go through unchanged.
    EXPECT_EQ(ini.Array2String({L"a,b", L"say \"hi\""}, L","), L"\"a,b\",\"say \"hi\"\"");
    EXPECT_EQ(ini.Array2String({L"only"}, L""), L"\"only\"");

    EXPECT_EQ(ErrorNumberOf([&] { ini.Array2String({}, L","); }), error_number::kSubscriptOutOfRange);
    std::vector<std::wstring> most(32767, L"1");
    EXPECT_EQ(ini.Array2String(most, L",").size(), 32767u * 2 - 1);
    most.push_back(L"1");
    EXPECT_EQ(ErrorNumberOf([&] { ini.Array2String(most, L","); }), error_number::kOverflow);
}

TEST_F(IniOnSimDisk, String2ArraySplitsAsDocumented) {
    using V = std::vector<std::wstring>;
    const struct {
        const wchar_t *separator, *text;
        V elements;
    } cases[] = {
        {L",", L"12,\"ab\",\"x\",\"\"", {L"12", L"ab", L"x", L""}},
        {L",", L"", {L""}},
        {L"", L"", {L""}},
        {L",", L"a,,b", {L"a", L"", L"b"}},
        {L"||", L"a||b", {L"a", L"b"}},
        {L",", L",", {L"", L""}},
        {L"x", L"aXbxc", {L"aXb", L"c"}},   // case-sensitive
        {L",", L"\"x,y\"", {L"", L"y\""}},  // the separator is not protected by quotes
        {L",", L"\"\",\"a", {L"", L""}},    // the last character goes whatever it is
        {L"ab", L"xab", {L"x", L""}},       // a separator longer than what is left
        {L"|", L"1560|\"2175\"|\"1.0.0 Beta\"", {L"1560", L"2175", L"1.0.0 Beta"}},
    };
    for (const auto& c : cases) {
        V ss{L"old", L"content"};
        ini.String2Array(ss, c.separator, c.text);
        EXPECT_EQ(ss, c.elements) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST_F(IniOnSimDisk, String2ArrayFailuresKeepWhatWasStored) {
    using V = std::vector<std::wstring>;
    V ss{L"old"};
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L"", L"a,b"); }), error_number::kInvalidArgument);
    EXPECT_EQ(ss, (V{L""}));
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L",", L"a,\",b"); }), error_number::kInvalidArgument);
    EXPECT_EQ(ss, (V{L"a", L"\""}));

    std::wstring longest(32766, L'q');
    ini.String2Array(ss, L",", longest);
    EXPECT_EQ(ss, (V{longest}));
    std::wstring tooLong = L"a,b," + std::wstring(32763, L'q');  // 32767 characters
    EXPECT_EQ(ErrorNumberOf([&] { ini.String2Array(ss, L",", tooLong); }), error_number::kOverflow);
    EXPECT_EQ(ss, (V{L"a", L"b"}));

    // 32767 fields, the most a 16-bit count allows, fit in 32766 characters only as empty ones.
    ini.String2Array(ss, L",", std::wstring(32766, L','));
    EXPECT_EQ(ss.size(), 32767u);
}

}  // namespace
}  // namespace tarvello
