#include "extras/qt/tphrases.h"

#include "extras/qt/phrase_strip.h"
#include "extras/qt/pictures.h"
#include "extras/qt/user_files.h"
#include "extras/settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace quintrel {

Tphrases::Tphrases(PhraseStrip& buttons, QString settingsPath, QWidget* parent)
    : QDialog(parent), buttons_(buttons), settingsPath_(std::move(settingsPath)) {
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QStringLiteral("Quintrel - Phrase Buttons"));
    report_ = [this](const QString& text) { QMessageBox::critical(this, QStringLiteral("Error"), text); };

    QPalette felt = palette();
    felt.setBrush(QPalette::Window, QBrush(Pictures::shipped().picture(Picture::Background)));
    setPalette(felt);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const QString fieldStyle = QStringLiteral(
        "QLineEdit { background: #fffcf2; border: 2px solid #d8be6e; border-radius: 5px; padding: 1px 4px; "
        "}");
    for (int i = 0; i < kPhraseCount; ++i) {
        auto* label = new QLabel(QStringLiteral("Phrase Button %1:").arg(i + 1), this);
        label->setStyleSheet(QStringLiteral("QLabel { color: #fff6d8; font-weight: bold; }"));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("phrase%1").arg(i + 1));
        field->setMaxLength(kMaxPhraseLength);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
        field->setStyleSheet(fieldStyle);
        label->setBuddy(field);
        grid->addWidget(label, i, 0, Qt::AlignRight);
        grid->addWidget(field, i, 1);
        fields_[static_cast<std::size_t>(i)] = field;
    }
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("SelButton8"));
    done->setDefault(true);
    done->setStyleSheet(
        QStringLiteral("QPushButton { background: #efe4c2; color: #3b2a05; border: 1px solid #b79a4e; "
                       "border-radius: 5px; padding: 4px 22px; font-weight: bold; }"
                       "QPushButton:hover { background: #d9a93c; }"));
    connect(done, &QPushButton::clicked, this, &Tphrases::applyAndSave);
    grid->addWidget(done, kPhraseCount, 0, 1, 2, Qt::AlignHCenter);
}

void Tphrases::openEditor() {
    for (int i = 0; i < kPhraseCount; ++i)
        fields_[static_cast<std::size_t>(i)]->setText(buttons_.phrase(i + 1));
    show();
    raise();
    activateWindow();
}

void Tphrases::applyAndSave() {
    QStringList texts;
    std::array<std::string, kPhraseCount> stored;
    for (int i = 0; i < kPhraseCount; ++i) {
        texts << fields_[static_cast<std::size_t>(i)]->text();
        stored[static_cast<std::size_t>(i)] = texts.back().toStdString();
    }
    // The buttons take the new phrases even when the file cannot be written.
    buttons_.setPhrases(texts);
    const std::string path = nativePath(settingsPath_);
    if (!savePhrases(path, stored)) {
        report_(QString::fromStdString(unableToWriteText(settingsPath_.toStdString())));
        return;
    }
    accept();
}

}  // namespace quintrel
