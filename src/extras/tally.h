#pragma once
// The tally list: the games this player finished and won, and for each player the user
// chose to follow, the games played together, won against each other and won as one team,
// both for all time and for this session. Held in the 9-column table stringgrid_scores:
//
//   row 0:   "0", total games, own wins, then "0"s
//   row n:   name, together, he won, I won, team won (all time), the same four (session)
//
// This is the window's whole state; Ttallylist only draws it and passes clicks on.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "extras/string_grid.h"

namespace quintrel {

inline constexpr int kTallyColumns = 9;

// Who sits at the table, as the table window shows it.
struct TallyRoster {
    std::array<std::string, 4> seats;  // the name labels of seats 1..4, "<Waiting>" when empty
    int myseat = 0;                    // 1..4 while this player holds a seat
};

// A name as the tally keeps it: without control characters, so that it is one cell and
// one line of the file whatever a peer sent.
std::string tallyName(std::string_view raw);

class Tally {
public:
    // The texts of the window's labels.
    struct Labels {
        std::string mylabel_1, mylabel_2;                // total games, own wins
        std::array<std::string, kTallyColumns> label{};  // label[k] is label_k, k = 1..8
        std::string label_hisname, label_hisnametop;     // empty while nobody is selected
    };

    Tally();  // an empty tally: row 0 only, all "0"

    const StringGrid& stringgrid_scores() const { return grid_; }

    // The tally file's text. load() replaces the whole tally (then loadtally()), or throws
    // GridFormatError and keeps it as it was.
    std::string save() const;
    void load(std::string_view text);

    // After a load: counters that are no number read as 0, session columns start at 0.
    void loadtally();

    // "Players Being Tallied": one entry per row 1 and on, in order, all checked.
    std::vector<std::string> talliedNames() const;
    bool isTallied(std::string_view name) const;
    // "Players In Current Game": the others seated at the table, in seat order; an entry
    // is checked while its name is tallied.
    const std::vector<std::string>& checklist() const { return checklist_; }
    void loadchecklist(const TallyRoster& roster);

    // Records one finished game; winners is the host's text "<name> and <name>". Only a
    // game this player sat in counts, and only the players seated at the table are looked
    // for in it, each as a whole name; "No One" (a tie) records nothing.
    void addgame(std::string_view winners, const TallyRoster& roster);
    int addit(int column, int row);
    void addtomine(int column);
    void moverow(int row);

    // A click on the check box of a "Players In Current Game" entry: start tallying it.
    void checklistClickCheck(int index);
    // Unchecking a "Players Being Tallied" entry asks this question; yes deletes the row.
    std::string deletionQuestion(int index) const;
    void listbox_tallyClickCheck(int index, bool yes);
    // Selecting a "Players Being Tallied" entry shows its counts; -1 selects nobody.
    void listbox_tallyClick(int index);
    int selected() const { return selected_; }

    Labels labels() const;

private:
    int rowOf(std::string_view name) const;  // 0 when not tallied

    StringGrid grid_{kTallyColumns, 1};
    std::vector<std::string> checklist_;
    int selected_ = -1;
};

}  // namespace quintrel
