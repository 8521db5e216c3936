#include "extras/qt/about_window.h"

#include "extras/qt/pictures.h"
#include "extras/qt/table_look.h"
#include "version.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintrel {
namespace {

// The web address label: a click opens the link.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, std::function<void()> clicked, QWidget* parent)
        : QLabel(text, parent), clicked_(std::move(clicked)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) clicked_();
    }

private:
    std::function<void()> clicked_;
};

TURL webSite() {
    const QString homepage = QString::fromLatin1(kHomepage);
    const QString secure = TURL::prefix(TURL::utHttps);
    if (homepage.startsWith(secure)) return TURL(homepage.mid(secure.size()), TURL::utHttps);
    return TURL(homepage.mid(TURL::prefix(TURL::utHttp).size()), TURL::utHttp);
}

}  // namespace

Tabout::Tabout(QWidget* parent) : QDialog(parent), url1_(webSite()) {
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(QStringLiteral("Quintrel - About"));
    look::useFelt(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 14);
    QFrame* plate = look::creamPlate(this, "panel_about");
    auto* layout = new QVBoxLayout(plate);
    layout->setContentsMargins(22, 16, 22, 16);
    layout->setSpacing(8);

    auto* banner = new QLabel(plate);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(QPixmap::fromImage(Pictures::shipped().picture(Picture::Banner)));
    layout->addWidget(banner, 0, Qt::AlignHCenter);

    auto* name = new QLabel(QStringLiteral("Quintrel"), plate);
    name->setObjectName(QStringLiteral("Label1"));
    name->setFont(look::pixelFont(32, true));
    name->setStyleSheet(QStringLiteral("color: #7a5a12;"));
    layout->addWidget(name, 0, Qt::AlignHCenter);

    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    versionRow->addStretch(1);
    auto* versionWord = new QLabel(QStringLiteral("Version "), plate);
    auto* version = new QLabel(QString::fromLatin1(kVersionLabel), plate);
    version->setObjectName(QStringLiteral("version"));
    auto* build = new QLabel(QStringLiteral(".1"), plate);
    build->setObjectName(QStringLiteral("Label3"));
    for (QLabel* part : {versionWord, version, build}) {
        part->setFont(look::pixelFont(14, true));
        versionRow->addWidget(part);
    }
    versionRow->addStretch(1);
    layout->addLayout(versionRow);

    auto* link = new LinkLabel(
        url1_.address(), [this] { openWebSite(); }, plate);  // Label7Click
    link->setObjectName(QStringLiteral("Label7"));
    link->setFont(look::pixelFont(14));
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));
    link->setToolTip(QStringLiteral("Open the web site"));
    layout->addWidget(link, 0, Qt::AlignHCenter);

    QPushButton* ok = look::goldButton(QStringLiteral("OK"), plate, "Button1");
    ok->setMinimumWidth(96);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    layout->addSpacing(4);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    outer->addWidget(plate);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quintrel
