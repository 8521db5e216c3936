// Draws the table's pictures and writes them as JPEG files plus the resource list that
// builds them into the program:
//   make_pictures <folder>                 write every picture, pictures.qrc and cards.qrc into folder
//   make_pictures --sheet <folder> <png>   contact sheet of the pictures as the program loads them
//   make_pictures --icon <folder>          the application icon as <folder>/hicolor/*/apps/quintrel.*

#include "art.h"
#include "extras/qt/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include <jpeglib.h>

namespace {

using quintrel::Picture;
using quintrel::PictureFile;
using quintrel::Pictures;
namespace art = quintrel::art;

constexpr int kQuality = 92;

// Full-resolution colour (no chroma subsampling): red pips and small indices stay crisp.
QByteArray encodeJpeg(const QImage& source, bool grey) {
    const QImage image = source.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

QImage renderPicture(const std::string& name) {
    auto numberAfter = [&](const char* stem) { return std::stoi(name.substr(std::string(stem).size())); };
    if (name.rfind("bigcard", 0) == 0) return art::cardPicture(numberAfter("bigcard"));
    if (name.rfind("ntop", 0) == 0) return art::bookFace(numberAfter("ntop"), false);
    if (name.rfind("wtop", 0) == 0) return art::bookFace(numberAfter("wtop"), true);
    if (name.rfind("blank", 0) == 0) return art::underCard(numberAfter("blank"));
    if (name.rfind("phrase", 0) == 0) return art::phrasePicture(numberAfter("phrase"));
    static const std::map<std::string, std::function<QImage()>> singles = {
        {"foot", art::footPicture},
        {"eyes", art::eyesPicture},
        {"greenarrow", [] { return art::arrowPicture(art::kGreenTeam); }},
        {"bluearrow", [] { return art::arrowPicture(art::kNavyTeam); }},
        {"greenbar", [] { return art::barPicture(art::kGreenTeam); }},
        {"bluebar", [] { return art::barPicture(art::kNavyTeam); }},
        {"turn", art::turnMarker},
        {"rwinner1", [] { return art::roundWinner(1, 105, 109); }},
        {"rwinner2", [] { return art::roundWinner(2, 104, 108); }},
        {"winner1", [] { return art::gameWinner(1, 166, 116); }},
        {"winner2", [] { return art::gameWinner(2, 165, 118); }},
        {"start", art::startButton},
        {"felt", art::feltTile},
        {"booksquare", art::bookSquare},
        {"banner", art::banner},
    };
    const auto found = singles.find(name);
    if (found == singles.end()) throw std::runtime_error("no drawing for picture " + name);
    return found->second();
}

// Colour flattened onto the felt, so the file alone looks right on the table too.
QImage flatten(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.setDevicePixelRatio(picture.devicePixelRatio());
    flat.fill(art::kFelt);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

QImage alphaOf(const QImage& picture) {
    QImage alpha(picture.size(), QImage::Format_Grayscale8);
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* out = alpha.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) out[x] = static_cast<uchar>(qAlpha(in[x]));
    }
    return alpha;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

bool isCardFace(const PictureFile& file) {
    for (const char* stem : {"bigcard", "ntop", "wtop", "blank"})
        if (file.name.starts_with(stem)) return true;
    return false;
}

int writeAll(const QString& folder) {
    QDir().mkpath(folder);
    // The card faces go in a list of their own: the program's start reads the other pictures,
    // and those then lie together in the program file instead of scattered among the cards.
    const QString head =
        QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/pictures\">\n");
    QString qrc = head;
    QString cardsQrc = head;
    int written = 0;
    for (const quintrel::PictureDetail detail :
         {quintrel::PictureDetail::Normal, quintrel::PictureDetail::Double}) {
        const int scale = detail == quintrel::PictureDetail::Double ? 2 : 1;
        art::setScale(scale);
        std::map<std::string, QImage> rendered;
        std::map<std::string, QImage> masks;
        for (const PictureFile& file : quintrel::pictureCatalogue()) {
            if (file.isMask || (scale > 1 && !file.doubled)) continue;
            QImage picture = renderPicture(file.name);
            if (picture.width() != file.width * scale || picture.height() != file.height * scale) {
                throw std::runtime_error("drawing of " + file.name + " has the wrong size");
            }
            if (!file.mask.empty()) {
                const QImage alpha = alphaOf(picture);
                const auto known = masks.find(file.mask);
                if (known == masks.end()) {
                    masks[file.mask] = alpha;
                } else if (known->second != alpha) {
                    throw std::runtime_error(file.name + " does not fit the shared outline " + file.mask);
                }
            }
            rendered[file.name] = picture;
        }
        for (const PictureFile& file : quintrel::pictureCatalogue()) {
            if (scale > 1 && !file.doubled) continue;
            const QString name = QString::fromStdString(quintrel::pictureFileName(file, detail));
            const QByteArray bytes = file.isMask ? encodeJpeg(masks.at(file.name), true)
                                                 : encodeJpeg(flatten(rendered.at(file.name)), false);
            writeFile(folder + '/' + name, bytes);
            (isCardFace(file) ? cardsQrc : qrc) +=
                QStringLiteral("  <file>") + name + QStringLiteral("</file>\n");
            ++written;
        }
    }
    art::setScale(1);
    for (QString* list : {&qrc, &cardsQrc}) *list += QStringLiteral("</qresource>\n</RCC>\n");
    writeFile(folder + QStringLiteral("/pictures.qrc"), qrc.toLatin1());
    writeFile(folder + QStringLiteral("/cards.qrc"), cardsQrc.toLatin1());
    std::cout << written << " pictures written to " << folder.toStdString() << "\n";
    return 0;
}

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

int writeIcons(const QString& folder) {
    for (int size : kIconSizes) {
        const QString dir = folder + QStringLiteral("/hicolor/%1x%1/apps").arg(size);
        QDir().mkpath(dir);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!art::iconPicture(size).save(&buffer, "PNG")) throw std::runtime_error("cannot encode the icon");
        writeFile(dir + QStringLiteral("/quintrel.png"), png);
    }
    const QString scalable = folder + QStringLiteral("/hicolor/scalable/apps");
    QDir().mkpath(scalable);
    writeFile(scalable + QStringLiteral("/quintrel.svg"), art::iconSvg());
    std::cout << std::size(kIconSizes) << " icon sizes and the scalable icon written to "
              << folder.toStdString() << "\n";
    return 0;
}

