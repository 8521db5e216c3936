#include "extras/qt/phrase_strip.h"

#include "extras/qt/pictures.h"
#include "net/qt/latin1_text.h"

#include <QGridLayout>
#include <QPixmap>
#include <QToolButton>

namespace quintrel {
namespace {

constexpr int kPerRow = 5;
constexpr int kPictureSize = 24;

// A tooltip that looks like markup would be drawn as rich text.
QString plainTooltip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace

PhraseStrip::PhraseStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("phrase_buttons"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    const PictureList& pictures = Pictures::shipped().phraseButtons();
    for (int i = 0; i < kPhraseCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(i + 1));
        button->setIcon(QIcon(QPixmap::fromImage(pictures.at(i))));
        button->setIconSize(QSize(kPictureSize, kPictureSize));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QToolButton::clicked, this, [this, i] { press(i + 1); });
        grid->addWidget(button, i / kPerRow, i % kPerRow);
        buttons_[static_cast<std::size_t>(i)] = button;
        const std::string_view builtIn = builtInPhrase(i + 1);
        phrases_[static_cast<std::size_t>(i)] = latin1(builtIn);
        button->setToolTip(plainTooltip(phrases_[static_cast<std::size_t>(i)]));
    }
}

QString PhraseStrip::phrase(int n) const {
    if (n < 1 || n > kPhraseCount) return {};
    return phrases_[static_cast<std::size_t>(n - 1)];
}

QStringList PhraseStrip::phrases() const { return QStringList(phrases_.begin(), phrases_.end()); }

void PhraseStrip::setPhrases(const QStringList& phrases) {
    for (int i = 0; i < kPhraseCount; ++i) {
        const QString text = i < phrases.size() ? phrases[i] : QString();
        phrases_[static_cast<std::size_t>(i)] = text;
        buttons_[static_cast<std::size_t>(i)]->setToolTip(plainTooltip(text));
    }
}

void PhraseStrip::applyLoaded(const std::array<std::string, kPhraseCount>& fromFile) {
    QStringList next = phrases();
    for (int i = 0; i < kPhraseCount; ++i) {
        const std::string& loaded = fromFile[static_cast<std::size_t>(i)];
        if (!loaded.empty())
            next[i] = QString::fromUtf8(loaded.data(), static_cast<qsizetype>(loaded.size()));
    }
    setPhrases(next);
}

// b_phrase1Click, shared by the ten buttons.
void PhraseStrip::press(int n) {
    if (n < 1 || n > kPhraseCount || !lock_.take()) return;
    const QByteArray text = phrase(n).toUtf8();
    const std::string action =
        phraseActionText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    emit actionToSend(QString::fromUtf8(action.data(), static_cast<qsizetype>(action.size())));
}

}  // namespace quintrel
