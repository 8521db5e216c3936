#pragma once
// Thelp, "Quintrel - Help File": one topic at a time, picked with the buttons on the left.
// The pages are the texts of assets/help; the window remembers the last one shown.

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTextBrowser;

namespace quintrel {

class Thelp : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPages = 9;

    explicit Thelp(QWidget* parent = nullptr);

    // Brings page `number` (1..9, memo1..memo9) to the front under the topic's caption.
    void showPage(int number);
    int currentPage() const { return current_; }
    QString caption() const;
    // The page's text as the player reads it.
    QTextBrowser* page(int number) const;

    // The text of a shipped page (":/help/<name>.html"); empty when there is none.
    static QString pageSource(int number);

signals:
    void aboutRequested();  // button_about

private:
    std::array<QTextBrowser*, kPages + 1> memo_{};  // [0] unused
    std::array<QPushButton*, kPages + 1> topicButtons_{};
    QLabel* label_caption_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    int current_ = 1;
};

}  // namespace quintrel
