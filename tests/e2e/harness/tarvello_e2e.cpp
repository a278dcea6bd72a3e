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
    if (!bin.empty() && bin.front() == L'/') bin = L"Z:" + bin;  // a Unix path seen through Wine's Z: drive
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
    if (tarvello_ != nullptr) tarvello_->Kill();
    processes_.clear();
}

ChildProcess& TarvelloE2E::StartDXView(const std::wstring& arguments) {
    processes_.push_back(std::make_unique<ChildProcess>(
        Quoted(BinFolder() + L"\\DXView.exe") + L" --journal " + Quoted(FolderFile(L"DXView-journal.txt")) + L" " +
        arguments));
    dxview_ = processes_.back().get();
    EXPECT_TRUE(dxview_->Started());
    EXPECT_TRUE(WaitFor([&] { return FindWindowA(standin::kDxViewInfoClass, standin::kDxViewInfoTitle) != nullptr ||
                                      FindWindowA(standin::kDxViewWindowClass, nullptr) != nullptr; },
                        10000))
        << "DXView stand-in did not come up";
    return *dxview_;
}

ChildProcess& TarvelloE2E::StartLogger(const std::wstring& arguments) {
    processes_.push_back(std::make_unique<ChildProcess>(Quoted(BinFolder() + L"\\ContestLogger.exe") +
                                                        L" --journal " +
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
            found = FindTopLevel(kMainWindowClass, [](const std::wstring&) { return true; }, tarvello_->Id());
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool TarvelloE2E::Script(const char* standInClass, const std::string& command) {
    HWND target = FindWindowA(standInClass, nullptr);
    if (target == nullptr) return false;
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

std::vector<std::string> TarvelloE2E::Matching(const std::vector<std::string>& lines, const std::string& text) {
    std::vector<std::string> found;
    for (const auto& line : lines) {
        if (line.find(text) != std::string::npos) found.push_back(line);
    }
    return found;
}

}  // namespace e2e
