// Command line and file-place helpers of the stand-ins.
#pragma once

#include <string>
#include <vector>

namespace standin {

// The program's arguments (without the program name) in the ANSI code page.
std::vector<std::string> CommandLineArguments();
// Folder of the running executable + "\" + name.
std::string BesideExe(const std::string& name);
// Text of a window in the ANSI code page.
std::string WindowTextA(void* window);

}  // namespace standin
