#include "extras/qt/jpeg_loader.h"
#include "extras/qt/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace quintrel {
namespace {

QByteArray resourceFile(const std::string& fileName) {
    Pictures::shipped();  // registers the resource
    QFile file(QStringLiteral(":/pictures/") + QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray resourceBytes(const std::string& name) { return resourceFile(name + ".jpg"); }

QByteArray encodeWithQt(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

bool isStrongRed(QRgb pixel) { return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

int redPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += isStrongRed(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

int darkPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
    }
    return count;
}

TEST(ShippedPictures, EveryFileDecodesAtItsCatalogueSize) {
    ASSERT_GT(pictureCatalogue().size(), 100u);
    for (const PictureFile& file : pictureCatalogue()) {
        const QByteArray bytes = resourceBytes(file.name);
        ASSERT_FALSE(bytes.isEmpty()) << file.name << " is not built into the program";
        const QImage image = decodeJpeg(bytes);
        EXPECT_EQ(image.size(), QSize(file.width, file.height)) << file.name;
        EXPECT_EQ(image.format(), file.isMask ? QImage::Format_Grayscale8 : QImage::Format_RGB32)
            << file.name;
        if (!file.doubled) continue;
        const QByteArray doubled = resourceFile(pictureFileName(file, PictureDetail::Double));
        ASSERT_FALSE(doubled.isEmpty()) << file.name << "@2x is not built into the program";
        EXPECT_EQ(decodeJpeg(doubled).size(), QSize(file.width, file.height) * 2) << file.name;
    }
}

TEST(ShippedPictures, ListsHoldTheTableCountsAndSizes) {
    const Pictures& pictures = Pictures::shipped();
    struct Expected {
        const PictureList& list;
        int count;
        QSize size;
    };
    const Expected lists[] = {{pictures.imagelist_bigcards(), 55, {71, 96}},
                              {pictures.imagelist_ntop(), 13, {36, 48}},
                              {pictures.imagelist_wtop(), 13, {36, 49}},
                              {pictures.imagelist_blank(), 5, {36, 48}},
                              {pictures.phraseButtons(), 10, {24, 24}}};
    for (const Expected& expected : lists) {
        ASSERT_EQ(expected.list.count(), expected.count);
        EXPECT_EQ(expected.list.size(), expected.size);
        for (int i = 0; i < expected.count; ++i) {
            EXPECT_EQ(expected.list.at(i).size(), expected.size) << i;
            // The doubled source paints at the same size, with more pixels where it has them.
            const QImage& sharp = expected.list.at(i, PictureDetail::Double);
            EXPECT_EQ(sharp.deviceIndependentSize().toSize(), expected.size) << i;
            EXPECT_EQ(sharp.size(), expected.size * (&expected.list == &pictures.phraseButtons() ? 1 : 2))
                << i;
        }
        EXPECT_TRUE(expected.list.at(-1).isNull());
        EXPECT_TRUE(expected.list.at(expected.count).isNull());
    }
    EXPECT_EQ(pictures.picture(Picture::RoundWinner1).size(), QSize(105, 109));
    EXPECT_EQ(pictures.picture(Picture::RoundWinner2).size(), QSize(104, 108));
    EXPECT_EQ(pictures.picture(Picture::GameWinner1).size(), QSize(166, 116));
    EXPECT_EQ(pictures.picture(Picture::GameWinner2).size(), QSize(165, 118));
    EXPECT_EQ(pictures.picture(Picture::StartButton).size(), QSize(100, 32));
    for (int i = 0; i < kPictureCount; ++i) {
        const Picture which = static_cast<Picture>(i);
        EXPECT_FALSE(pictures.picture(which).isNull()) << pictureName(which);
    }
    EXPECT_TRUE(pictures.picture(static_cast<Picture>(kPictureCount)).isNull());
}

TEST(ShippedPictures, CardsHaveTransparentCornersAndOpaqueFaces) {
    const Pictures& pictures = Pictures::shipped();
    for (const int scale : {1, 2}) {
        const PictureDetail detail = scale == 1 ? PictureDetail::Normal : PictureDetail::Double;
        for (int code = 0; code < 55; ++code) {
            const QImage& card = pictures.imagelist_bigcards().at(code, detail);
            ASSERT_TRUE(card.hasAlphaChannel()) << code;
            EXPECT_EQ(qAlpha(card.pixel(0, 0)), 0) << code;
            EXPECT_EQ(qAlpha(card.pixel(71 * scale - 1, 96 * scale - 1)), 0) << code << " at " << scale;
            EXPECT_EQ(qAlpha(card.pixel(35 * scale, 48 * scale)), 255) << code;
            EXPECT_EQ(qAlpha(card.pixel(10 * scale, scale)), 255) << code;  // the top edge itself is card
        }
    }
    EXPECT_FALSE(pictures.picture(Picture::Background).hasAlphaChannel());
}

// Index of the card code: the colour of the corner index (the part seen in a fanned hand)
// must follow the suit, and every card must be a picture of its own.
TEST(ShippedPictures, CornerIndexColourFollowsTheSuit) {
    const Pictures& pictures = Pictures::shipped();
    const QRect index(2, 4, 18, 30);
    for (int code = 1; code <= 54; ++code) {
        const bool red = code == 54 || (code >= 15 && code <= 27) || (code >= 41 && code <= 53);
        const QImage& card = pictures.imagelist_bigcards().at(code);
        if (red) {
            EXPECT_GT(redPixels(card, index), 20) << code;
        } else {
            EXPECT_EQ(redPixels(card, index), 0) << code;
            EXPECT_GT(darkPixels(card, index), 20) << code;
        }
    }
    std::set<QByteArray> distinct;
    for (int code = 0; code < 55; ++code) {
        const QImage& card = pictures.imagelist_bigcards().at(code);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(card.constBits()), card.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), 55u);
}

TEST(ShippedPictures, WildFacesAreMarkedAndNormalFacesAreNot) {
    const Pictures& pictures = Pictures::shipped();
    for (int i = 0; i < 13; ++i) {
        const QImage& normal = pictures.imagelist_ntop().at(i);
        const QImage& wild = pictures.imagelist_wtop().at(i);
        EXPECT_EQ(redPixels(normal, normal.rect()), 0) << i;
        EXPECT_GT(darkPixels(normal, QRect(3, 6, 30, 26)), 30) << i;
        EXPECT_GT(redPixels(wild, QRect(2, 31, 32, 12)), 200) << i;  // the band under the rank
    }
}

TEST(JpegLoader, DecodesColourWithChannelsInOrder) {
    QImage source(32, 16, QImage::Format_RGB32);
    source.fill(QColor(220, 30, 30));
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) source.setPixel(x, y, qRgb(20, 40, 210));
    }
    const QImage image = decodeJpeg(encodeWithQt(source));
    ASSERT_EQ(image.size(), QSize(32, 16));
    const QRgb left = image.pixel(4, 8);
    const QRgb right = image.pixel(27, 8);
    EXPECT_NEAR(qRed(left), 220, 12);
    EXPECT_NEAR(qBlue(left), 30, 12);
    EXPECT_NEAR(qRed(right), 20, 12);
    EXPECT_NEAR(qBlue(right), 210, 12);
}

TEST(JpegLoader, DecodesGreyscaleAsGreyscale) {
    QImage source(24, 24, QImage::Format_Grayscale8);
    source.fill(200);
    const QImage image = decodeJpeg(encodeWithQt(source));
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    EXPECT_NEAR(qGray(image.pixel(12, 12)), 200, 4);
}

TEST(JpegLoader, BrokenPicturesAreErrorsNotCrashes) {
    const QByteArray good = resourceBytes("bigcard27");
    ASSERT_NO_THROW(decodeJpeg(good));
    EXPECT_THROW(decodeJpeg(QByteArray()), JpegError);
    EXPECT_THROW(decodeJpeg(QByteArray("this is not a picture at all")), JpegError);
    EXPECT_THROW(decodeJpeg(good.left(good.size() / 2)), JpegError);  // cut in the picture data
    EXPECT_THROW(decodeJpeg(good.left(good.size() - 2)), JpegError);  // only the end marker lost
    EXPECT_THROW(decodeJpeg(good.left(300)), JpegError);              // cut in the headers
    QByteArray garbled = good;
    for (qsizetype i = garbled.size() / 2; i < garbled.size() - 2; ++i) garbled[i] = '\xff';
    EXPECT_THROW(decodeJpeg(garbled), JpegError);
}

TEST(JpegLoader, HugeDimensionsAreRefusedBeforeAllocating) {
    QByteArray bytes = resourceBytes("felt");
    // the baseline frame header: FF C0, length, precision, height, width
    const qsizetype frame = bytes.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(frame, 0);
    bytes[frame + 5] = '\xea';  // height 60000
    bytes[frame + 6] = '\x60';
    bytes[frame + 7] = '\xea';  // width 60000
    bytes[frame + 8] = '\x60';
    try {
        decodeJpeg(bytes);
        FAIL() << "a 60000 x 60000 picture was accepted";
    } catch (const JpegError& error) {
        EXPECT_NE(std::string(error.what()).find("out of range"), std::string::npos) << error.what();
    }
}

TEST(JpegLoader, RandomDamageNeverCrashes) {
    const QByteArray good = resourceBytes("bigcard41");
    std::mt19937 random(7);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = good;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            damaged[static_cast<qsizetype>(random() % static_cast<unsigned>(damaged.size()))] =
                static_cast<char>(random() & 0xff);
        }
        try {
            const QImage image = decodeJpeg(damaged);
            EXPECT_LE(image.width(), kMaxJpegSide);
            EXPECT_LE(image.height(), kMaxJpegSide);
        } catch (const JpegError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(PictureFolder, BadFileIsNamedInTheError) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const PictureFile& file : pictureCatalogue()) {
        for (const PictureDetail detail : {PictureDetail::Normal, PictureDetail::Double}) {
            if (detail == PictureDetail::Double && !file.doubled) continue;
            const std::string name = pictureFileName(file, detail);
            QFile out(folder.filePath(QString::fromStdString(name)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(resourceFile(name));
        }
    }
    EXPECT_EQ(Pictures::load(folder.path()).imagelist_bigcards().count(), 55);

    auto replace = [&](const char* name, const QByteArray& bytes) {
        QFile out(folder.filePath(QString::fromLatin1(name) + QStringLiteral(".jpg")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    };
    auto loadError = [&]() -> std::string {
        try {
            Pictures::load(folder.path());
        } catch (const PictureError& error) {
            return error.what();
        }
        return "no error";
    };

    const QByteArray wtop = resourceBytes("wtop05");
    replace("wtop05", wtop.left(wtop.size() / 2));
    EXPECT_NE(loadError().find("wtop05"), std::string::npos);

    replace("wtop05", resourceBytes("ntop05"));  // 36 x 48 where 36 x 49 belongs
    const std::string wrongSize = loadError();
    EXPECT_NE(wrongSize.find("wtop05"), std::string::npos) << wrongSize;
    EXPECT_NE(wrongSize.find("expected 36x49"), std::string::npos) << wrongSize;

    replace("wtop05", wtop);
    QFile::remove(folder.filePath(QStringLiteral("mask_card.jpg")));
    EXPECT_NE(loadError().find("mask_card"), std::string::npos);
}

}  // namespace
}  // namespace quintrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
