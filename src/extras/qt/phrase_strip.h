#pragma once
// The table's ten phrase buttons, b_phrase1..b_phrase10, in two rows of five. A click
// sends the button's phrase (its tooltip) as a chat action, unless a phrase went out
// less than 101 dispatch ticks ago.

#include "extras/phrases.h"
#include "extras/settings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <string>

class QToolButton;

namespace quintrel {

class PhraseStrip : public QWidget {
    Q_OBJECT
public:
    explicit PhraseStrip(QWidget* parent = nullptr);

    // n is 1..10.
    QString phrase(int n) const;
    QStringList phrases() const;
    void setPhrases(const QStringList& phrases);  // the first ten; a missing one becomes empty
    // Phrases as the settings file has them (UTF-8): only a non-empty one replaces a button's.
    void applyLoaded(const std::array<std::string, kPhraseCount>& fromFile);

    // One tick of the table's dispatch timer.
    void tick() { lock_.tick(); }
    // While locked the dispatch timer must keep ticking, or the buttons would stay dead.
    bool locked() const { return !lock_.ready(); }

    // What b_phrase1Click does for button n.
    void press(int n);

signals:
    // The action text to send with CMD_action and the action colour.
    void actionToSend(const QString& actionText);

private:
    std::array<QToolButton*, kPhraseCount> buttons_{};
    std::array<QString, kPhraseCount> phrases_;
    PhraseLock lock_;
};

}  // namespace quintrel
