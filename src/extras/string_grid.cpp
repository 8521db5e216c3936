#include "extras/string_grid.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace quintrel {

namespace {

const std::string kEmpty;

// Hands out the lines of a text one by one, each without its CR LF (a bare LF ends a
// line too).
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}
    bool atEnd() const { return rest_.empty(); }
    std::string_view next() {
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    // The lines not read yet.
    std::size_t remaining() const {
        if (rest_.empty()) return 0;
        const auto ends = static_cast<std::size_t>(std::count(rest_.begin(), rest_.end(), '\n'));
        return rest_.back() == '\n' ? ends : ends + 1;
    }

private:
    std::string_view rest_;
};

int countOf(std::string_view line, const char* what) {
    int value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size() || value < 1) {
        throw GridFormatError(std::string("bad ") + what + " count");
    }
    return value;
}

}  // namespace

StringGrid::StringGrid(int colCount, int rowCount) : cols_(colCount), rows_(rowCount) {
    if (colCount < 1 || rowCount < 0) throw std::invalid_argument("StringGrid: bad size");
    cells_.resize(index(0, rowCount));
}

std::size_t StringGrid::index(int col, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
}

void StringGrid::setRowCount(int rows) {
    if (rows < 0) throw std::invalid_argument("StringGrid: bad row count");
    rows_ = rows;
    cells_.resize(index(0, rows));
}

const std::string& StringGrid::Cells(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return kEmpty;
    return cells_[index(col, row)];
}

void StringGrid::setCell(int col, int row, std::string text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
        throw std::out_of_range("StringGrid: no such cell");
    cells_[index(col, row)] = std::move(text);
}

std::string StringGrid::SaveCellsToText() const {
    std::string text = std::to_string(cols_) + "\r\n" + std::to_string(rows_) + "\r\n";
    for (int col = 0; col < cols_; ++col) {
        for (int row = 0; row < rows_; ++row) {
            for (char c : cells_[index(col, row)]) text.push_back(c == '\r' || c == '\n' ? ' ' : c);
            text += "\r\n";
        }
    }
    return text;
}

void StringGrid::LoadCellsFromText(std::string_view text) {
    LineReader lines(text);
    if (lines.atEnd()) throw GridFormatError("no column count");
    const int cols = countOf(lines.next(), "column");
    if (lines.atEnd()) throw GridFormatError("no row count");
    const int rows = countOf(lines.next(), "row");
    // Both counts are below 2^31, so their product fits; it must not exceed the lines, so
    // what is allocated is bounded by the text.
    const auto cellCount = static_cast<unsigned long long>(cols) * static_cast<unsigned long long>(rows);
    if (cellCount > lines.remaining()) throw GridFormatError("fewer cells than the counts say");
    std::vector<std::string> cells(static_cast<std::size_t>(cellCount));
    for (int col = 0; col < cols; ++col) {
        for (int row = 0; row < rows; ++row) {
            cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                  static_cast<std::size_t>(col)] = std::string(lines.next());
        }
    }
    while (!lines.atEnd()) {
        if (!lines.next().empty()) throw GridFormatError("more cells than the counts say");
    }
    cols_ = cols;
    rows_ = rows;
    cells_ = std::move(cells);
}

}  // namespace quintrel
