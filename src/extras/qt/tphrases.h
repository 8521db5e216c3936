#pragma once
// Tphrases: the phrase editor (View > "Phrase List"). Ten fields phrase1..phrase10 of at
// most 50 characters; "Done" gives the phrase buttons the new texts, writes them to the
// settings file and closes. Closing any other way drops the edits.

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QLineEdit;

namespace quintrel {

class PhraseStrip;

class Tphrases : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPhraseLength = 50;

    // settingsPath: the settings file the phrases are written to.
    Tphrases(PhraseStrip& buttons, QString settingsPath, QWidget* parent = nullptr);

    // By default an error box; the table routes it to its own boxes.
    void setErrorReporter(std::function<void(const QString& text)> report) { report_ = std::move(report); }

    // PhraseList1Click: fills the fields from the buttons and shows the window.
    void openEditor();
    // "Done" (SelButton8Click).
    void applyAndSave();

private:
    PhraseStrip& buttons_;
    QString settingsPath_;
    std::array<QLineEdit*, 10> fields_{};
    std::function<void(const QString&)> report_;
};

}  // namespace quintrel
