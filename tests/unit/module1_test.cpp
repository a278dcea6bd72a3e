// Module1 on the simulated desktop: which paths count as existing files, the INI path and the plain pause.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

#include "common/program_error.h"
#include "control_window/module1.h"
#include "platform/sim/sim_desktop.h"
#include "settings/ini_access.h"

namespace tarvello {
namespace {

// A disk whose directory lookup itself fails, as on a missing drive or a malformed path.
class FailingLookupFiles : public sim::SimFiles {
public:
    std::optional<FileAttributes> Attributes(const std::wstring& path) override {
        if (path.find(L"Q:") == 0)
            throw ProgramError(error_number::kPathNotFound);
        if (path.find(L"R:") == 0)
            throw std::runtime_error("device not ready");
        return SimFiles::Attributes(path);
    }
};

Module1 ModuleOn(sim::SimDesktop& desktop) {
    return Module1(desktop.files, desktop.shell, desktop.loop);
}

TEST(Module1, FileExistsForFoldersAndPlainFilesOnly) {
    sim::SimDesktop desktop;
    Module1 module = ModuleOn(desktop);
    desktop.files.Write(L"C:\\Tarvello\\Error.log", "x");
    desktop.files.Write(L"C:\\Tarvello\\hidden.txt", "");
    desktop.files.SetAttributes(L"C:\\Tarvello\\hidden.txt", {false, true, false});
    desktop.files.Write(L"C:\\Tarvello\\system.txt", "");
    desktop.files.SetAttributes(L"C:\\Tarvello\\system.txt", {false, false, true});
    desktop.files.AddFolder(L"C:\\Tarvello\\Logs");

    for (const wchar_t* path :
         {L"C:\\Tarvello\\Error.log", L"c:\\tarvello\\ERROR.LOG", L"C:\\Tarvello", L"C:\\Tarvello\\Logs"})
        EXPECT_TRUE(module.FileExists(path)) << testing::PrintToString(std::wstring(path));
    for (const wchar_t* path : {L"C:\\Tarvello\\hidden.txt", L"C:\\Tarvello\\system.txt", L"C:\\Tarvello\\missing.log",
                                L"", L"C:\\Tarvello\\*.log", L"C:\\Tarvello\\Error.lo?"})
        EXPECT_FALSE(module.FileExists(path)) << testing::PrintToString(std::wstring(path));
}

TEST(Module1, FailingLookupReturnsFalseAndRaisesNothing) {
    sim::SimDesktop desktop;
    FailingLookupFiles files;
    files.AddFolder(L"C:\\Tarvello");
    Module1 module(files, desktop.shell, desktop.loop);
    EXPECT_FALSE(module.FileExists(L"Q:\\Error.log"));
    EXPECT_FALSE(module.FileExists(L"R:\\Error.log"));
    EXPECT_TRUE(module.FileExists(L"C:\\Tarvello"));
}

TEST(Module1, InitIniPathJoinsFolderBaseNameAndIni) {
    sim::SimDesktop desktop;
    Module1 module = ModuleOn(desktop);
    IniAccess ini(desktop.profile);
    module.InitIniPath(ini);
    EXPECT_EQ(ini.IniFile(), L"C:\\Tarvello\\Tarvello.ini");

    desktop.shell.SetProgramFolder(L"D:\\Funk\\Rotor Steuerung");
    desktop.shell.SetExeBaseName(L"Tarvello2");
    module.InitIniPath(ini);
    EXPECT_EQ(ini.IniFile(), L"D:\\Funk\\Rotor Steuerung\\Tarvello2.ini");
}

TEST(Module1, WaitMillisecondsBlocksWithoutRunningEvents) {
    sim::SimDesktop desktop;
    Module1 module = ModuleOn(desktop);
    int ticks = 0;
    desktop.loop.StartTimer(20, [&] { ++ticks; });
    const auto before = desktop.loop.NowMs();
    module.WaitMilliseconds(50);
    EXPECT_EQ(desktop.loop.NowMs() - before, 50u);
    EXPECT_EQ(ticks, 0);
    module.WaitMilliseconds(0);
    module.WaitMilliseconds(-1);  // would be an endless wait if passed on
    module.WaitMilliseconds(std::numeric_limits<std::int32_t>::min());
    module.WaitMilliseconds(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(desktop.loop.Waits(), (std::vector<std::uint32_t>{50, 0, 2147483647u}));
    EXPECT_EQ(desktop.loop.ProcessPendingEventsCalls(), 0);
}

}  // namespace
}  // namespace tarvello
