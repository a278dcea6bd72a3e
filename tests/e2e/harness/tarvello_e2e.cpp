// The end-to-end fixture.
#include "harness/tarvello_e2e.h"

#include <algorithm>

#include "../../standins/common/standin_names.h"

namespace e2e {
namespace {

constexpr ULONG_PTR kScriptMagic = 0x54415256;
constexpr wchar_t kMainWindowClass[] = L"TarvelloControlWindow";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

}  // namespace

std::wstring TarvelloE2E::BinFolder() {
    std::wstring bin = EnvironmentValue(L"TARVELLO_BIN");
    if (!bin.empty() && bin.front() == L'/')
        bin = L"Z:" + bin;  // a Unix path seen through Wine's Z: drive
    std::replace(bin.begin(), bin.end(), L'/', L'\\');
    return bin;
}

void TarvelloE2E::SetUp() {
    ASSERT_FALSE(BinFolder().empty()) << "TARVELLO_BIN is not set";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = MakeFreshFolder(std::wstring(info->name(), info->name() + strlen(info->name())));
    ASSERT_TRUE(CopyInto(BinFolder(), L"Tarvello.exe", folder_)) << "no Tarvello.exe in the bin folder";
    CopyInto(BinFolder(), L"Tarvello.chm", folder_);
}

void TarvelloE2E::TearDown() {
    // Tarvello first, so that it does not see its partners go; then the partners.
    if (tarvello_ != nullptr)
        tarvello_->Kill();
    processes_.clear();
}

ChildProcess& TarvelloE2E::StartDXView(const std::wstring& arguments) {
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(BinFolder() + L"\\DXView.exe") + L" --journal " +
                                                        Quoted(FolderFile(L"DXView-journal.txt")) + L" " + arguments));
    dxview_ = processes_.back().get();
    EXPECT_TRUE(dxview_->Started());
    EXPECT_TRUE(WaitFor(
        [&] {
            return FindWindowA(standin::kDxViewInfoClass, standin::kDxViewInfoTitle) != nullptr ||
                   FindWindowA(standin::kDxViewWindowClass, nullptr) != nullptr;
        },
        10000))
        << "DXView stand-in did not come up";
    return *dxview_;
}

ChildProcess& TarvelloE2E::StartLogger(const std::wstring& arguments) {
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(BinFolder() + L"\\ContestLogger.exe") + L" --journal " +
                                                        Quoted(FolderFile(L"ContestLogger-journal.txt")) + L" " +
                                                        arguments));
    logger_ = processes_.back().get();
    EXPECT_TRUE(logger_->Started());
    EXPECT_TRUE(WaitFor([&] { return FindWindowA(standin::kLoggerWindowClass, nullptr) != nullptr; }, 10000))
        << "logger stand-in did not come up";
    return *logger_;
}

ChildProcess& TarvelloE2E::StartTarvello() {
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(FolderFile(L"Tarvello.exe")), folder_));
    tarvello_ = processes_.back().get();
    EXPECT_TRUE(tarvello_->Started());
    return *tarvello_;
}

HWND TarvelloE2E::WaitForMainWindow(DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindTopLevel(
                kMainWindowClass, [](const std::wstring&) { return true; }, tarvello_->Id());
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool TarvelloE2E::Script(const char* standInClass, const std::string& command) {
    HWND target = FindWindowA(standInClass, nullptr);
    if (target == nullptr)
        return false;
    COPYDATASTRUCT data{kScriptMagic, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &result);
    return result != 0;
}

bool TarvelloE2E::ScriptLogger(const std::string& command) {
    return Script(standin::kLoggerWindowClass, command);
}

bool TarvelloE2E::ScriptDXView(const std::string& command) {
    return Script(standin::kDxViewWindowClass, command);
}

int TarvelloE2E::RunUnix(const std::wstring& commandLine, DWORD timeoutMs) {
    // Wine starts Unix programs natively, but their handles cannot be waited on: the shell leaves the exit
    // code in a file instead, which is polled.
    static int counter = 0;
    const std::wstring marker =
        L"/tmp/tarvello-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".rc";
    std::wstring inner = commandLine + L"; echo $? > " + marker;
    std::wstring escaped;
    for (wchar_t c : inner) {
        if (c == L'"')
            escaped += L'\\';
        escaped += c;
    }
    std::wstring command = L"/bin/sh -c \"" + escaped + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    // For a Unix program Wine reports success but hands back no process handle.
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "RunUnix: could not start /bin/sh (error %lu)\n", GetLastError());
        return -1;
    }
    if (pi.hProcess != nullptr)
        CloseHandle(pi.hProcess);
    const std::wstring windowsMarker = L"Z:" + marker;
    std::string code;
    WaitFor(
        [&] {
            code = ReadFileBytes(windowsMarker);
            return !code.empty() && code.back() == '\n';
        },
        timeoutMs);
    DeleteFileW(windowsMarker.c_str());
    if (code.empty())
        std::fprintf(stderr, "RunUnix: no exit code from: %ls\n", commandLine.c_str());
    return code.empty() ? -1 : std::atoi(code.c_str());
}

HWND TarvelloE2E::LoggerWindow() const {
    return FindWindowA(standin::kLoggerWindowClass, nullptr);
}

HWND TarvelloE2E::DXViewWindow() const {
    return FindWindowA(standin::kDxViewWindowClass, nullptr);
}

bool TarvelloE2E::ClickInto(HWND window) {
    if (window == nullptr)
        return false;
    const std::wstring title = WindowText(window);
    // The X window takes the keyboard, as a click would give it; Wine then makes it the foreground window.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (RunUnix(L"w=$(/usr/bin/xdotool search --name '^" + title +
                    L"$' | head -n 1) && [ -n \"$w\" ] && "
                    L"/usr/bin/xdotool windowfocus --sync $w") == 0) {
            break;
        }
    }
    // A click raises the window above the others too; the bare X server of the tests has no window manager
    // that would, and Wine's window order must be the one an operator's desktop has.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 2000);
}

bool TarvelloE2E::Xdotool(const std::wstring& actions) {
    return RunUnix(L"/usr/bin/xdotool " + actions) == 0;
}

bool TarvelloE2E::TypeKey(const std::string& keysym) {
    // A person holds a key for a tenth of a second or more; the poller looks every 20 ms, and under Wine a key's
    // state can reach it up to 50 ms late (Wine caches the asynchronous key state that long).
    const std::wstring key(keysym.begin(), keysym.end());
    return Xdotool(L"keydown " + key + L" sleep 0.2 keyup " + key);
}

bool TarvelloE2E::RegisterBearingSource(bool registered) {
    const std::wstring dll = Quoted(BinFolder() + L"\\BearingSource.dll");
    ChildProcess regsvr(std::wstring(L"regsvr32.exe /s ") + (registered ? L"" : L"/u ") + dll);
    if (!regsvr.Started() || !regsvr.WaitForExit(20000))
        return false;
    DWORD code = 1;
    GetExitCodeProcess(regsvr.Handle(), &code);
    return code == 0 || !registered;
}

void TarvelloE2E::ClickLater(HWND main, int controlId) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, controlId)));
}

std::vector<std::string> TarvelloE2E::Matching(const std::vector<std::string>& lines, const std::string& text) {
    std::vector<std::string> found;
    for (const auto& line : lines) {
        if (line.find(text) != std::string::npos)
            found.push_back(line);
    }
    return found;
}

}  // namespace e2e
