// Command line and file-place helpers of the stand-ins.
#include "standin_args.h"

#include <windows.h>

#include <shellapi.h>  // needs windows.h first

namespace standin {

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> out;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return out;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_ACP, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        out.push_back(std::move(arg));
    }
    LocalFree(wide);
    return out;
}

std::string BesideExe(const std::string& name) {
    char path[MAX_PATH * 4] = {};
    const DWORD size = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, size);
    const auto slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    return folder + "\\" + name;
}

std::string WindowTextA(void* window) {
    const HWND hwnd = static_cast<HWND>(window);
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(length + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? got : 0);
    return text;
}

}  // namespace standin
