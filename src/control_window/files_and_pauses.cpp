// FilesAndPauses: FileExists, InitIniPath and WaitMilliseconds.
#include "control_window/files_and_pauses.h"

#include <exception>
#include <optional>

#include "base/program_error.h"

namespace tarvello {

bool FilesAndPauses::FileExists(const std::wstring& path) {
    // A pattern would name whatever file matched it, not the file asked about.
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos)
        return false;
    std::optional<FileAttributes> attributes;
    try {
        attributes = files_.Attributes(path);
    } catch (const std::exception&) {
        return false;
    } catch (const ProgramError&) {
        return false;
    }
    if (!attributes)
        return false;
    return attributes->directory || (!attributes->hidden && !attributes->system);
}

void FilesAndPauses::InitIniPath(IniAccess& ini) {
    ini.SetIniFile(shell_.ProgramFolder() + L"\\" + shell_.ExeBaseName() + L".ini");
}

void FilesAndPauses::WaitMilliseconds(std::int32_t ms) {
    if (ms < 0)
        return;
    loop_.WaitOnOwnProcess(static_cast<std::uint32_t>(ms));
}

}  // namespace tarvello
