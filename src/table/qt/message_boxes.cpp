#include "table/qt/message_boxes.h"

#include <QMessageBox>

#include <cstdio>

namespace quintrel::table {
namespace {

MessageBoxSink& sink() {
    static MessageBoxSink instance;
    return instance;
}

ConfirmSink& confirmSink() {
    static ConfirmSink instance;
    return instance;
}

// True when the box went to a recorder or to standard output instead of the screen.
bool divert(const QString& text) {
    if (sink()) {
        sink()(text);
        return true;
    }
    if (testEchoEnabled()) {
        testEcho("box", text);
        return true;
    }
    return false;
}

}  // namespace

void setMessageBoxSink(MessageBoxSink newSink) { sink() = std::move(newSink); }

void setConfirmSink(ConfirmSink newSink) { confirmSink() = std::move(newSink); }

bool testEchoEnabled() {
    static const bool enabled = !qEnvironmentVariableIsEmpty("QUINTREL_TEST_ECHO");
    return enabled;
}

void testEcho(const char* kind, const QString& text) {
    if (!testEchoEnabled()) return;
    std::printf("%s: %s\n", kind, text.toLatin1().constData());
    std::fflush(stdout);
}

void errorBox(QWidget* parent, const QString& text) {
    if (divert(text)) return;
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

void infoBox(QWidget* parent, const QString& text) {
    if (divert(text)) return;
    QMessageBox::information(parent, QStringLiteral("Quintrel"), text);
}

bool confirmBox(QWidget* parent, const QString& question) {
    if (confirmSink()) return confirmSink()(question);
    if (testEchoEnabled()) {
        testEcho("confirm", question);
        return true;
    }
    return QMessageBox::question(parent, QStringLiteral("Quintrel"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace quintrel::table
