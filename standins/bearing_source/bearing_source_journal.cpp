// Journal of the stand-in bearing component; see bearing_source_journal.h.
#include "bearing_source/bearing_source_journal.h"

#include <string>

#include "common/standin_journal.h"
#include "common/standin_text.h"

namespace bearing_standin {
namespace {

std::string& DefaultPath() {
    static std::string path;
    return path;
}

std::string JournalPath() {
    char configured[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("BEARINGSOURCE_JOURNAL", configured, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return configured;
    return DefaultPath();
}

}  // namespace

void SetJournalDefaultFolder(HMODULE dll) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(dll, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string folder(path, length);
    folder.resize(folder.find_last_of("\\/") + 1);
    DefaultPath() = folder + "BearingSource-journal.txt";
}

void WriteJournal(std::string_view event, std::string_view detail) {
    const std::string path = JournalPath();
    if (path.empty())
        return;
    std::string line = std::to_string(standin::MillisecondStamp()) + " " + std::string(event);
    if (!detail.empty())
        line += " " + standin::EscapeForJournal(detail);
    line += "\r\n";
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace bearing_standin
