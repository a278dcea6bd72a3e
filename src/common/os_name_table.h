// The operating-system name table: which platform id and version numbers name which Windows.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello {

// The first matching row's name, or "unknown" when no row matches.
std::wstring OsNameFor(std::uint32_t platformId, std::uint32_t majorVersion, std::uint32_t minorVersion);

}  // namespace tarvello
