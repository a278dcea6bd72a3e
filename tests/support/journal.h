// The stand-ins' journals as a test reads them: one entry per line, "EVENT detail", without the stamp.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

struct JournalEntry {
    long long ms = 0;  // the stamp, milliseconds of one clock for all processes
    std::string text;  // "EVENT detail", or "EVENT" alone
};

std::vector<JournalEntry> ReadJournal(const std::wstring& path);
// The entries' texts in order.
std::vector<std::string> JournalTexts(const std::wstring& path);
// The texts that begin with prefix, in order.
std::vector<std::string> JournalTextsStartingWith(const std::wstring& path, const std::string& prefix);
bool WaitForJournalText(const std::wstring& path, const std::string& text, DWORD timeoutMs = 10000);

}  // namespace test_support
