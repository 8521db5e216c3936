#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include "extras/qt/phrase_strip.h"
#include "extras/qt/tphrases.h"
#include "extras/qt/user_files.h"
#include "extras/settings.h"

namespace quintrel {
namespace {

QToolButton* phraseButton(PhraseStrip& strip, int n) {
    return strip.findChild<QToolButton*>(QStringLiteral("b_phrase%1").arg(n));
}

QLineEdit* field(Tphrases& editor, int n) {
    return editor.findChild<QLineEdit*>(QStringLiteral("phrase%1").arg(n));
}

void clickDone(Tphrases& editor) { editor.findChild<QPushButton*>(QStringLiteral("SelButton8"))->click(); }

TEST(PhraseStrip, TenPictureButtonsInTwoRowsWithTheirPhrases) {
    PhraseStrip strip;
    strip.adjustSize();
    for (int n = 1; n <= kPhraseCount; ++n) {
        QToolButton* button = phraseButton(strip, n);
        ASSERT_NE(button, nullptr) << n;
        EXPECT_FALSE(button->icon().isNull()) << n;
        EXPECT_TRUE(button->toolTip().contains(strip.phrase(n))) << n;
        const QToolButton* above = phraseButton(strip, n > 5 ? n - 5 : n);
        EXPECT_EQ(button->x(), above->x()) << n;
        EXPECT_EQ(button->y() > above->y(), n > 5) << n;
    }
    EXPECT_EQ(strip.phrase(9), QStringLiteral("Good Game Everyone!"));
    // A phrase that looks like markup is shown as it is.
    strip.setPhrases({QStringLiteral("<b>bold</b> & co")});
    EXPECT_TRUE(
        phraseButton(strip, 1)->toolTip().contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt; &amp; co")));
}

TEST(PhraseStrip, TwoClicksWithinTheLockSendOnePhrase) {
    PhraseStrip strip;
    QSignalSpy sent(&strip, &PhraseStrip::actionToSend);
    for (int i = 0; i < 500; ++i) strip.tick();  // ticks while ready count for nothing
    phraseButton(strip, 1)->click();
    phraseButton(strip, 7)->click();
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent[0][0].toString(), QStringLiteral("says: Way To Go!"));
    EXPECT_TRUE(strip.locked());
    for (int i = 0; i < PhraseLock::kTicks; ++i) strip.tick();
    phraseButton(strip, 7)->click();
    EXPECT_EQ(sent.count(), 1);
    strip.tick();
    EXPECT_FALSE(strip.locked());
    phraseButton(strip, 7)->click();
    ASSERT_EQ(sent.count(), 2);
    EXPECT_EQ(sent[1][0].toString(), QStringLiteral("says: Thanks!"));
}

TEST(Tphrases, DoneGivesTheButtonsTheEditsAndTheyComeBackAfterARestart) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pelnorlobby.ini"));
    PhraseStrip strip;
    Tphrases editor(strip, path);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Quintrel - Phrase Buttons"));
    editor.openEditor();
    EXPECT_EQ(field(editor, 10)->text(), QStringLiteral("See ya!"));

    field(editor, 1)->setText(QString(60, QLatin1Char('x')));
    field(editor, 2)->setText(QStringLiteral("/me dances"));
    field(editor, 3)->clear();
    field(editor, 4)->setText(QStringLiteral("Sch\u00f6n!"));
    clickDone(editor);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(strip.phrase(1), QString(50, QLatin1Char('x')));
    EXPECT_EQ(strip.phrase(3), QString());

    QSignalSpy sent(&strip, &PhraseStrip::actionToSend);
    phraseButton(strip, 2)->click();
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent[0][0].toString(), QStringLiteral("dances"));

    PhraseStrip restarted;
    restarted.applyLoaded(loadSettings(nativePath(path)).phrases);
    EXPECT_EQ(restarted.phrase(1), QString(50, QLatin1Char('x')));
    EXPECT_EQ(restarted.phrase(2), QStringLiteral("/me dances"));
    EXPECT_EQ(restarted.phrase(3), QStringLiteral("Nice Try!"));  // an empty value is not applied
    EXPECT_EQ(restarted.phrase(4), QStringLiteral("Sch\u00f6n!"));

    // Closing another way drops the edits.
    editor.openEditor();
    field(editor, 5)->setText(QStringLiteral("dropped"));
    editor.reject();
    EXPECT_EQ(strip.phrase(5), QStringLiteral("Brilliant!"));
}

TEST(Tphrases, UnwritableFileIsReportedAndTheButtonsKeepTheEdits) {
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = dir.filePath(QStringLiteral("plain/pelnorlobby.ini"));
    PhraseStrip strip;
    Tphrases editor(strip, path);
    QStringList reported;
    editor.setErrorReporter([&](const QString& text) { reported << text; });
    editor.openEditor();
    field(editor, 6)->setText(QStringLiteral("Kept for this run"));
    clickDone(editor);
    EXPECT_EQ(reported, QStringList{QStringLiteral("Unable to write to ") + path});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(strip.phrase(6), QStringLiteral("Kept for this run"));
}

// One test, since the file beside the program would change what the other finds.
TEST(UserFiles, XdgFoldersUnlessAFileStandsBesideTheProgram) {
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("cfg"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    EXPECT_EQ(settingsFilePath(), home.filePath(QStringLiteral("cfg/quintrel/pelnorlobby.ini")));
    EXPECT_EQ(tallyFilePath(), home.filePath(QStringLiteral("data/quintrel/quintreltally.tld")));
    EXPECT_TRUE(QDir(home.filePath(QStringLiteral("cfg/quintrel"))).exists());
    EXPECT_TRUE(QDir(home.filePath(QStringLiteral("data/quintrel"))).exists());
    ASSERT_TRUE(saveOptions(nativePath(settingsFilePath()), Settings{}));

    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsFilePath(), home.filePath(QStringLiteral(".config/quintrel/pelnorlobby.ini")));

    QFile portable(QCoreApplication::applicationDirPath() + QStringLiteral("/pelnorlobby.ini"));
    ASSERT_FALSE(portable.exists()) << "a stray settings file beside the test program";
    ASSERT_TRUE(portable.open(QIODevice::WriteOnly));
    portable.close();
    EXPECT_EQ(QFileInfo(settingsFilePath()).canonicalFilePath(), QFileInfo(portable).canonicalFilePath());
    EXPECT_EQ(tallyFilePath(), home.filePath(QStringLiteral("data/quintrel/quintreltally.tld")));
    portable.remove();
}

}  // namespace
}  // namespace quintrel
