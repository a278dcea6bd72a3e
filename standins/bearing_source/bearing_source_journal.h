// The stand-in component's journal, in the stand-ins' line format "<ms> <EVENT> <detail>". It lives inside
// whatever program created the component, so each line is appended and the file closed again at once.
#pragma once

#include <windows.h>

#include <string_view>

namespace bearing_standin {

// The journal is the file named by the environment variable BEARINGSOURCE_JOURNAL, else
// BearingSource-journal.txt beside the DLL.
void SetJournalDefaultFolder(HMODULE dll);
void WriteJournal(std::string_view event, std::string_view detail = {});

}  // namespace bearing_standin