// Everything on the felt as the table will show it, including a fanned hand and working books.
QImage sheet(const Pictures& pictures, int scale) {
    const auto& cards = pictures.imagelist_bigcards();
    const int width = 14 * 75 + 16;
    const int height = 4 * 100 + 110 + 3 * 56 + 140 + 240;
    QImage page(width, height, QImage::Format_RGB32);
    QPainter painter(&page);
    painter.fillRect(page.rect(), QBrush(pictures.picture(Picture::Background)));
    int y = 8;
    for (int code = 0; code < cards.count(); ++code) {
        painter.drawImage(8 + (code % 14) * 75, y + (code / 14) * 100, cards.at(code));
    }
    y += 4 * 100 + 4;
    // a hand fanned 20 pixels apart, one card raised as if selected
    const int hand[] = {1, 2, 15, 28, 41, 10, 23, 36, 49, 11, 24, 37, 50, 13, 26, 39, 52, 14, 27, 54};
    for (int i = 0; i < 20; ++i) painter.drawImage(8 + i * 20, y + (i == 6 ? 0 : 10), cards.at(hand[i]));
    painter.drawImage(430, y + 6, pictures.picture(Picture::BookSquare));
    painter.drawImage(505, y + 6, cards.at(0));
    painter.drawImage(580, y + 6, cards.at(40));
    y += 110;
    for (int row = 0; row < 3; ++row) {
        const auto& list = row == 0   ? pictures.imagelist_ntop()
                           : row == 1 ? pictures.imagelist_wtop()
                                      : pictures.imagelist_blank();
        for (int i = 0; i < list.count(); ++i) painter.drawImage(8 + i * 42, y, list.at(i));
        y += 56;
    }
    // working books as the boards draw them: under-cards 5 pixels apart, then the face
    for (int count = 3; count <= 7; ++count) {
        const int left = 8 + (count - 3) * 90;
        painter.setClipRect(left, y, 31 + 5 * count, 48);
        for (int c = 1; c <= count - 1 && c <= 5; ++c)
            painter.drawImage(left + 5 * (c - 1), y, pictures.imagelist_blank().at(c - 1));
        const auto& faces = count % 2 ? pictures.imagelist_ntop() : pictures.imagelist_wtop();
        painter.drawImage(left + 5 * (count - 1), y, faces.at(count + 4));
        painter.setClipping(false);
        painter.drawImage(left, y + 60, pictures.imagelist_ntop().at(count % 13));
        painter.drawImage(left + 44, y + 60, pictures.imagelist_wtop().at(count % 13));
    }
    y += 140;
    int x = 8;
    for (Picture which : {Picture::Foot, Picture::Eyes, Picture::GreenArrow, Picture::BlueArrow,
                          Picture::TurnMarker, Picture::StartButton}) {
        painter.drawImage(x, y, pictures.picture(which));
        x += pictures.picture(which).width() + 12;
    }
    painter.drawImage(x, y, pictures.picture(Picture::GreenBar));
    painter.drawImage(x, y + 12, pictures.picture(Picture::BlueBar));
    y += 32;
    for (int i = 0; i < pictures.phraseButtons().count(); ++i) {
        painter.drawImage(8 + (i % 5) * 28, y + (i / 5) * 28, pictures.phraseButtons().at(i));
    }
    y += 62;
    x = 8;
    for (Picture which : {Picture::RoundWinner1, Picture::RoundWinner2, Picture::GameWinner1,
                          Picture::GameWinner2, Picture::Banner}) {
        painter.drawImage(x, y, pictures.picture(which));
        x += pictures.picture(which).width() + 12;
    }
    painter.end();
    if (scale == 1) return page;
    return page.scaled(page.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 2) return writeAll(args[1]);
        if (args.size() == 3 && args[1] == QStringLiteral("--icon")) return writeIcons(args[2]);
        if (args.size() == 4 && args[1] == QStringLiteral("--sheet")) {
            const Pictures pictures = Pictures::load(args[2]);
            const QString out = args[3];
            sheet(pictures, 1).save(out);
            QString big = out;
            big.replace(QStringLiteral(".png"), QStringLiteral("_2x.png"));
            sheet(pictures, 2).copy(0, 0, 1100, 1000).save(big);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << "make_pictures: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "usage: make_pictures <folder> | make_pictures --sheet <folder> <out.png> | "
                 "make_pictures --icon <folder>\n";
    return 2;
}
