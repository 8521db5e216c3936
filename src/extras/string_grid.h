#pragma once
// PelnorStrgrid: a table of text cells and its text form, the content of the tally file.
//
// Text form, every line ended by CR LF: the column count, the row count, then the cells
// column by column (all rows of column 0, then column 1, ...), one cell a line.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

// A text that is not a whole grid; what() says what is wrong with it.
class GridFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class StringGrid {
public:
    StringGrid(int colCount, int rowCount);

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    // Grows with empty cells, shrinks by dropping the last rows.
    void setRowCount(int rows);

    // Out-of-range cells read as empty; writing one is a programming error (checked).
    const std::string& Cells(int col, int row) const;
    void setCell(int col, int row, std::string text);

    // CR and LF in a cell are written as spaces: a cell is always exactly one line.
    std::string SaveCellsToText() const;
    // Replaces the whole grid, or throws GridFormatError and leaves it as it was. Memory
    // is bounded by the text: the counts must agree with the lines present.
    void LoadCellsFromText(std::string_view text);

private:
    std::size_t index(int col, int row) const;

    int cols_;
    int rows_;
    std::vector<std::string> cells_;  // row by row
};

}  // namespace quintrel
