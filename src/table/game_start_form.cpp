#include "table/game_start_form.h"

namespace quintrel::table {

GameStartForm::GameStartForm(bool offerBotOptions) {
    full_.checked = true;
    bots_.visible = to5000_.visible = to3000_.visible = offerBotOptions;
    to5000_.enabled = to3000_.enabled = false;
}

GameStartForm::CheckBox& GameStartForm::boxRef(Box box) {
    switch (box) {
        case Box::Full: return full_;
        case Box::Half: return half_;
        case Box::Round: return round_;
        case Box::Bots: return bots_;
        case Box::To5000: return to5000_;
        case Box::To3000: return to3000_;
    }
    return full_;
}

const GameStartForm::CheckBox& GameStartForm::box(Box box) const {
    return const_cast<GameStartForm*>(this)->boxRef(box);
}

void GameStartForm::click(Box box) {
    CheckBox& b = boxRef(box);
    if (!b.visible || !b.enabled) return;
    // A click on the chosen length keeps it: a game always has a length the player chose.
    const bool length = box == Box::Full || box == Box::Half || box == Box::Round;
    if (length && b.checked) return;
    setChecked(box, !b.checked);
}

void GameStartForm::setChecked(Box box, bool checked) {
    CheckBox& b = boxRef(box);
    if (b.checked == checked) return;
    b.checked = checked;
    changed(box);
}

void GameStartForm::changed(Box box) {
    switch (box) {
        case Box::Full:
        case Box::Half:
        case Box::Round: roundClick(box); break;
        case Box::Bots: to5000_.enabled = to3000_.enabled = bots_.checked; break;
        case Box::To5000:
            if (to5000_.checked && to3000_.checked) setChecked(Box::To3000, false);
            break;
        case Box::To3000:
            if (to5000_.checked && to3000_.checked) setChecked(Box::To5000, false);
            break;
    }
}

void GameStartForm::roundClick(Box sender) {
    // Unchecking the others reports back here; those reports must not pick a new sender.
    if (inRoundClick_) return;
    inRoundClick_ = true;
    for (Box other : {Box::Full, Box::Half, Box::Round})
        if (other != sender) setChecked(other, false);
    inRoundClick_ = false;
}

std::string GameStartForm::lengthLetter() const {
    if (full_.checked) return "t";
    if (half_.checked) return "h";
    return "f";
}

bool GameStartForm::botsWatch() const { return bots_.visible && bots_.checked; }

std::string GameStartForm::targetDigit() const {
    if (to3000_.checked) return "3";
    if (to5000_.checked) return "5";
    return "0";
}

}  // namespace quintrel::table
