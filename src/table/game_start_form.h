#pragma once
// Tgamestartform: the host's choice of game length and, in solo and tournament games,
// whether the computer players only watch and to what score. The dialog is made once and
// only shown and hidden, so its check marks last for the whole run.

#include <string>

namespace quintrel::table {

class GameStartForm {
public:
    enum class Box { Full, Half, Round, Bots, To5000, To3000 };

    struct CheckBox {
        bool checked = false;
        bool enabled = true;
        bool visible = true;
    };

    // offerBotOptions: solo and tournament games show "Bots Just Watch" and the two targets.
    explicit GameStartForm(bool offerBotOptions);

    // A user's click: toggles the box (if shown and enabled) and runs its rule; a click on the
    // checked length box leaves it checked.
    void click(Box box);
    // A change made by the program; like a click, it is reported to the box's rule.
    void setChecked(Box box, bool checked);

    const CheckBox& box(Box box) const;
    bool visible() const { return visible_; }
    void show() { visible_ = true; }
    void hide() { visible_ = false; }

    // The two message fields startgame() sends.
    std::string lengthLetter() const;  // "t", "h" or "f"
    bool botsWatch() const;            // only when "Bots Just Watch" is shown and checked
    std::string targetDigit() const;   // "3", "5" or "0", read even from disabled boxes

private:
    CheckBox& boxRef(Box box);
    void changed(Box box);
    void roundClick(Box sender);

    CheckBox full_, half_, round_, bots_, to5000_, to3000_;
    bool inRoundClick_ = false;
    bool visible_ = false;
};

}  // namespace quintrel::table
