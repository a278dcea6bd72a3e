// ContestLogger.exe: stand-in for the contest logger "Win-Contest", for tests and dry runs of Tarvello.
// usage: ContestLogger.exe [--journal PATH] [--call TEXT] [--angle TEXT] [--locator TEXT]
#include <windows.h>

#include "../common/standin_args.h"
#include "../common/standin_control.h"
#include "../common/standin_names.h"
#include "logger_window.h"

namespace {

bool ParseOptions(const std::vector<std::string>& args, standin::LoggerOptions& options) {
    options.journalPath = standin::BesideExe(standin::kLoggerJournal);
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string* target = args[i] == "--journal"   ? &options.journalPath
                              : args[i] == "--call"    ? &options.call
                              : args[i] == "--angle"   ? &options.angle
                              : args[i] == "--locator" ? &options.locator
                                                       : nullptr;
        if (target == nullptr || i + 1 >= args.size())
            return false;
        *target = args[++i];
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    standin::LoggerOptions options;
    // A stand-in started by a test must never wait on a message box: bad switches just end it.
    if (!ParseOptions(standin::CommandLineArguments(), options))
        return standin::kExitBadUsage;
    standin::LoggerWindow window(options);
    if (!window.Create(show))
        return 3;
    return standin::RunMessageLoop();
}
