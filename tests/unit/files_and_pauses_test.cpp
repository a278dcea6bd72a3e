// FilesAndPauses on the simulated desktop: which paths count as existing files, the INI path and the plain pause.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

#include "base/program_error.h"
#include "control_window/files_and_pauses.h"
#include "platform/sim/sim_desktop.h"
#include "settings/ini_access.h"

namespace tarvello {
namespace {

// A disk whose directory lookup itself fails, as on a missing drive or a malformed path.
class FailingLookupFiles : public sim::SimFiles {
public:
    std::optional<FileAttributes> Attributes(const std::wstring& path) override {
        if (path.starts_with(L"Q:"))
            throw ProgramError(error_number::kPathNotFound);
        if (path.starts_with(L"R:"))
            throw std::runtime_error("device not ready");
        return SimFiles::Attributes(path);
    }
};

TEST(FilesAndPauses, FileExistsForFoldersAndPlainFilesOnly) {
    sim::SimDesktop desktop;
    FailingLookupFiles files;
    FilesAndPauses module(files, desktop.shell, desktop.loop);
    files.AddFolder(L"C:\\Tarvello");
    files.Write(L"C:\\Tarvello\\Error.log", "x");
    files.Write(L"C:\\Tarvello\\Error.lo?", "");  // a name only a pattern has
    for (const auto& [name, attributes] : {std::pair{L"hidden", FileAttributes{false, true, false}},
                                           std::pair{L"system", FileAttributes{false, false, true}},
                                           std::pair{L"Logs", FileAttributes{true, true, true}}}) {
        files.Write(std::wstring(L"C:\\Tarvello\\") + name, "");
        files.SetAttributes(std::wstring(L"C:\\Tarvello\\") + name, attributes);
    }
    for (const wchar_t* path :
         {L"C:\\Tarvello\\Error.log", L"c:\\tarvello\\ERROR.LOG", L"C:\\Tarvello", L"C:\\Tarvello\\Logs"})
        EXPECT_TRUE(module.FileExists(path)) << testing::PrintToString(std::wstring(path));
    for (const wchar_t* path : {L"C:\\Tarvello\\hidden", L"C:\\Tarvello\\system", L"C:\\Tarvello\\missing.log", L"",
                                L"C:\\Tarvello\\*.log", L"C:\\Tarvello\\Error.lo?", L"Q:\\Error.log", L"R:\\Error.log"})
        EXPECT_FALSE(module.FileExists(path)) << testing::PrintToString(std::wstring(path));
}

TEST(FilesAndPauses, WaitMillisecondsBlocksWithoutRunningEvents) {
    sim::SimDesktop desktop;
    FilesAndPauses module(desktop.files, desktop.shell, desktop.loop);
    int ticks = 0;
    desktop.loop.StartTimer(20, [&] { ++ticks; });
    const auto before = desktop.loop.NowMs();
    module.WaitMilliseconds(50);
    EXPECT_EQ(desktop.loop.NowMs() - before, 50u);
    EXPECT_EQ(ticks, 0);
    module.WaitMilliseconds(0);
    module.WaitMilliseconds(-1);  // would be an endless wait if passed on
    module.WaitMilliseconds(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(desktop.loop.Waits(), (std::vector<std::uint32_t>{50, 0, 2147483647u}));
    EXPECT_EQ(desktop.loop.ProcessPendingEventsCalls(), 0);
}

}  // namespace
}  // namespace tarvello
