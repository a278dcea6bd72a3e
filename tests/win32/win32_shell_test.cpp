// The Win32 shell under Wine: exact bytes of appended lines, file failures, attributes, timers through the
// message loop, the quit request surviving a pump, and the version record of a file with and without one.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/program_error.h"
#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_version_info.h"

namespace tarvello::win32 {
namespace {

// A fresh folder under the temp folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"tarvello_shell_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring full = path_ + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(full.c_str());
                } else {
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

std::string FileBytes(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return error.Number();
    }
    return 0;
}

// Pumps the message loop until the condition holds or 2 s have passed.
bool PumpUntil(Win32Shell& shell, const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 2000)
            return false;
        shell.ProcessPendingEvents();
        ::Sleep(2);
    }
    return true;
}

void PumpFor(Win32Shell& shell, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        shell.ProcessPendingEvents();
        ::Sleep(2);
    }
}

TEST(Win32ShellTest, AppendLineWritesAnsiBytesWithCrLfAndKeepsWhatIsThere) {
    TempFolder folder;
    Win32Shell shell;
    const std::wstring log = folder.Path() + L"\\Error.log";

    shell.AppendLine(log, L"Tarvello - Fehlerlog");
    shell.AppendLine(log, L"Bitte starten Sie zun\u00e4chst Win-Contest");
    shell.AppendLine(log, L"");
    // A character the code page lacks becomes '?'; the euro sign is 0x80 in Windows-1252.
    shell.AppendLine(log, L"\u0394 \u20ac");

    EXPECT_EQ(FileBytes(log),
              "Tarvello - Fehlerlog\r\n"
              "Bitte starten Sie zun\xe4"
              "chst Win-Contest\r\n"
              "\r\n"
              "? \x80\r\n");
}

TEST(Win32ShellTest, AppendLineFailuresThrowAndCreateNothing) {
    TempFolder folder;
    Win32Shell shell;
    const std::wstring inMissingFolder = folder.Path() + L"\\nicht da\\Error.log";

    EXPECT_EQ(ErrorNumberOf([&] { shell.AppendLine(inMissingFolder, L"x"); }), error_number::kPathNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { shell.AppendLine(L"", L"x"); }), error_number::kPathNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { shell.AppendLine(folder.Path() + std::wstring(L"\\a\0b", 4), L"x"); }),
              error_number::kPathNotFound);
    // A folder cannot be opened as a file to append to.
    EXPECT_EQ(ErrorNumberOf([&] { shell.AppendLine(folder.Path(), L"x"); }), error_number::kPermissionDenied);

    EXPECT_EQ(GetFileAttributesW(inMissingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((folder.Path() + L"\\a").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32ShellTest, GetAttributesTellsFoldersFilesHiddenFilesAndMissingPaths) {
    TempFolder folder;
    Win32Shell shell;
    const std::wstring plain = folder.Path() + L"\\plain.txt";
    const std::wstring hidden = folder.Path() + L"\\hidden.txt";
    shell.AppendLine(plain, L"x");
    shell.AppendLine(hidden, L"x");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    const auto folderAttributes = shell.GetAttributes(folder.Path());
    ASSERT_TRUE(folderAttributes.has_value());
    EXPECT_TRUE(folderAttributes->directory);

    const auto plainAttributes = shell.GetAttributes(plain);
    ASSERT_TRUE(plainAttributes.has_value());
    EXPECT_FALSE(plainAttributes->directory);
    EXPECT_FALSE(plainAttributes->hidden);
    EXPECT_FALSE(plainAttributes->system);

    const auto hiddenAttributes = shell.GetAttributes(hidden);
    ASSERT_TRUE(hiddenAttributes.has_value());
    EXPECT_TRUE(hiddenAttributes->hidden);

    EXPECT_FALSE(shell.GetAttributes(folder.Path() + L"\\missing.txt").has_value());
    EXPECT_FALSE(shell.GetAttributes(L"Q:\\no\\such\\drive").has_value());
    EXPECT_FALSE(shell.GetAttributes(L"").has_value());
    EXPECT_FALSE(shell.GetAttributes(plain + std::wstring(1, L'\0') + L"x").has_value());
}

TEST(Win32ShellTest, TimersTickThroughTheMessageLoopUntilStopped) {
    Win32Shell shell;
    int fast = 0;
    int selfStopping = 0;
    const TimerId fastTimer = shell.StartTimer(10, [&] { ++fast; });
    TimerId selfTimer = 0;
    selfTimer = shell.StartTimer(10, [&] {
        ++selfStopping;
        shell.StopTimer(selfTimer);  // the running tick ends its own timer
    });
    EXPECT_NE(fastTimer, selfTimer);

    // Nothing ticks while the loop does not run.
    ::Sleep(50);
    EXPECT_EQ(fast, 0);

    ASSERT_TRUE(PumpUntil(shell, [&] { return fast >= 3; }));
    shell.StopTimer(fastTimer);
    const int ticksWhenStopped = fast;
    PumpFor(shell, 100);
    EXPECT_EQ(fast, ticksWhenStopped);
    EXPECT_EQ(selfStopping, 1);

    shell.StopTimer(fastTimer);  // stopping twice is harmless
    shell.StopTimer(12345);      // and so is an id that never existed
}

TEST(Win32ShellTest, PumpingLeavesTheQuitRequestForTheMainLoop) {
    Win32Shell shell;
    PostQuitMessage(7);
    shell.ProcessPendingEvents();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(Win32ShellTest, ProgramFolderNameAndVersionDescribeTheRunningExe) {
    Win32Shell shell;
    const std::wstring folder = shell.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_EQ(shell.ExeBaseName(), L"win32_tests");
    EXPECT_NE(GetFileAttributesW((folder + L"\\win32_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);

    // The test exe has no version record: the base name stands in and the numbers are zero.
    const VersionRecord own = shell.ProgramVersion();
    EXPECT_EQ(own.productName, L"win32_tests");
    EXPECT_EQ(own.major, 0);
    EXPECT_EQ(own.minor, 0);
    EXPECT_EQ(own.revision, 0);

    // Tarvello.exe is built beside it and carries the real one.
    const VersionRecord tarvello = ReadVersionRecord(ToAnsi(folder + L"\\Tarvello.exe"), L"fallback");
    EXPECT_EQ(tarvello.productName, L"Tarvello");
    EXPECT_EQ(tarvello.major, 1);
    EXPECT_EQ(tarvello.minor, 0);
    EXPECT_EQ(tarvello.revision, 0);
    EXPECT_EQ(ReadVersionRecord(ToAnsi(folder + L"\\missing.exe"), L"fallback").productName, L"fallback");
}

}  // namespace
}  // namespace tarvello::win32
