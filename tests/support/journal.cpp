// Reading the stand-ins' journals while they write them.
#include "support/journal.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/test_env.h"

namespace test_support {

std::vector<JournalEntry> ReadJournal(const std::wstring& path) {
    std::vector<JournalEntry> entries;
    std::ifstream in(path.c_str(), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto blank = line.find(' ');
        if (blank != std::string::npos)
            entries.push_back({std::atoll(line.c_str()), line.substr(blank + 1)});
    }
    return entries;
}

std::vector<std::string> JournalTexts(const std::wstring& path) {
    return JournalTextsStartingWith(path, "");
}

std::vector<std::string> JournalTextsStartingWith(const std::wstring& path, const std::string& prefix) {
    std::vector<std::string> texts;
    for (const JournalEntry& entry : ReadJournal(path)) {
        if (entry.text.rfind(prefix, 0) == 0)
            texts.push_back(entry.text);
    }
    return texts;
}

bool WaitForJournalText(const std::wstring& path, const std::string& text, DWORD timeoutMs) {
    return WaitFor(
        [&] {
            const auto texts = JournalTexts(path);
            return std::find(texts.begin(), texts.end(), text) != texts.end();
        },
        timeoutMs);
}

}  // namespace test_support
