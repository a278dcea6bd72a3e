// The program log "Error.log".
#include "control_window/program_log.h"

#include "control_window/control_texts.h"

namespace tarvello {

std::wstring ProgramLog::Path() const {
    return shell_.ProgramFolder() + L"\\" + std::wstring(texts::kProgramLogName);
}

void ProgramLog::CreateWithHeader() {
    files_.AppendLine(Path(), std::wstring(texts::kProgramLogHeader));
}

void ProgramLog::Append(const std::wstring& entryText) {
    files_.AppendLine(Path(), clock_.LocalDateTimeText() + entryText);
}

}  // namespace tarvello
