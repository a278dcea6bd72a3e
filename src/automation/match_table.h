// The window finder's result table: five rows of text (title, handle, class, relation, key) and one
// column per match, in the order the matches were found.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvello {

class MatchTable {
public:
    static constexpr int kRows = 5;
    enum Row { kTitle = 0, kHandle = 1, kClassName = 2, kRelation = 3, kKey = 4 };
    using Column = std::array<std::wstring, kRows>;

    MatchTable() { Reset(); }

    // Back to one column of empty cells, the state before the first match of a search.
    void Reset() { columns_.assign(1, Column{}); }
    // Grows or shrinks to count columns (at least one), keeping the columns that remain.
    void Resize(std::size_t count) { columns_.resize(count == 0 ? 1 : count); }

    std::size_t Columns() const { return columns_.size(); }
    // Throws ProgramError 9 (subscript out of range) outside rows 0-4 or the existing columns.
    const std::wstring& Cell(int row, std::size_t column) const;
    void SetColumn(std::size_t column, Column values);

private:
    std::vector<Column> columns_;
};

}  // namespace tarvello
