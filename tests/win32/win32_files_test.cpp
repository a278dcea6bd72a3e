// The Win32 files under Wine: exact bytes of appended lines, and the numbers of failures.
#include "platform/win32/win32_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/program_error.h"
#include "support/test_env.h"

namespace tarvello::win32 {
namespace {

using test_support::ErrorOf;

TEST(Win32FilesTest, AppendLineWritesAnsiBytesWithCrLfOrFailsWithItsNumberAndCreatesNothing) {
    const std::wstring folder = test_support::FreshTempPath(L"files");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring log = folder + L"\\Error.log";
    Win32Files files;
    for (const wchar_t* line : {L"Tarvello - Fehlerlog", L"zun\u00e4chst", L"", L"\u0394 \u20ac"})
        files.AppendLine(log, line);
    std::ifstream written(log.c_str(), std::ios::binary);
    // A character the code page lacks becomes '?'; the euro sign is 0x80 in Windows-1252.
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              "Tarvello - Fehlerlog\r\nzun\xe4"
              "chst\r\n\r\n? \x80\r\n");

    const std::pair<std::wstring, int> failures[] = {
        {folder + L"\\nicht da\\Error.log", error_number::kPathNotFound},
        {L"", error_number::kPathNotFound},
        {folder + std::wstring(L"\\a\0b", 4), error_number::kPathNotFound},  // not cut short at its NUL
        {folder, error_number::kPermissionDenied},                           // a folder is no file to append to
    };
    for (const auto& [path, error] : failures)
        EXPECT_EQ(ErrorOf([&] { files.AppendLine(path, L"x"); }), error);
    EXPECT_EQ(GetFileAttributesW((folder + L"\\a").c_str()), INVALID_FILE_ATTRIBUTES);

    written.close();
    DeleteFileW(log.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace tarvello::win32
