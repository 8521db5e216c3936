#pragma once
// panel_board1 / panel_board2: one team's books, working and completed, and the team's
// round and game winner pictures. Book images are made and destroyed by name as the
// table's state says; a click on one adds the selected card to it.

#include "extras/qt/pictures.h"
#include "table/qt/table_zoom.h"
#include "table/table_types.h"

#include <QFrame>
#include <QHash>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace quintrel::table {

class PictureWidget;
class TableState;

class BookBoard : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 200;
    static constexpr int kMinHeight = 506;  // nine working books: 51 x 9 - 11 + 48, and a margin

    BookBoard(int team, TableState& table, std::function<void()> afterClick, QWidget* parent = nullptr);

    void sync();
    // Places, fonts and pictures again at this zoom; the board's width follows.
    void setZoom(const TableZoom& zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Book {
        PictureWidget* widget = nullptr;
        std::vector<PictureLayer> layers;  // what its picture was drawn from
        PictureDetail detail = PictureDetail::Normal;
    };
    void showBook(Book& shown, const std::vector<PictureLayer>& layers, int width, int height);
    void applyZoom();
    void showWinner(PictureWidget* widget, Picture picture, bool visible);

    PictureWidget* bookWidget(QHash<int, Book>& books, int slot, bool completed);
    static void retire(PictureWidget* widget);
    void restack();

    int team_;
    TableState& table_;
    std::function<void()> afterClick_;
    TableZoom zoom_;
    ZoomedChildren fixed_;
    QHash<int, Book> working_;  // by slot
    QHash<int, Book> completed_;
    PictureWidget* rwinner_ = nullptr;
    PictureWidget* winner_ = nullptr;
    std::vector<QWidget*> stacked_;
};

// The picture of a book: its layers drawn in order on a transparent image of width x height
// logical pixels, from pictures of that detail (a Double one has twice the pixels).
QImage composeBook(const std::vector<PictureLayer>& layers, int width, int height,
                   PictureDetail detail = PictureDetail::Normal);

}  // namespace quintrel::table
