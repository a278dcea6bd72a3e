// Journal file of a stand-in; see standin_journal.h for the line format.
#include "standin_journal.h"

#include "standin_text.h"

namespace standin {

long long MillisecondStamp() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart / (frequency.QuadPart / 1000);
}

Journal::~Journal() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

bool Journal::Open(const std::string& path) {
    // Readers open the file while it is written: share everything.
    file_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

void Journal::Write(std::string_view event, std::string_view detail) {
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    std::string line = std::to_string(MillisecondStamp());
    line.append(" ").append(event);
    if (!detail.empty())
        line.append(" ").append(EscapeForJournal(detail));
    line.append("\r\n");
    DWORD written = 0;
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace standin
