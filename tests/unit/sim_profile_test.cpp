// The simulated profile calls behave like the Windows ones where IniAccess relies on them.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"

namespace tarvello::sim {
namespace {

const std::wstring kFile = L"C:\\Tarvello\\t.ini";

TEST(SimProfile, ReadsLikeGetPrivateProfileString) {
    SimFiles files;
    SimProfile profile(files);
    files.Write(kFile,
                "  [Radio]  \r\n"
                " Key =  'single quoted'  \r\n"
                "half=\"open\r\n"
                "bare\r\n"
                "=nameless\n"
                "[Other]\n"
                "Key=other");
    EXPECT_EQ(profile.GetString(L"radio", L"KEY", L"d", 260, kFile), L"single quoted");
    EXPECT_EQ(profile.GetString(L"Radio", L"half", L"d", 260, kFile), L"\"open");
    EXPECT_EQ(profile.GetString(L"Radio", L"bare", L"d", 260, kFile), L"d");
    EXPECT_EQ(profile.GetString(L"Radio", L"", L"d", 260, kFile), L"d");
    EXPECT_EQ(profile.GetString(L"Other", L"key", L"d", 260, kFile), L"other");
    // The buffer holds size - 1 characters; trailing blanks of the default are dropped.
    EXPECT_EQ(profile.GetString(L"Radio", L"Key", L"d", 7, kFile), L"single");
    EXPECT_EQ(profile.GetString(L"Radio", L"Key", L"d", 0, kFile), L"");
    EXPECT_EQ(profile.GetString(L"Radio", L"none", L" de fault  ", 260, kFile), L" de fault");
    EXPECT_EQ(profile.GetString(L"Radio", L"none", L"   ", 260, kFile), L"");
    EXPECT_EQ(profile.GetString(L"Radio", L"Key", L"d", 260, L"C:\\missing.ini"), L"d");
}

TEST(SimProfile, WritesIntoTheFirstSectionAndKeepsTheKeySpelling) {
    SimFiles files;
    SimProfile profile(files);
    files.Write(kFile, "[A]\r\nKey=1\r\n\r\n[B]\r\nx=1\r\n[a]\r\nnew=0\r\n");
    EXPECT_TRUE(profile.WriteString(L"a", L"KEY", L" 2", kFile));
    EXPECT_TRUE(profile.WriteString(L"A", L"new", L"3", kFile));
    EXPECT_TRUE(profile.WriteString(L"C", L"k", L"", kFile));
    EXPECT_EQ(files.Read(kFile), "[A]\r\nKey= 2\r\nnew=3\r\n\r\n[B]\r\nx=1\r\n[a]\r\nnew=0\r\n[C]\r\nk=\r\n");
    files.SetUnwritable(L"C:\\Tarvello");
    EXPECT_FALSE(profile.WriteString(L"A", L"Key", L"4", kFile));
    EXPECT_EQ(profile.GetString(L"A", L"Key", L"d", 260, kFile), L"2");
    EXPECT_EQ(profile.Writes().size(), 4u);
}

}  // namespace
}  // namespace tarvello::sim
