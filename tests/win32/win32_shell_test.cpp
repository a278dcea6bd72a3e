// The Win32 shell, files and event loop under Wine: exact bytes of appended lines, file failures, attributes,
// timers through the message loop, the quit request surviving a pump, and the version record of a file with and
// without one.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/program_error.h"
#include "platform/win32/win32_ansi.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_version_info.h"

namespace tarvello::win32 {
namespace {

// A fresh folder under the temp folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path = std::wstring(base) + L"tarvello_shell_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
        for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry)) {
            const std::wstring full = path + L"\\" + entry.cFileName;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(full.c_str());  // the tests create files only
        }
        FindClose(find);
        RemoveDirectoryW(path.c_str());
    }
    std::wstring path;
};

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return error.Number();
    }
    return 0;
}

// Pumps the message loop for the given time or until the condition holds; returns the condition.
bool Pump(
    Win32EventLoop& loop,
    DWORD ms,
    const std::function<bool()>& condition = [] { return false; }) {
    for (const DWORD start = GetTickCount(); !condition() && GetTickCount() - start < ms; ::Sleep(2))
        loop.ProcessPendingEvents();
    return condition();
}

TEST(Win32FilesTest, AppendLineWritesAnsiBytesWithCrLfAndKeepsWhatIsThere) {
    TempFolder folder;
    Win32Files files;
    const std::wstring log = folder.path + L"\\Error.log";
    files.AppendLine(log, L"Tarvello - Fehlerlog");
    files.AppendLine(log, L"Bitte starten Sie zun\u00e4chst Win-Contest");
    files.AppendLine(log, L"");
    // A character the code page lacks becomes '?'; the euro sign is 0x80 in Windows-1252.
    files.AppendLine(log, L"\u0394 \u20ac");
    EXPECT_EQ(FileBytes(log),
              "Tarvello - Fehlerlog\r\nBitte starten Sie zun\xe4"
              "chst Win-Contest\r\n\r\n? \x80\r\n");
}

TEST(Win32FilesTest, AppendLineFailuresThrowAndCreateNothing) {
    TempFolder folder;
    Win32Files files;
    const std::wstring inMissingFolder = folder.path + L"\\nicht da\\Error.log";
    const std::wstring withNul = folder.path + std::wstring(L"\\a\0b", 4);
    for (const std::wstring& path : {inMissingFolder, std::wstring(), withNul})
        EXPECT_EQ(ErrorNumberOf([&] { files.AppendLine(path, L"x"); }), error_number::kPathNotFound);
    // A folder cannot be opened as a file to append to.
    EXPECT_EQ(ErrorNumberOf([&] { files.AppendLine(folder.path, L"x"); }), error_number::kPermissionDenied);
    EXPECT_EQ(GetFileAttributesW(inMissingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((folder.path + L"\\a").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FilesTest, AttributesTellFoldersFilesHiddenFilesAndMissingPaths) {
    TempFolder folder;
    Win32Files files;
    const std::wstring plain = folder.path + L"\\plain.txt";
    const std::wstring hidden = folder.path + L"\\hidden.txt";
    files.AppendLine(plain, L"x");
    files.AppendLine(hidden, L"x");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    auto flags = [&](const std::wstring& path) {
        const auto attributes = files.Attributes(path);
        return attributes ? std::string(attributes->directory ? "d" : "") + (attributes->hidden ? "h" : "") +
                                (attributes->system ? "s" : "") + "."
                          : "missing";
    };
    EXPECT_EQ(flags(folder.path), "d.");
    EXPECT_EQ(flags(plain), ".");
    EXPECT_EQ(flags(hidden), "h.");
    for (const std::wstring& path : {folder.path + L"\\missing.txt", std::wstring(L"Q:\\no\\such\\drive"),
                                     std::wstring(), plain + std::wstring(1, L'\0') + L"x"})
        EXPECT_EQ(flags(path), "missing");
}

TEST(Win32EventLoopTest, TimersTickThroughTheMessageLoopUntilStopped) {
    Win32EventLoop loop;
    int fast = 0;
    int selfStopping = 0;
    const TimerId fastTimer = loop.StartTimer(10, [&] { ++fast; });
    TimerId selfTimer = 0;
    selfTimer = loop.StartTimer(10, [&] {
        ++selfStopping;
        loop.StopTimer(selfTimer);  // the running tick ends its own timer
    });
    EXPECT_NE(fastTimer, selfTimer);
    ::Sleep(50);
    EXPECT_EQ(fast, 0);  // nothing ticks while the loop does not run

    ASSERT_TRUE(Pump(loop, 2000, [&] { return fast >= 3; }));
    loop.StopTimer(fastTimer);
    const int ticksWhenStopped = fast;
    Pump(loop, 100);
    EXPECT_EQ(fast, ticksWhenStopped);
    EXPECT_EQ(selfStopping, 1);
    loop.StopTimer(fastTimer);  // stopping twice is harmless
    loop.StopTimer(12345);      // and so is an id that never existed
}

TEST(Win32EventLoopTest, PumpingLeavesTheQuitRequestForTheMainLoop) {
    Win32EventLoop loop;
    PostQuitMessage(7);
    loop.ProcessPendingEvents();
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

    auto text = [](const VersionRecord& v) {
        return v.productName + L" " + std::to_wstring(v.major) + L"." + std::to_wstring(v.minor) + L"." +
               std::to_wstring(v.revision);
    };
    // The test exe has no version record: the base name stands in and the numbers are zero.
    EXPECT_EQ(text(shell.ProgramVersion()), L"win32_tests 0.0.0");
    // Tarvello.exe is built beside it and carries the real one.
    EXPECT_EQ(text(ReadVersionRecord(ToAnsi(folder + L"\\Tarvello.exe"), L"fallback")), L"Tarvello 1.0.0");
    EXPECT_EQ(ReadVersionRecord(ToAnsi(folder + L"\\missing.exe"), L"fallback").productName, L"fallback");
}

// What the box shows, read from another thread while the box waits for its OK.
struct BoxLook {
    std::vector<int> buttonIds;
    bool stopIcon = false;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param) {
    auto* look = reinterpret_cast<BoxLook*>(param);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child))
        look->buttonIds.push_back(GetDlgCtrlID(child));
    if (_wcsicmp(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        look->stopIcon = SendMessageW(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_HAND));
    return TRUE;
}

DWORD WINAPI ReadAndCloseBox(LPVOID param) {
    HWND box = nullptr;
    for (int tries = 0; box == nullptr && tries < 500; ++tries, ::Sleep(10))
        box = FindWindowW(L"#32770", L"Tarvello Test");
    if (box != nullptr) {
        EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(param));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return 0;
}

TEST(Win32ShellTest, TheMessageBoxHasOnlyAnOkButtonAndTheStopIcon) {
    BoxLook look;
    HANDLE reader = CreateThread(nullptr, 0, ReadAndCloseBox, &look, 0, nullptr);
    Win32Shell().ShowCriticalMessage(L"Bitte starten Sie zun\u00e4chst Win-Contest", L"Tarvello Test");
    WaitForSingleObject(reader, 10000);
    CloseHandle(reader);
    EXPECT_EQ(look.buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(look.stopIcon);
}

}  // namespace
}  // namespace tarvello::win32
