// DXView.exe: stand-in for DXView, for tests and dry runs of Tarvello.
// usage: DXView.exe [--journal PATH] [--refuse] [--no-answer] [--slow MS] [--no-info-window] [--announce]
//   --slow MS: every execute is answered MS milliseconds late; the window keeps working meanwhile.
#include <windows.h>

#include <cstdlib>

#include "../common/standin_args.h"
#include "../common/standin_control.h"
#include "../common/standin_names.h"
#include "dxview_window.h"

namespace {

bool ParseOptions(const std::vector<std::string>& args, standin::DxViewOptions& options) {
    options.journalPath = standin::BesideExe(standin::kDxViewJournal);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--journal" && i + 1 < args.size()) {
            options.journalPath = args[++i];
        } else if (args[i] == "--refuse") {
            options.refuse = true;
        } else if (args[i] == "--no-answer") {
            options.noAnswer = true;
        } else if (args[i] == "--slow" && i + 1 < args.size()) {
            options.slowMs = std::strtoul(args[++i].c_str(), nullptr, 10);
        } else if (args[i] == "--no-info-window") {
            options.infoWindow = false;
        } else if (args[i] == "--announce") {
            options.announce = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    standin::DxViewOptions options;
    // A stand-in started by a test must never wait on a message box: bad switches just end it.
    if (!ParseOptions(standin::CommandLineArguments(), options))
        return standin::kExitBadUsage;
    standin::DxViewWindow window(options);
    if (!window.Create(instance, show))
        return 3;
    return standin::RunMessageLoop();
}
