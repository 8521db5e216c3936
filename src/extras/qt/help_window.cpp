#include "extras/qt/help_window.h"

#include "extras/qt/table_look.h"

#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

// The resource lives in a static library, so nothing would pull its registration in.
static void registerHelpResource() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)registered;
}

namespace quintrel {
namespace {

struct Topic {
    const char* caption;
    int page;  // memo<page>
    const char* file;
};

// Top to bottom as the buttons stand; each button's number names its page.
constexpr std::array<Topic, Thelp::kPages> kTopics = {{
    {"Overview", 1, "overview"},
    {"Connecting", 2, "connecting"},
    {"Game Play", 3, "game_play"},
    {"Turn", 7, "turn"},
    {"Books", 8, "books"},
    {"Scoring", 4, "scoring"},
    {"Strategy", 9, "strategy"},
    {"Documentation", 5, "documentation"},
    {"License", 6, "license"},
}};

const Topic* topicOf(int page) {
    for (const Topic& topic : kTopics)
        if (topic.page == page) return &topic;
    return nullptr;
}

}  // namespace

QString Thelp::pageSource(int number) {
    registerHelpResource();
    const Topic* topic = topicOf(number);
    if (topic == nullptr) return {};
    QFile file(QStringLiteral(":/help/%1.html").arg(QString::fromLatin1(topic->file)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

Thelp::Thelp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(QStringLiteral("Quintrel - Help File"));
    look::useFelt(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);

    QFrame* side = look::creamPlate(this, "panel_topics");
    auto* buttons = new QVBoxLayout(side);
    buttons->setContentsMargins(10, 10, 10, 10);
    buttons->setSpacing(6);
    for (const Topic& topic : kTopics) {
        const QByteArray name = "SelButton" + QByteArray::number(topic.page);
        QPushButton* button = look::goldButton(QString::fromLatin1(topic.caption), side, name.constData());
        button->setCheckable(true);  // the topic in front stays pressed
        button->setAutoExclusive(true);
        topicButtons_[static_cast<std::size_t>(topic.page)] = button;
        connect(button, &QPushButton::clicked, this,
                [this, page = topic.page] { showPage(page); });  // SelButton1Click
        buttons->addWidget(button);
    }
    QPushButton* about = look::goldButton(QStringLiteral("About"), side, "button_about");
    connect(about, &QPushButton::clicked, this, &Thelp::aboutRequested);
    buttons->addWidget(about);
    buttons->addStretch(1);
    QPushButton* done = look::goldButton(QStringLiteral("Done"), side, "button_done");
    connect(done, &QPushButton::clicked, this, &QDialog::hide);
    buttons->addWidget(done);
    layout->addWidget(side);

    QFrame* main = look::creamPlate(this, "panel_page");
    auto* column = new QVBoxLayout(main);
    column->setContentsMargins(12, 10, 12, 12);
    column->setSpacing(8);
    label_caption_ = new QLabel(main);
    label_caption_->setObjectName(QStringLiteral("label_caption"));
    label_caption_->setFont(look::pixelFont(20, true));
    label_caption_->setStyleSheet(
        QStringLiteral("color: #7a5a12; border-bottom: 1px solid #d8be6e; padding-bottom: 4px;"));
    column->addWidget(label_caption_);
    pages_ = new QStackedWidget(main);
    for (int n = 1; n <= kPages; ++n) {
        auto* memo = new QTextBrowser(pages_);
        memo->setObjectName(QStringLiteral("memo%1").arg(n));
        memo->setOpenLinks(false);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setFrameShape(QFrame::NoFrame);
        memo->setFont(look::pixelFont(14));
        memo->setStyleSheet(QStringLiteral("QTextBrowser { background: #fffcf2; color: #3b2a05; }"));
        memo->document()->setDocumentMargin(5);
        memo->document()->setDefaultStyleSheet(QStringLiteral(
            "h3 { color: #7a5a12; } th { background: #efe4c2; } td, th { border-color: #d8be6e; }"));
        memo->setHtml(pageSource(n));
        pages_->addWidget(memo);
        memo_[static_cast<std::size_t>(n)] = memo;
    }
    column->addWidget(pages_, 1);
    layout->addWidget(main, 1);

    showPage(1);
    resize(760, 560);
}

void Thelp::showPage(int number) {
    const Topic* topic = topicOf(number);
    if (topic == nullptr) return;
    current_ = number;
    pages_->setCurrentWidget(memo_[static_cast<std::size_t>(number)]);
    label_caption_->setText(QString::fromLatin1(topic->caption));
    topicButtons_[static_cast<std::size_t>(number)]->setChecked(true);
}

QString Thelp::caption() const { return label_caption_->text(); }

QTextBrowser* Thelp::page(int number) const {
    return number >= 1 && number <= kPages ? memo_[static_cast<std::size_t>(number)] : nullptr;
}

}  // namespace quintrel
