// The real profile calls under IniAccess, in a private temp folder: round trip, the 259 cut, empty names and
// values, missing files and folders. Wine drops the leading blank of a written value; Windows keeps it.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/win32_profile.h"
#include "settings/ini_access.h"

namespace tarvello::win32 {
namespace {

class RealProfile : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "tarvello_profile_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        path_ = folder_ + "\\Tarvello.ini";
        DeleteFileA(path_.c_str());
        ini_.SetIniFile(std::wstring(path_.begin(), path_.end()));
    }
    void TearDown() override {
        DeleteFileA(path_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string FileBytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void PutFile(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

    std::string folder_, path_;
    Win32Profile profile_;
    IniAccess ini_{profile_};
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(RealProfile, PositionsRoundTripWithOrWithoutTheLeadingBlank) {
    EXPECT_EQ(ini_.ReadEntry(L"RESTORE", L"linkerRand", L" 5 "), L"5");  // no file yet
    ini_.WriteEntry(L"RESTORE", L"linkerRand", L" 1560");
    ini_.WriteEntry(L"RESTORE", L"obererRand", L"-120");
    ini_.WriteEntry(L"RELEASE", L"Release_Nr", L"1.0.0 Beta");
    const std::string bytes = FileBytes();
    EXPECT_TRUE(Contains(bytes, "linkerRand= 1560\r\n") || Contains(bytes, "linkerRand=1560\r\n")) << bytes;
    EXPECT_TRUE(Contains(bytes, "obererRand=-120\r\n")) << bytes;
    EXPECT_TRUE(Contains(bytes, "[RELEASE]\r\nRelease_Nr=1.0.0 Beta\r\n")) << bytes;
    EXPECT_EQ(ini_.ReadEntry(L"RESTORE", L"linkerRand", L""), L"1560");
    EXPECT_EQ(ini_.ReadEntry(L"restore", L"OBERERRAND", L""), L"-120");
}

TEST_F(RealProfile, ValuesAreCutAt259AndEmptyOnesStay) {
    std::wstring longValue;
    for (int i = 0; i < 300; ++i)
        longValue.push_back(static_cast<wchar_t>(L'a' + i % 26));
    ini_.WriteEntry(L"S", L"long", longValue);
    EXPECT_EQ(FileBytes(), "[S]\r\nlong=" + std::string(longValue.begin(), longValue.begin() + 259) + "\r\n");

    PutFile("[S]\r\nlong=" + std::string(10000, '7') + "\r\n");
    EXPECT_EQ(ini_.ReadEntry(L"S", L"long", L"d"), std::wstring(259, L'7'));

    ini_.WriteEntry(L"S", L"long", L"");
    EXPECT_EQ(ini_.ReadEntry(L"S", L"long", L"default"), L"");
    // Empty names are names, not listings.
    EXPECT_EQ(ini_.ReadEntry(L"S", L"", L"d"), L"d");
    EXPECT_EQ(ini_.ReadEntry(L"", L"long", L"d"), L"d");
    EXPECT_EQ(ini_.ReadEntry(L"", L"", L"d"), L"d");
}

TEST_F(RealProfile, TextGoesOverInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    ini_.WriteEntry(L"RELEASE", L"Notiz", L"zun\u00e4chst \u20ac");
    EXPECT_TRUE(Contains(FileBytes(),
                         "Notiz=zun\xe4"
                         "chst \x80\r\n"));
    EXPECT_EQ(ini_.ReadEntry(L"RELEASE", L"Notiz", L""), L"zun\u00e4chst \u20ac");
}

TEST_F(RealProfile, WriteIntoAMissingFolderIsLostQuietly) {
    const std::string missing = folder_ + "\\gone\\Tarvello.ini";
    ini_.SetIniFile(std::wstring(missing.begin(), missing.end()));
    ini_.WriteEntry(L"RESTORE", L"linkerRand", L" 1560");
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ini_.ReadEntry(L"RESTORE", L"linkerRand", L"d"), L"d");
}

}  // namespace
}  // namespace tarvello::win32
