// standin-ctl.exe: sends one control command to a running stand-in by WM_COPYDATA.
// usage: standin-ctl.exe <logger|dxview> <command...>   exit 0 done, 1 stand-in not found, 2 refused or bad usage
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../common/standin_args.h"
#include "../common/standin_names.h"
#include "../common/standin_text.h"

int main() {
    const std::vector<std::string> args = standin::CommandLineArguments();
    const char* windowClass = nullptr;
    if (!args.empty() && args[0] == "logger")
        windowClass = standin::kLoggerWindowClass;
    if (!args.empty() && args[0] == "dxview")
        windowClass = standin::kDxViewWindowClass;
    if (windowClass == nullptr || args.size() < 2) {
        std::fputs("usage: standin-ctl <logger|dxview> <command...>\n", stderr);
        return standin::kExitBadUsage;
    }
    std::string command = args[1];
    for (std::size_t i = 2; i < args.size(); ++i)
        command += " " + args[i];

    const HWND window = FindWindowA(windowClass, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "standin-ctl: no %s stand-in is running\n", args[0].c_str());
        return standin::kExitNotFound;
    }
    COPYDATASTRUCT data = {};
    data.dwData = standin::kCopyDataTag;
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = command.data();
    DWORD_PTR accepted = 0;
    if (SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                            &accepted) == 0 ||
        accepted == 0) {
        std::fprintf(stderr, "standin-ctl: %s refused \"%s\"\n", args[0].c_str(), command.c_str());
        return standin::kExitRefused;
    }
    return 0;
}
