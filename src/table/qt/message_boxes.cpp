#include "table/qt/message_boxes.h"

#include <QMessageBox>

#include <cstdio>

namespace quintrel::table {

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
    if (testEchoEnabled()) {
        testEcho("box", text);
        return;
    }
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

void infoBox(QWidget* parent, const QString& text) {
    if (testEchoEnabled()) {
        testEcho("box", text);
        return;
    }
    QMessageBox::information(parent, QStringLiteral("Quintrel"), text);
}

}  // namespace quintrel::table
