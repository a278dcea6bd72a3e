// The end-to-end fixture.
#include "harness/tarvello_e2e.h"

#include <regex>

#include "../../standins/common/standin_text.h"
#include "support/journal.h"

namespace e2e {
namespace {

using test_support::BinPath;

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

}  // namespace

void TarvelloE2E::SetUp() {
    // The tick count keeps folders of earlier runs apart: Wine hands out the same process ids again.
    journals_ = test_support::FreshTempPath(L"tarvello-e2e-" + std::to_wstring(GetTickCount64()) + L"-");
    CreateDirectoryW(journals_.c_str(), nullptr);
    folder_ = journals_;
    ASSERT_NO_FATAL_FAILURE(UseProgramFolder(L""));
}

void TarvelloE2E::UseProgramFolder(const std::wstring& leaf) {
    folder_ = leaf.empty() ? journals_ : journals_ + L"\\" + leaf;
    CreateDirectoryW(folder_.c_str(), nullptr);
    CopyFileW(BinPath(L"Tarvello.chm").c_str(), FolderFile(L"Tarvello.chm").c_str(), FALSE);
    ASSERT_TRUE(CopyFileW(BinPath(L"Tarvello.exe").c_str(), FolderFile(L"Tarvello.exe").c_str(), FALSE))
        << "no Tarvello.exe in the bin folder";
}

void TarvelloE2E::TearDown() {
    // Tarvello first, so that it does not see its partners go; then the partners.
    if (tarvello_ != nullptr)
        tarvello_->Kill();
    processes_.clear();
}

ChildProcess* TarvelloE2E::StartStandIn(const std::wstring& name, const std::wstring& arguments) {
    // A stand-in started again must not be taken as ready on the strength of its predecessor's journal.
    const std::wstring journal = JournalFile(name);
    DeleteFileW(journal.c_str());
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(BinPath(name + L".exe")) + L" --journal " +
                                                        Quoted(journal) + L" " + arguments));
    EXPECT_TRUE(test_support::WaitForJournalText(journal, "READY")) << "no READY from " << journal;
    return processes_.back().get();
}

void TarvelloE2E::StartTarvello() {
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(FolderFile(L"Tarvello.exe")), folder_));
    tarvello_ = processes_.back().get();
    EXPECT_TRUE(tarvello_->Started());
}

void TarvelloE2E::StartAll(const std::wstring& loggerArguments, const std::wstring& dxviewArguments) {
    dxview_ = StartStandIn(L"DXView", dxviewArguments);
    StartStandIn(L"ContestLogger", loggerArguments);
    StartTarvelloShown();
}

void TarvelloE2E::StartTarvelloShown() {
    StartTarvello();
    ASSERT_TRUE(WaitFor(
        [&] { return IsWindowVisible(main_ = FindTopLevel(tarvello_->Id(), L"TarvelloControlWindow")); }, 15000))
        << "the control window was not shown";
}

std::wstring TarvelloE2E::WaitForMessageBox() {
    if (!WaitFor([&] { return (box_ = FindTopLevel(tarvello_->Id(), L"#32770", L"Tarvello")) != nullptr; }, 15000))
        return L"<no message box>";
    // A standard message box shows its message in the static control 0xFFFF.
    return ChildText(box_, 0xFFFF);
}

bool TarvelloE2E::Script(const char* standInClass, const std::string& command) {
    COPYDATASTRUCT data{standin::kCopyDataTag, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR accepted = 0;
    SendMessageTimeoutA(FindWindowA(standInClass, nullptr), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 5000, &accepted);
    return accepted != 0;
}

bool TarvelloE2E::ClickInto(HWND window) {
    if (window == nullptr)
        return false;
    // The X window takes the keyboard, as a click would give it; Wine then makes it the foreground window.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (Xdotool(L"search --name '^" + WindowText(window) + L"$' windowfocus --sync"))
            break;
    }
    // A click raises the window above the others too; the bare X server of the tests has no window manager
    // that would, and Wine's window order must be the one an operator's desktop has.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 2000);
}

bool TarvelloE2E::Xdotool(const std::wstring& arguments) {
    // Wine starts a Unix program natively but hands back no process handle to wait on: the shell leaves the
    // exit code in a file instead, which is polled.
    const std::wstring marker = test_support::UniqueName(L"/tmp/tarvello-e2e-") + L".rc";
    ChildProcess shell(L"/bin/sh -c \"/usr/bin/xdotool " + arguments + L"; echo $? > " + marker + L"\"");
    std::string code;
    const bool ended = WaitFor([&] { return (code = ReadFileBytes(L"Z:" + marker)).ends_with('\n'); }, 10000);
    DeleteFileW((L"Z:" + marker).c_str());
    return ended && code == "0\n";
}

bool TarvelloE2E::RegisterBearingSource(bool registered) {
    const auto code = test_support::RunToEnd(std::wstring(L"regsvr32.exe /s ") + (registered ? L"" : L"/u ") +
                                             Quoted(BinPath(L"BearingSource.dll")));
    return code.has_value() && (*code == 0 || !registered);
}

std::vector<std::string> TarvelloE2E::Entries(const std::wstring& standIn, const std::string& pattern) const {
    const std::regex wanted(pattern);
    std::vector<std::string> found;
    for (const std::string& text : test_support::JournalTexts(JournalFile(standIn))) {
        if (std::regex_match(text, wanted))
            found.push_back(text);
    }
    return found;
}

::testing::AssertionResult TarvelloE2E::ErrorLogHolds(const std::string& entryPattern) const {
    const std::string log = ReadFileBytes(FolderFile(L"Error.log"));
    const std::string entry = entryPattern.empty() ? "" : ".*" + entryPattern + "\r\n";
    return std::regex_match(log, std::regex("Tarvello - Fehlerlog\r\n" + entry)) ? ::testing::AssertionSuccess()
                                                                                 : ::testing::AssertionFailure() << log;
}

}  // namespace e2e
