#pragma once
// The table's message boxes. With QUINTREL_TEST_ECHO set they are printed to standard
// output ("box: <text>") instead of shown, so scripted runs never wait for a click.

#include <QString>

#include <functional>

class QWidget;

namespace quintrel::table {

void errorBox(QWidget* parent, const QString& text);  // the standard error box
void infoBox(QWidget* parent, const QString& text);
// OK or Cancel; true for OK.
bool confirmBox(QWidget* parent, const QString& question);

// Tests route boxes to a recorder instead of the screen; an empty sink restores the boxes.
using MessageBoxSink = std::function<void(const QString& text)>;
void setMessageBoxSink(MessageBoxSink sink);
// Tests answer questions instead of the player; an empty sink restores the boxes. With
// QUINTREL_TEST_ECHO set, questions are printed ("confirm: <text>") and answered OK.
using ConfirmSink = std::function<bool(const QString& question)>;
void setConfirmSink(ConfirmSink sink);

bool testEchoEnabled();
void testEcho(const char* kind, const QString& text);  // "<kind>: <text>" on standard output

}  // namespace quintrel::table
