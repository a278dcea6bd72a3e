// The version text of a version record: major, minor and revision in decimal, joined by ".".
#pragma once

#include <string>

#include "platform/shell.h"

namespace tarvello {

inline std::wstring VersionText(const VersionRecord& version) {
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

}  // namespace tarvello
