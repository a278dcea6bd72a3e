// Reading an executable's VERSIONINFO resource: the fixed numbers and the product name.
#pragma once

#include <string>

#include "platform/shell.h"

namespace tarvello::win32 {

// The version record of the file at path. A file without VERSIONINFO yields the base name as product name
// and 0.0.0; a number above 32767 fails with overflow (ProgramError 6).
VersionRecord ReadVersionRecord(const std::wstring& path, const std::wstring& fallbackName);

}  // namespace tarvello::win32
