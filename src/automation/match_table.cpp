// The window finder's result table.
#include "automation/match_table.h"

#include "base/program_error.h"

namespace tarvello {

const std::wstring& MatchTable::Cell(int row, std::size_t column) const {
    if (row < 0 || row >= kRows || column >= columns_.size())
        throw ProgramError(error_number::kSubscriptOutOfRange);
    return columns_[column][static_cast<std::size_t>(row)];
}

void MatchTable::SetColumn(std::size_t column, Column values) {
    if (column >= columns_.size())
        throw ProgramError(error_number::kSubscriptOutOfRange);
    columns_[column] = std::move(values);
}

}  // namespace tarvello
