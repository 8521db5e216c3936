#include "extras/tally.h"

#include <charconv>
#include <limits>
#include <set>

namespace quintrel {

namespace {

constexpr int kTogether = 1, kHeWon = 2, kIWon = 3, kTeamWon = 4;
constexpr int kSession = 4;  // a session column is its all-time column plus this
constexpr int kTotalGames = 1, kMyWins = 2;
constexpr std::string_view kWaiting = "<Waiting>";
constexpr std::string_view kTie = "No One";

// A counter cell's value; anything that is no count in range reads as 0.
int countIn(const std::string& cell) {
    int value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size() || value < 0) return 0;
    return value;
}

// True when name stands in winners as one of the names joined by " and ".
bool namedIn(std::string_view winners, std::string_view name) {
    constexpr std::string_view kAnd = " and ";
    if (name.empty()) return false;
    for (std::size_t at = winners.find(name); at != std::string_view::npos; at = winners.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        const bool startsName =
            at == 0 || (at >= kAnd.size() && winners.substr(at - kAnd.size(), kAnd.size()) == kAnd);
        const bool endsName = end == winners.size() || winners.substr(end, kAnd.size()) == kAnd;
        if (startsName && endsName) return true;
    }
    return false;
}

bool isSeat(int seat) { return seat >= 1 && seat <= 4; }

}  // namespace

std::string tallyName(std::string_view raw) {
    std::string name;
    for (char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) name.push_back(c);
    }
    return name;
}

Tally::Tally() {
    for (int col = 0; col < kTallyColumns; ++col) grid_.setCell(col, 0, "0");
}

std::string Tally::save() const { return grid_.SaveCellsToText(); }

void Tally::load(std::string_view text) {
    StringGrid loaded(kTallyColumns, 1);
    loaded.LoadCellsFromText(text);
    if (loaded.ColCount() < kTallyColumns) throw GridFormatError("fewer than 9 columns");
    grid_ = std::move(loaded);
    checklist_.clear();
    selected_ = -1;
    loadtally();
}

void Tally::loadtally() {
    grid_.setCell(0, 0, "0");
    for (int row = 0; row < grid_.RowCount(); ++row) {
        if (row > 0) grid_.setCell(0, row, tallyName(grid_.Cells(0, row)));
        for (int col = 1; col < kTallyColumns; ++col) {
            const bool cleared = row == 0 ? col > kMyWins : col > kTeamWon;
            grid_.setCell(col, row, cleared ? "0" : std::to_string(countIn(grid_.Cells(col, row))));
        }
    }
}

std::vector<std::string> Tally::talliedNames() const {
    std::vector<std::string> names;
    for (int row = 1; row < grid_.RowCount(); ++row) names.push_back(grid_.Cells(0, row));
    return names;
}

int Tally::rowOf(std::string_view name) const {
    for (int row = 1; row < grid_.RowCount(); ++row)
        if (grid_.Cells(0, row) == name) return row;
    return 0;
}

bool Tally::isTallied(std::string_view name) const { return rowOf(name) != 0; }

void Tally::loadchecklist(const TallyRoster& roster) {
    checklist_.clear();
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat == roster.myseat) continue;
        const std::string& caption = roster.seats[static_cast<std::size_t>(seat - 1)];
        if (caption == kWaiting) continue;
        std::string name = tallyName(caption);
        if (!name.empty()) checklist_.push_back(std::move(name));
    }
}

int Tally::addit(int column, int row) {
    int value = countIn(grid_.Cells(column, row));
    if (value < std::numeric_limits<int>::max()) ++value;
    grid_.setCell(column, row, std::to_string(value));
    return value;
}

void Tally::addtomine(int column) { addit(column, 0); }

void Tally::addgame(std::string_view winners, const TallyRoster& roster) {
    loadchecklist(roster);
    const std::string text = tallyName(winners);
    if (!isSeat(roster.myseat) || text.empty() || text == kTie) return;

    addtomine(kTotalGames);
    const std::string me = tallyName(roster.seats[static_cast<std::size_t>(roster.myseat - 1)]);
    const bool iWon = namedIn(text, me);
    if (iWon) addtomine(kMyWins);

    std::set<int> counted;  // a name seated twice still counts once
    for (const std::string& name : checklist_) {
        const int row = rowOf(name);
        if (row == 0 || !counted.insert(row).second) continue;
        const bool heWon = namedIn(text, name);
        int column = 0;
        if (heWon && iWon) {
            column = kTeamWon;
        } else if (heWon) {
            column = kHeWon;
        } else if (iWon) {
            column = kIWon;
        }
        for (int col : {kTogether, column}) {
            if (col == 0) continue;
            addit(col, row);
            addit(col + kSession, row);
        }
    }
}

void Tally::moverow(int row) {
    const int rows = grid_.RowCount();
    if (row < 1 || row >= rows) return;  // row 0 holds the own totals
    for (int r = row; r + 1 < rows; ++r)
        for (int col = 0; col < grid_.ColCount(); ++col) grid_.setCell(col, r, grid_.Cells(col, r + 1));
    grid_.setRowCount(rows - 1);
}

void Tally::checklistClickCheck(int index) {
    if (index < 0 || index >= static_cast<int>(checklist_.size())) return;
    const std::string& name = checklist_[static_cast<std::size_t>(index)];
    if (isTallied(name)) return;
    const int row = grid_.RowCount();
    grid_.setRowCount(row + 1);
    grid_.setCell(0, row, name);
    for (int col = 1; col < grid_.ColCount(); ++col) grid_.setCell(col, row, "0");
}

std::string Tally::deletionQuestion(int index) const {
    return "This will delete " + grid_.Cells(0, index + 1) + "'s Tally, Are you want to delete it?";
}

void Tally::listbox_tallyClickCheck(int index, bool yes) {
    if (!yes || index < 0 || index + 1 >= grid_.RowCount()) return;
    moverow(index + 1);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
}

void Tally::listbox_tallyClick(int index) {
    selected_ = index >= 0 && index + 1 < grid_.RowCount() ? index : -1;
}

Tally::Labels Tally::labels() const {
    Labels shown;
    shown.mylabel_1 = grid_.Cells(kTotalGames, 0);
    shown.mylabel_2 = grid_.Cells(kMyWins, 0);
    if (selected_ >= 0) {
        const int row = selected_ + 1;
        for (int col = 1; col < kTallyColumns; ++col)
            shown.label[static_cast<std::size_t>(col)] = grid_.Cells(col, row);
        const std::string& name = grid_.Cells(0, row);
        shown.label_hisname = name + " Wins:";
        shown.label_hisnametop = name + "'s Tally";
    }
    return shown;
}

}  // namespace quintrel
