#include "chat/qt/spy_list_window.h"

#include "chat/spy_list.h"
#include "net/qt/latin1_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintrel::chat {

Tspylist::Tspylist(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(QStringLiteral("Quintrel - Spys"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(8);
    auto* heading = new QLabel(QStringLiteral("Spy List"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setStyleSheet(QStringLiteral("QLabel { color: #f4e7b5; font-weight: bold; font-size: 15px; }"));
    layout->addWidget(heading);

    listbox_spys_ = new QListWidget(this);
    listbox_spys_->setObjectName(QStringLiteral("listbox_spys"));
    listbox_spys_->setStyleSheet(
        QStringLiteral("QListWidget { background: #fffcf2; color: #3b2a05; border: 2px solid #d8be6e; "
                       "border-radius: 6px; padding: 3px; font-size: 13px; }"
                       "QListWidget::item:selected { background: #efd58a; color: #3b2a05; }"));
    listbox_spys_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listbox_spys_->setTextElideMode(Qt::ElideRight);
    listbox_spys_->setContextMenuPolicy(Qt::DefaultContextMenu);
    listbox_spys_->viewport()->setMouseTracking(true);
    listbox_spys_->viewport()->installEventFilter(this);
    layout->addWidget(listbox_spys_, 1);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setFixedSize(80, 28);
    ok->setStyleSheet(
        QStringLiteral("QPushButton { color: #3b2a05; background: #efe4c2; border: 1px solid #7a5a12; "
                       "border-radius: 6px; font-weight: bold; }"
                       "QPushButton:hover { background: #d9a93c; }"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);  // Button1Click
    layout->addWidget(ok, 0, Qt::AlignRight);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    popup_kickhim_ = popup_->addAction(QStringLiteral("Remove From Game"));
    popup_kickhim_->setObjectName(QStringLiteral("popup_kickhim"));
    popup_kickhim_->setEnabled(false);
    connect(popup_kickhim_, &QAction::triggered, this, &Tspylist::popup_kickhimClick);

    resize(240, 300);
}

void Tspylist::setBackground(const QImage& tile) {
    QPalette felt = palette();
    felt.setBrush(QPalette::Window, QBrush(tile));
    setPalette(felt);
    setAutoFillBackground(true);
}

void Tspylist::setEntries(const std::vector<std::string>& entries) {
    if (entries == entries_) return;
    entries_ = entries;
    listbox_spys_->clear();
    for (const std::string& entry : entries_) listbox_spys_->addItem(latin1(entry));
}

void Tspylist::setHost(bool host) { popup_kickhim_->setEnabled(host); }

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listbox_spys_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            listbox_spysMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::ContextMenu) {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            listbox_spysMouseMove(menu->pos());
            popup_->popup(menu->globalPos());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tspylist::listbox_spysMouseMove(const QPoint& at) {
    const QListWidgetItem* under = listbox_spys_->itemAt(at);
    tag_ = under ? listbox_spys_->row(under) : -1;
}

void Tspylist::popup_kickhimClick() {
    if (const auto slot = spyEntrySlot(entries_, tag_)) emit removeRequested(*slot);
}

}  // namespace quintrel::chat
