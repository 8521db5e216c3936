#pragma once
// Tgamestartform, "Quintrel - Start Game": the hosting player's choice of game length and,
// in solo and tournament games, whether the computer players only watch. The check marks
// live in a GameStartForm; the boxes only show it and pass clicks on.

#include "table/game_start_form.h"

#include <QCheckBox>
#include <QDialog>

#include <array>
#include <functional>

class QPushButton;

namespace quintrel::table {

class StartCheckBox;

class StartDialog : public QDialog {
    Q_OBJECT
public:
    explicit StartDialog(QWidget* parent = nullptr);

    // Decided once at start-up: solo and tournament games offer the computer players' options.
    void offerBotOptions(bool offer);

    GameStartForm& form() { return form_; }

    // Shows or hides the dialog as the form says and redraws the check marks.
    void sync();

signals:
    void startPressed();  // the dialog's start button: the table sends the choice
    void dismissed();     // Escape or the close box: nothing is started

public:
    // Closing the window hides the dialog like its start button does.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class StartCheckBox;
    void boxClicked(GameStartForm::Box box);

    GameStartForm form_{false};
    std::array<StartCheckBox*, 6> boxes_{};
    QPushButton* startButton_ = nullptr;
};

// A check box whose mark is the form's: a click goes to the form's rule instead of toggling.
class StartCheckBox : public QCheckBox {
    Q_OBJECT
public:
    StartCheckBox(const QString& text, GameStartForm::Box box, StartDialog* dialog);
    GameStartForm::Box box() const { return box_; }

protected:
    void nextCheckState() override;

private:
    GameStartForm::Box box_;
    StartDialog* dialog_;
};

}  // namespace quintrel::table
