#pragma once
// Ttallylist, "Quintrel - Tally List": the player's own totals, the counts of the selected
// tallied player, the players being tallied and the players in the current game. The
// counts live in a Tally; this window draws it, passes clicks on and keeps the file.

#include <QDialog>

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "extras/tally.h"
#include "extras/tally_file.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quintrel {

class Ttallylist : public QDialog {
    Q_OBJECT
public:
    explicit Ttallylist(QWidget* parent = nullptr);
    ~Ttallylist() override;  // saves the tally when a file was opened

    // Reads the tally file (at program start) and keeps the tally in it from now on: every
    // change is saved at once. A file that cannot be read is moved aside (see TallyFile).
    TallyLoad open(const std::string& path, std::time_t now = std::time(nullptr));
    // Writes the tally file; false (and one line on standard error) when it could not.
    bool save();

    // The table window's calls: the players now at the table, and a game won by winners.
    void loadchecklist(const TallyRoster& roster);
    void addgame(const std::string& winners, const TallyRoster& roster);

    const Tally& tally() const { return tally_; }

    // Asks the Yes/No question before a tallied player is deleted; true for Yes. Tests
    // answer it instead of a person.
    using Question = std::function<bool(const QString& text)>;
    void setQuestion(Question question) { question_ = std::move(question); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    QWidget* buildTotals();
    QWidget* buildPlayer();
    QListWidget* buildList(const char* name);
    void sync();
    void syncList(QListWidget* list, const std::vector<std::string>& names,
                  const std::function<bool(const std::string&)>& checked);
    void changed();

    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);

    Tally tally_;
    std::unique_ptr<TallyFile> file_;
    Question question_;
    bool syncing_ = false;

    QLabel* mylabel_1_ = nullptr;
    QLabel* mylabel_2_ = nullptr;
    std::array<QLabel*, kTallyColumns> label_{};  // label_[k] is label_k, k = 1..8
    QLabel* label_hisname_ = nullptr;
    QLabel* label_hisnametop_ = nullptr;
    QLabel* hint_ = nullptr;
    QWidget* counts_ = nullptr;  // the rows of counts, shown while a player is selected
    QListWidget* listbox_tally_ = nullptr;
    QListWidget* checklist_ = nullptr;
    QPushButton* FlatButton1_ = nullptr;
};

}  // namespace quintrel
