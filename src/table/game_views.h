#pragma once
// GameViews: one session's game messages handed to several views, in the order they were
// added (the event log before the table, so a round's story precedes the table's notices).

#include <vector>

#include "table/client_session.h"

namespace quintrel::table {

class GameViews final : public GameView {
public:
    void add(GameView& view) { views_.push_back(&view); }

    void startthegame(const wire::parse::StartGame& m) override { each(&GameView::startthegame, m); }
    void getnextplayer(const wire::parse::NextPlayer& m) override { each(&GameView::getnextplayer, m); }
    void winner(const wire::parse::Winner& m) override { each(&GameView::winner, m); }
    void newcard(const wire::parse::NewCard& m) override { each(&GameView::newcard, m); }
    void nobook() override { each(&GameView::nobook); }
    void nothree() override { each(&GameView::nothree); }
    void notwo() override { each(&GameView::notwo); }
    void nobookmatch(int pos) override { each(&GameView::nobookmatch, pos); }
    void newbook(const wire::parse::NewBook& m) override { each(&GameView::newbook, m); }
    void addtobook(const wire::parse::AddToBook& m) override { each(&GameView::addtobook, m); }
    void postscores(const wire::parse::PostScores& m) override { each(&GameView::postscores, m); }
    void completed(const wire::parse::Complete& m) override { each(&GameView::completed, m); }
    void invaliddiscard() override { each(&GameView::invaliddiscard); }
    void discard(int card) override { each(&GameView::discard, card); }
    void usefoot(int seat) override { each(&GameView::usefoot, seat); }
    void addtocomp(const wire::parse::AddToComp& m) override { each(&GameView::addtocomp, m); }
    void toomany() override { each(&GameView::toomany); }
    void freecard(int pos) override { each(&GameView::freecard, pos); }
    void justwatching(const wire::parse::JustWatching& m) override { each(&GameView::justwatching, m); }
    void loadbooks(const wire::parse::LoadBooks& m) override { each(&GameView::loadbooks, m); }
    void loadcomp(const wire::parse::LoadComp& m) override { each(&GameView::loadcomp, m); }
    void startround() override { each(&GameView::startround); }
    void rwinner(int team) override { each(&GameView::rwinner, team); }
    void notbots(const std::string& digit) override { each(&GameView::notbots, digit); }

private:
    template <typename... Params, typename... Args>
    void each(void (GameView::*handler)(Params...), const Args&... args) {
        for (GameView* view : views_) (view->*handler)(args...);
    }

    std::vector<GameView*> views_;
};

}  // namespace quintrel::table
