#pragma once
// panel_score: the seat rows, the turn and status texts, the create-book squares, the
// buttons, the discard pile and the fanned hand row. It draws a TableState and hands every
// click to it; the owner redraws everything after each handled click.

#include "extras/qt/pictures.h"
#include "table/qt/table_zoom.h"

#include <QFrame>
#include <QHash>
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace quintrel::table {

class PictureWidget;
class TableState;

class ScorePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 470;  // a full row of 20 cards: 6 + 19 x 20 + 71
    static constexpr int kHeight = 342;

    // afterClick runs after every click the state handled, to redraw the window.
    ScorePanel(TableState& table, std::function<void()> afterClick, QWidget* parent = nullptr);

    void sync();
    // Places, fonts and pictures again at this zoom; the panel's own size follows.
    void setZoom(const TableZoom& zoom);
    const TableZoom& zoom() const { return zoom_; }

    QPushButton* startButton() const { return startButton_; }

signals:
    void startClicked();  // button_start: open the start dialog

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct SeatWidgets {
        QLabel* name = nullptr;
        QLabel* score = nullptr;
        QLabel* cardsleft = nullptr;
        PictureWidget* foot = nullptr;
        PictureWidget* eyes = nullptr;
    };

    void build();
    QPushButton* makeButton(const char* name, const QString& text, int left, int top, int width);
    PictureWidget* makePicture(const char* name, int left, int top, int width, int height);
    // A picture that shows one shipped picture for good.
    PictureWidget* makeFixedPicture(const char* name, Picture picture, int left, int top, int width,
                                    int height);
    QLabel* makeLabel(QLabel* label, const QRect& logical, int fontPixels, bool bold);
    void applyZoom();
    void syncSeats();
    void syncCards();
    void restack();
    void clicked(const std::function<void()>& action);
    void buildSeatMenu();
    void openSeatMenu(int seat, const QPoint& at);

    TableState& table_;
    std::function<void()> afterClick_;
    TableZoom zoom_;
    ZoomedChildren fixed_;
    std::vector<std::pair<PictureWidget*, Picture>> fixedPictures_;
    std::vector<QPushButton*> buttons_;
    std::array<SeatWidgets, 5> seats_{};  // [seat]
    PictureWidget* turnMarker_ = nullptr;
    QLabel* turnLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* lengthLabel_ = nullptr;
    PictureWidget* greenArrow_ = nullptr;
    PictureWidget* blueArrow_ = nullptr;
    PictureWidget* greenBar_ = nullptr;
    PictureWidget* blueBar_ = nullptr;
    std::array<PictureWidget*, 4> squares_{};  // [1..3]
    QPushButton* createButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    PictureWidget* discardPile_ = nullptr;
    PictureWidget* discardEdge_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QPushButton* pickupButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QMenu* seatMenu_ = nullptr;
    QAction* removeAction_ = nullptr;
    QAction* setWatchAction_ = nullptr;
    QAction* unsetWatchAction_ = nullptr;
    QHash<int, PictureWidget*> cards_;  // by hand slot
    std::vector<QWidget*> stacked_;     // the last order applied to cards and buttons
};

}  // namespace quintrel::table
