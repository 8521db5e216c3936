#include "extras/qt/play_with_others_dialog.h"

#include "extras/qt/table_look.h"
#include "net/qt/latin1_text.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quintrel {
namespace {

// Lines broken by hand: a wrapped label makes the dialog guess its height, and guess short.
QLabel* lines(const QString& text, QWidget* parent, int pixels = 13) {
    QLabel* label = look::plateText(text, parent, pixels);
    label->setWordWrap(false);
    return label;
}

}  // namespace

PlayWithOthersDialog::PlayWithOthersDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tplaywithothers"));
    setWindowTitle(QStringLiteral("Quintrel - Play with Others"));
    look::useFelt(this);
    setStyleSheet(look::fieldStyle());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);

    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Your name:"), this);
    nameLabel->setFont(look::pixelFont(14, true));
    nameLabel->setStyleSheet(QStringLiteral("color: #fdf6dc;"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("edit_name"));
    name_->setMaxLength(static_cast<int>(kMaxPlayerName));
    name_->setFont(look::pixelFont(14));
    nameLabel->setBuddy(name_);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);

    auto* plates = new QHBoxLayout;
    plates->setSpacing(12);

    QFrame* host = look::creamPlate(this, "panel_host");
    auto* hostColumn = new QVBoxLayout(host);
    hostColumn->setContentsMargins(14, 10, 14, 12);
    hostColumn->setSpacing(8);
    hostColumn->addWidget(look::plateHeading(QStringLiteral("Host a table here"), host));
    hostColumn->addWidget(
        lines(QStringLiteral("Tell your friends one of this\ncomputer's addresses and the port:"), host));
    addresses_ = lines(QString(), host, 14);
    addresses_->setFont(look::pixelFont(14, true));
    addresses_->setObjectName(QStringLiteral("label_addresses"));
    addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hostColumn->addWidget(addresses_);
    portNote_ = lines(QString(), host, 14);
    portNote_->setFont(look::pixelFont(14, true));
    portNote_->setObjectName(QStringLiteral("label_port"));
    hostColumn->addWidget(portNote_);
    hostColumn->addWidget(
        lines(QStringLiteral("This computer must accept\nconnections on that port."), host, 12));
    hostColumn->addStretch(1);
    QPushButton* hostButton = look::goldButton(QStringLiteral("Host"), host, "button_host");
    hostButton->setMinimumWidth(110);
    connect(hostButton, &QPushButton::clicked, this, &PlayWithOthersDialog::hostClick);
    hostColumn->addWidget(hostButton, 0, Qt::AlignHCenter);
    plates->addWidget(host, 1);

    QFrame* join = look::creamPlate(this, "panel_join");
    auto* joinColumn = new QVBoxLayout(join);
    joinColumn->setContentsMargins(14, 10, 14, 12);
    joinColumn->setSpacing(8);
    joinColumn->addWidget(look::plateHeading(QStringLiteral("Join a table"), join));
    joinColumn->addWidget(lines(QStringLiteral("Type the address and port\nyour host gave you:"), join));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(lines(QStringLiteral("Host address:"), join), 0, 0);
    address_ = new QComboBox(join);
    address_->setObjectName(QStringLiteral("combo_address"));
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    address_->setMinimumWidth(180);
    connect(address_, &QComboBox::activated, this, &PlayWithOthersDialog::recentChosen);
    grid->addWidget(address_, 0, 1);
    grid->addWidget(lines(QStringLiteral("Port:"), join), 1, 0);
    port_ = new QSpinBox(join);
    port_->setObjectName(QStringLiteral("edit_port"));
    port_->setRange(1, 65535);
    port_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    grid->addWidget(port_, 1, 1, Qt::AlignLeft);
    joinColumn->addLayout(grid);
    joinColumn->addStretch(1);
    QPushButton* joinButton = look::goldButton(QStringLiteral("Join"), join, "button_join");
    joinButton->setMinimumWidth(110);
    connect(joinButton, &QPushButton::clicked, this, &PlayWithOthersDialog::joinClick);
    joinColumn->addWidget(joinButton, 0, Qt::AlignHCenter);
    plates->addWidget(join, 1);
    layout->addLayout(plates, 1);

    auto* bottom = new QHBoxLayout;
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("label_problem"));
    problem_->setFont(look::pixelFont(13, true));
    problem_->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(look::kNoticeText)));
    bottom->addWidget(problem_, 1);
    QPushButton* cancel = look::goldButton(QStringLiteral("Cancel"), this, "button_cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    setAddresses(machineAddresses());
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(640, 0);
}

void PlayWithOthersDialog::setMemory(const PlayWithOthersMemory& memory) {
    memory_ = memory;
    name_->setText(latin1(memory.name));
    address_->clear();
    for (const RecentHost& host : memory.hosts) address_->addItem(latin1(host.address), host.port);
    if (!memory.hosts.empty()) recentChosen(0);
}

void PlayWithOthersDialog::setHostPort(quint16 port) {
    hostPort_ = port;
    portNote_->setText(QStringLiteral("Port %1").arg(port));
    if (memory_.hosts.empty()) port_->setValue(port);
}

void PlayWithOthersDialog::setAddresses(const QStringList& addresses) {
    // A machine with many networks would push the buttons off the screen.
    constexpr int kShown = 4;
    addresses_->setText(addresses.isEmpty() ? QStringLiteral("(no network found)")
                                            : addresses.mid(0, kShown).join('\n'));
}

void PlayWithOthersDialog::recentChosen(int index) {
    if (index < 0 || index >= address_->count()) return;
    address_->setCurrentIndex(index);
    port_->setValue(address_->itemData(index).toInt());
}

QString PlayWithOthersDialog::problem() const { return problem_->text(); }

void PlayWithOthersDialog::showProblem(const QString& text) { problem_->setText(text); }

std::string PlayWithOthersDialog::checkedName() {
    const QString typed = name_->text().trimmed();
    const QByteArray bytes = typed.toLatin1();
    // The table shows and sends names as Latin-1: other letters would arrive as "?".
    if (QString::fromLatin1(bytes) != typed) {
        showProblem(QStringLiteral("A name may only use Western European letters."));
        return {};
    }
    std::string name(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const std::string why = playerNameProblem(name); !why.empty()) {
        showProblem(latin1(why));
        name_->setFocus();
        return {};
    }
    return name;
}

void PlayWithOthersDialog::hostClick() {
    const std::string name = checkedName();
    if (name.empty()) return;
    showProblem(QString());
    accept();
    emit hostRequested(latin1(name));
}

void PlayWithOthersDialog::joinClick() {
    const std::string name = checkedName();
    if (name.empty()) return;
    const QString address = address_->currentText().trimmed();
    if (address.isEmpty() || address.contains(QLatin1Char(' '))) {
        showProblem(QStringLiteral("Please type the host's address."));
        address_->setFocus();
        return;
    }
    showProblem(QString());
    accept();
    emit joinRequested(latin1(name), address, static_cast<quint16>(port_->value()));
}

QStringList PlayWithOthersDialog::machineAddresses() {
    QStringList ipv4, ipv6;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.isLinkLocal() || address.isMulticast()) continue;
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            ipv4 << address.toString();
        else if (address.protocol() == QAbstractSocket::IPv6Protocol)
            ipv6 << address.toString();
    }
    return ipv4 + ipv6;
}

}  // namespace quintrel
