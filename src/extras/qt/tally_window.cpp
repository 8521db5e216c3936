#include "extras/qt/tally_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

#include "extras/qt/pictures.h"
#include "extras/qt/table_look.h"
#include "net/qt/latin1_text.h"

namespace quintrel {

namespace {

using look::ElidedLabel;
using look::pixelFont;

// Names come from peers: never rich text.
QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr, int pixels = 13,
              bool bold = false) {
    auto* shown = new ElidedLabel(text, parent);
    if (name != nullptr) shown->setObjectName(QString::fromLatin1(name));
    shown->setTextFormat(Qt::PlainText);
    shown->setFont(pixelFont(pixels, bold));
    return shown;
}

QLabel* value(QWidget* parent, const char* name) {
    QLabel* shown = label(QString(), parent, name, 14, true);
    shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shown->setMinimumWidth(56);
    return shown;
}

void setText(QLabel* shown, const std::string& text) {
    const QString wanted = latin1(text);
    if (shown->text() != wanted) shown->setText(wanted);
}

QLabel* heading(const QString& text, QWidget* parent, const char* name = nullptr) {
    QLabel* shown = label(text, parent, name, 15, true);
    shown->setStyleSheet(
        QStringLiteral("color: #7a5a12; border-bottom: 1px solid #d8be6e; padding-bottom: 3px;"));
    return shown;
}

}  // namespace

Ttallylist::Ttallylist(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ttallylist"));
    setWindowTitle(QStringLiteral("Quintrel - Tally List"));
    question_ = [this](const QString& text) {
        return QMessageBox::question(this, QStringLiteral("Confirm"), text,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    resize(600, 420);
}

void Ttallylist::showEvent(QShowEvent* event) {
    // The rows and lists are made at the first show: most runs never open this window.
    if (counts_ == nullptr) {
        build();
        sync();
    }
    QDialog::showEvent(event);
}

Ttallylist::~Ttallylist() {
    if (file_) save();
}

void Ttallylist::build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(buildTotals(), 0);
    top->addWidget(buildPlayer(), 1);
    layout->addLayout(top);

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(12);
    lists->setVerticalSpacing(4);
    const char* kLists[][2] = {{"Players Being Tallied", "listbox_tally"},
                               {"Players In Current Game", "checklist"}};
    QListWidget* made[2] = {};
    for (int i = 0; i < 2; ++i) {
        QLabel* caption = label(QString::fromLatin1(kLists[i][0]), this, nullptr, 13, true);
        caption->setStyleSheet(QStringLiteral("color: #f4e7b5;"));
        lists->addWidget(caption, 0, i);
        made[i] = buildList(kLists[i][1]);
        lists->addWidget(made[i], 1, i);
    }
    listbox_tally_ = made[0];
    checklist_ = made[1];
    layout->addLayout(lists, 1);

    FlatButton1_ = look::goldButton(QStringLiteral("Ok"), this, "FlatButton1");
    FlatButton1_->setFixedSize(96, 32);
    connect(FlatButton1_, &QPushButton::clicked, this, &QDialog::close);  // FlatButton1Click
    layout->addWidget(FlatButton1_, 0, Qt::AlignRight);

    connect(listbox_tally_, &QListWidget::itemChanged, this, &Ttallylist::listbox_tallyClickCheck);
    connect(checklist_, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
    connect(listbox_tally_, &QListWidget::currentRowChanged, this, [this](int row) {  // listbox_tallyClick
        if (syncing_) return;
        tally_.listbox_tallyClick(row);
        sync();
    });
}

QWidget* Ttallylist::buildTotals() {
    QFrame* panel = look::creamPlate(this, "panel_total");
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 10, 14, 12);
    grid->setVerticalSpacing(8);
    grid->setHorizontalSpacing(14);
    grid->addWidget(heading(QStringLiteral("Your Total Tally"), panel), 0, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Total Games:"), panel), 1, 0);
    grid->addWidget(label(QStringLiteral("Your Wins"), panel), 2, 0);
    mylabel_1_ = value(panel, "mylabel_1");
    mylabel_2_ = value(panel, "mylabel_2");
    grid->addWidget(mylabel_1_, 1, 1);
    grid->addWidget(mylabel_2_, 2, 1);
    grid->setRowStretch(3, 1);
    return panel;
}

QWidget* Ttallylist::buildPlayer() {
    QFrame* panel = look::creamPlate(this, "panel_player");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(6);
    auto* top = new QGridLayout;  // the heading, or the hint while nobody is selected
    label_hisnametop_ = heading(QString(), panel, "label_hisnametop");
    top->addWidget(label_hisnametop_, 0, 0);
    hint_ = label(QStringLiteral("Select a player being tallied"), panel, "hint_select", 12);
    hint_->setStyleSheet(QStringLiteral("color: #9a8350; font-style: italic;"));
    top->addWidget(hint_, 0, 0);
    layout->addLayout(top);

    counts_ = new QWidget(panel);
    QSizePolicy keepRoom = counts_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    counts_->setSizePolicy(keepRoom);
    auto* grid = new QGridLayout(counts_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(6);
    grid->setHorizontalSpacing(14);
    for (int col = 0; col < 2; ++col) {
        QLabel* head =
            label(col == 0 ? QStringLiteral("Total") : QStringLiteral("Session"), counts_, nullptr, 12, true);
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        head->setStyleSheet(QStringLiteral("color: #7a5a12;"));
        grid->addWidget(head, 0, 1 + col);
    }
    label_hisname_ = label(QString(), counts_, "label_hisname");
    static_cast<ElidedLabel*>(label_hisname_)->setElideMode(Qt::ElideMiddle);  // keep " Wins:"
    QLabel* rowNames[] = {label(QStringLiteral("Number of Games"), counts_), label_hisname_,
                          label(QStringLiteral("Your Wins:"), counts_),
                          label(QStringLiteral("Wins as a Team:"), counts_)};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(rowNames[row], 1 + row, 0);
        for (int session = 0; session < 2; ++session) {
            const int k = 1 + row + 4 * session;
            const QByteArray name = "label_" + QByteArray::number(k);
            label_[static_cast<std::size_t>(k)] = value(counts_, name.constData());
            grid->addWidget(label_[static_cast<std::size_t>(k)], 1 + row, 1 + session);
        }
    }
    grid->setColumnStretch(0, 1);
    layout->addWidget(counts_);
    return panel;
}

QListWidget* Ttallylist::buildList(const char* name) {
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(pixelFont(13, false));
    list->setMinimumHeight(120);
    list->setTextElideMode(Qt::ElideRight);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setStyleSheet(QStringLiteral(
        "QListWidget { background: #fffcf2; color: #3b2a05; border: 2px solid #d8be6e; border-radius: 6px; "
        "padding: 3px; outline: none; }"
        "QListWidget::item { padding: 3px 2px; border: none; }"
        "QListWidget::item:selected { background: #efd58a; color: #3b2a05; border-radius: 3px; }"
        "QListWidget::indicator { width: 13px; height: 13px; border: 2px solid #b79a4e; border-radius: 3px; "
        "background: #fdf6dc; }"
        "QListWidget::indicator:checked { background: #e0a82e; border-color: #7a5a12; }"));
    return list;
}

void Ttallylist::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(Pictures::shipped().picture(Picture::Background)));
}

