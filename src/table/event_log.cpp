#include "table/event_log.h"

#include "table/book_layout.h"

namespace quintrel::table {

namespace {

constexpr const char* kRanks[] = {"King",  "Ace",   "Two",  "Three", "Four", "Five", "Six",
                                  "Seven", "Eight", "Nine", "Ten",   "Jack", "Queen"};
constexpr const char* kSuits[] = {"Clubs", "Diamonds", "Spades", "Hearts"};

std::string signedNumber(int n) { return n > 0 ? "+" + std::to_string(n) : std::to_string(n); }

const char* teamName(int team) { return team == 1 ? "Green Team" : "Blue Team"; }

}  // namespace

std::string cardName(int code) {
    // The host keeps the Ace of Hearts' code for the second joker once it leaves the shoe.
    if (code == 1 || code == 53 || code == 54) return "a Joker";
    if (code < 2 || code > 52) return {};
    return std::string("the ") + kRanks[code % 13] + " of " + kSuits[(code - 2) / 13];
}

void EventLog::line(const std::string& text) {
    if (enabled_) events_.addlinetochat(text, kColourQuiet);
}

std::string EventLog::seatName(int seat) const {
    const SeatLabel& label = roster_.seatLabel(seat);
    // Read before the table itself puts the computer player's name on a waiting seat.
    const std::string& name = label.caption == "<Waiting>" ? label.hint : label.caption;
    return name.empty() ? "Seat " + std::to_string(seat) : name;
}

void EventLog::resetRound() {
    turn_ = Turn::None;
    turnSeat_ = 0;
    pileTop_ = 0;
    lastScored_ = {};
    roundBase_ = score_;
    followsTurns_ = true;
}

void EventLog::startthegame(const wire::parse::StartGame&) {
    score_ = {0, 0, 0};
    resetRound();
}

void EventLog::startround() { resetRound(); }

void EventLog::getnextplayer(const wire::parse::NextPlayer& m) {
    turnEnded(false);
    turnSeat_ = m.nextSeat;
    turn_ = followsTurns_ ? Turn::Started : Turn::None;
    followsTurns_ = true;
}

void EventLog::tellDraw(bool pickedUp) {
    turn_ = Turn::None;
    if (!isSeat(turnSeat_)) return;  // a spectator may not hear whose turn it is
    if (!pickedUp) {
        line(seatName(turnSeat_) + " drew two cards.");
        return;
    }
    const std::string card = cardName(pickedCard_);
    line(seatName(turnSeat_) + " picked up " + (card.empty() ? std::string("the top discard") : card) + ".");
}

void EventLog::played() {
    if (turn_ == Turn::Started)
        tellDraw(false);
    else if (turn_ == Turn::PileChanged)
        tellDraw(true);
}

void EventLog::turnEnded(bool roundOver) {
    // A round that ends before anything of the turn was seen ended on the draw itself: the
    // shoe was empty, and nothing was drawn.
    if (turn_ == Turn::PileChanged || (turn_ == Turn::Started && !roundOver)) tellDraw(false);
    turn_ = Turn::None;
}

void EventLog::discard(int card) {
    if (turn_ == Turn::Started) {
        turn_ = Turn::PileChanged;
        pickedCard_ = pileTop_;
    } else if (turn_ == Turn::PileChanged) {
        tellDraw(true);  // the second pile change of the turn: the first took the top card
    }
    pileTop_ = card;
}

void EventLog::newbook(const wire::parse::NewBook& m) {
    played();
    if (!isSeat(m.seat)) return;
    line(seatName(m.seat) + " created a " + kindWord(m.kind) + " " + bookname(m.card) + " book.");
}

void EventLog::completed(const wire::parse::Complete& m) {
    played();
    if (!isSeat(m.seat)) return;
    line(seatName(m.seat) + " completed a " + kindWord(m.kind) + " " + bookname(m.card) + " book.");
}

void EventLog::postscores(const wire::parse::PostScores& m) {
    // A meld's or a book's points; the penalties at the round's end are never above zero.
    if (m.points > 0) played();
    if (!isSeat(m.seat)) return;
    const auto team = static_cast<std::size_t>(teamOf(m.seat));
    Scored scored{m.seat, m.points, std::nullopt};
    if (score_[team]) scored.rise = m.teamScore - *score_[team];
    score_[team] = m.teamScore;
    for (std::size_t i = 1; i < lastScored_.size(); ++i) lastScored_[i - 1] = lastScored_[i];
    lastScored_.back() = scored;
}

// A round ends with one announcement per seat, seats 1 to 4, each with that seat's penalty for
// the cards left; the going-out bonus has no message of its own and shows as the part of a
// team's rise that its penalties do not explain.
void EventLog::roundEnded() {
    turnEnded(true);
    for (int seat = 1; seat <= kSeats; ++seat)
        if (lastScored_[static_cast<std::size_t>(seat - 1)].seat != seat) return;

    std::array<int, 3> penalties{}, bonus{};
    std::array<bool, 3> bonusKnown{false, true, true};
    for (const Scored& s : lastScored_) {
        const auto team = static_cast<std::size_t>(teamOf(s.seat));
        penalties[team] += s.points;
        if (s.rise)
            bonus[team] += *s.rise - s.points;
        else
            bonusKnown[team] = false;
    }
    int wentOut = 0;
    for (int team = 1; team <= kTeams; ++team)
        if (bonusKnown[static_cast<std::size_t>(team)] && bonus[static_cast<std::size_t>(team)] > 0)
            wentOut = team;
    if (wentOut != 0)
        line(isSeat(turnSeat_) && teamOf(turnSeat_) == wentOut
                 ? seatName(turnSeat_) + " went out."
                 : std::string("The ") + teamName(wentOut) + " went out.");
    else if (bonusKnown[1] && bonusKnown[2])
        line("The round ended with an empty shoe.");

    for (int team = 1; team <= kTeams; ++team) {
        const auto t = static_cast<std::size_t>(team);
        std::string parts = "cards left " + signedNumber(penalties[t]);
        if (team == wentOut) parts = "going out " + signedNumber(bonus[t]) + ", " + parts;
        // A table that joined during the round does not know where the round began.
        if (score_[t] && roundBase_[t])
            line(std::string(teamName(team)) + ": " + signedNumber(*score_[t] - *roundBase_[t]) +
                 " this round (" + parts + ").");
        else
            line(std::string(teamName(team)) + ": " + parts + ".");
    }
    lastScored_ = {};
}

}  // namespace quintrel::table
