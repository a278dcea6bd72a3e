// The stand-ins' journal: one line per event, "<ms> <EVENT> <detail>", written through at once so that a test
// can read it while the stand-in runs. The stamp is milliseconds of the performance counter, one clock for all
// processes of the machine, so stamps of two journals can be compared.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace standin {

class Journal {
public:
    Journal() = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal();

    // Starts a fresh journal at path (an existing one is emptied); false when the file cannot be created.
    bool Open(const std::string& path);
    // detail is escaped, so any bytes can be journalled; an empty detail writes the event alone.
    void Write(std::string_view event, std::string_view detail = {});

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

long long MillisecondStamp();

}  // namespace standin