void Ttallylist::syncList(QListWidget* list, const std::vector<std::string>& names,
                          const std::function<bool(const std::string&)>& checked) {
    bool same = list->count() == static_cast<int>(names.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == latin1(names[static_cast<std::size_t>(i)]);
    if (!same) {
        list->clear();
        for (const std::string& name : names) {
            auto* item = new QListWidgetItem(latin1(name), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);  // without a state there is no box to click
            item->setToolTip(item->text());
        }
    }
    for (int i = 0; i < list->count(); ++i) {
        const Qt::CheckState state =
            checked(names[static_cast<std::size_t>(i)]) ? Qt::Checked : Qt::Unchecked;
        if (list->item(i)->checkState() != state) list->item(i)->setCheckState(state);
    }
}

void Ttallylist::sync() {
    if (counts_ == nullptr) return;
    syncing_ = true;
    syncList(listbox_tally_, tally_.talliedNames(), [](const std::string&) { return true; });
    syncList(checklist_, tally_.checklist(),
             [this](const std::string& name) { return tally_.isTallied(name); });
    if (listbox_tally_->currentRow() != tally_.selected()) listbox_tally_->setCurrentRow(tally_.selected());
    syncing_ = false;

    const Tally::Labels shown = tally_.labels();
    setText(mylabel_1_, shown.mylabel_1);
    setText(mylabel_2_, shown.mylabel_2);
    for (int k = 1; k < kTallyColumns; ++k)
        setText(label_[static_cast<std::size_t>(k)], shown.label[static_cast<std::size_t>(k)]);
    setText(label_hisname_, shown.label_hisname);
    setText(label_hisnametop_, shown.label_hisnametop);
    hint_->setVisible(tally_.selected() < 0);
    counts_->setVisible(tally_.selected() >= 0);
}

void Ttallylist::changed() {
    sync();
    if (file_) save();
}

TallyLoad Ttallylist::open(const std::string& path, std::time_t now) {
    file_ = std::make_unique<TallyFile>(path);
    Tally loaded;
    const TallyLoad outcome = file_->load(loaded, now);
    loaded.loadchecklist({});  // nobody is at the table yet
    tally_ = std::move(loaded);
    if (outcome.result == TallyLoad::Result::MovedAside) {
        std::fprintf(stderr, "tally: %s could not be read (%s); it was kept as %s\n", path.c_str(),
                     outcome.problem.c_str(), outcome.movedTo.c_str());
    } else if (outcome.result == TallyLoad::Result::Kept) {
        std::fprintf(stderr,
                     "tally: %s could not be read (%s) nor moved aside; the tally will not be saved\n",
                     path.c_str(), outcome.problem.c_str());
    }
    sync();
    return outcome;
}

bool Ttallylist::save() {
    if (!file_) return false;
    try {
        file_->save(tally_);
        return true;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tally: not saved: %s\n", failure.what());
        return false;
    }
}

void Ttallylist::loadchecklist(const TallyRoster& roster) {
    tally_.loadchecklist(roster);
    sync();
}

void Ttallylist::addgame(const std::string& winners, const TallyRoster& roster) {
    tally_.addgame(winners, roster);
    changed();
}

void Ttallylist::checklistClickCheck(QListWidgetItem* item) {
    if (syncing_) return;
    tally_.checklistClickCheck(checklist_->row(item));
    changed();
}

void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item) {
    if (syncing_ || item->checkState() == Qt::Checked) return;
    const int index = listbox_tally_->row(item);
    const bool yes = question_(latin1(tally_.deletionQuestion(index)));
    tally_.listbox_tallyClickCheck(index, yes);
    changed();
}

}  // namespace quintrel
