#pragma once
// "Quintrel - Play with Others": host a table on this machine, or join one by address and
// port. It only asks; the table window starts the session the answer names.

#include "extras/play_with_others.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace quintrel {

class PlayWithOthersDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlayWithOthersDialog(QWidget* parent = nullptr);

    // The name and hosts remembered from earlier runs.
    void setMemory(const PlayWithOthersMemory& memory);
    // The port this machine hosts on; also where a join starts.
    void setHostPort(quint16 port);
    // The addresses to tell friends (see machineAddresses()).
    void setAddresses(const QStringList& addresses);

    void hostClick();  // button_host
    void joinClick();  // button_join
    QString problem() const;

    // This machine's addresses others can reach it at: IPv4 first, no loopback or link-local.
    static QStringList machineAddresses();

signals:
    void hostRequested(const QString& name);
    void joinRequested(const QString& name, const QString& address, quint16 port);

private:
    // The typed name as the table sends it; empty (with the reason shown) when it cannot be used.
    std::string checkedName();
    void showProblem(const QString& text);
    void recentChosen(int index);

    PlayWithOthersMemory memory_;
    quint16 hostPort_ = 0;
    QLineEdit* name_ = nullptr;
    QLabel* addresses_ = nullptr;
    QLabel* portNote_ = nullptr;
    QComboBox* address_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace quintrel
