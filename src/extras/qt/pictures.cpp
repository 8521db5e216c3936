#include "extras/qt/pictures.h"

#include "extras/qt/jpeg_loader.h"

#include <QFile>

#include <cstdio>
#include <map>

namespace quintrel {
namespace {

constexpr int kBigCards = 55;
constexpr int kBookFaces = 13;
constexpr int kBlanks = 5;
constexpr int kPhrases = 10;

std::string numbered(const char* stem, int index) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%02d", stem, index);
    return text;
}

struct Single {
    Picture which;
    const char* name;
    int width;
    int height;
    const char* mask;
};

// Sizes the table's layout fixes are kept exactly; the small ones fit a 16-pixel seat row.
constexpr Single kSingles[] = {
    {Picture::Foot, "foot", 15, 20, "mask_foot"},
    {Picture::Eyes, "eyes", 26, 14, "mask_eyes"},
    {Picture::GreenArrow, "greenarrow", 30, 22, "mask_arrow"},
    {Picture::BlueArrow, "bluearrow", 30, 22, "mask_arrow"},
    {Picture::GreenBar, "greenbar", 400, 6, ""},
    {Picture::BlueBar, "bluebar", 400, 6, ""},
    {Picture::TurnMarker, "turn", 16, 16, "mask_turn"},
    {Picture::RoundWinner1, "rwinner1", 105, 109, "mask_rwinner1"},
    {Picture::RoundWinner2, "rwinner2", 104, 108, "mask_rwinner2"},
    {Picture::GameWinner1, "winner1", 166, 116, "mask_winner1"},
    {Picture::GameWinner2, "winner2", 165, 118, "mask_winner2"},
    {Picture::StartButton, "start", 100, 32, "mask_start"},
    {Picture::Background, "felt", 128, 128, ""},
    {Picture::BookSquare, "booksquare", 71, 96, ""},
    {Picture::Banner, "banner", 200, 120, ""},
};
static_assert(std::size(kSingles) == kPictureCount);

std::vector<PictureFile> buildCatalogue() {
    std::vector<PictureFile> files;
    auto addMask = [&](const char* name, int width, int height) {
        files.push_back({name, width, height, "", true});
    };
    addMask("mask_card", 71, 96);
    addMask("mask_book48", 36, 48);
    addMask("mask_book49", 36, 49);
    addMask("mask_phrase", 24, 24);
    std::map<std::string, bool> seen;
    for (const Single& single : kSingles) {
        if (*single.mask && !seen[single.mask]) {
            seen[single.mask] = true;
            addMask(single.mask, single.width, single.height);
        }
    }
    for (PictureFile& mask : files) mask.doubled = mask.name != "mask_phrase";
    // Everything the table draws and a zoom enlarges is doubled: the chat's phrase buttons do
    // not grow, and the felt, the bars and the square's frame are textures.
    for (int i = 0; i < kBigCards; ++i)
        files.push_back({numbered("bigcard", i), 71, 96, "mask_card", false, true});
    for (int i = 0; i < kBookFaces; ++i)
        files.push_back({numbered("ntop", i), 36, 48, "mask_book48", false, true});
    for (int i = 0; i < kBookFaces; ++i)
        files.push_back({numbered("wtop", i), 36, 49, "mask_book49", false, true});
    for (int i = 0; i < kBlanks; ++i)
        files.push_back({numbered("blank", i), 36, 48, "mask_book48", false, true});
    for (int i = 0; i < kPhrases; ++i) files.push_back({numbered("phrase", i), 24, 24, "mask_phrase"});
    for (const Single& single : kSingles) {
        files.push_back({single.name, single.width, single.height, single.mask, false, *single.mask != '\0'});
    }
    return files;
}

// JPEG leaves a faint ripple in flat areas; a mask must be exactly clear or exactly solid
// there, or a card would leave a ghostly rectangle on the table.
QImage cleanMask(const QImage& decoded) {
    QImage mask = decoded.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < mask.height(); ++y) {
        uchar* row = mask.scanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (row[x] < 12) row[x] = 0;
            if (row[x] > 243) row[x] = 255;
        }
    }
    return mask;
}

QImage readPicture(const QString& directory, const PictureFile& file, PictureDetail detail) {
    const QString path = directory + '/' + QString::fromStdString(pictureFileName(file, detail));
    const int scale = detail == PictureDetail::Double ? 2 : 1;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        throw PictureError("cannot open picture " + path.toStdString());
    }
    QImage image;
    try {
        image = decodeJpeg(source.readAll());
    } catch (const JpegError& error) {
        throw PictureError(path.toStdString() + ": " + error.what());
    }
    if (image.width() != file.width * scale || image.height() != file.height * scale) {
        throw PictureError(path.toStdString() + ": size " + std::to_string(image.width()) + "x" +
                           std::to_string(image.height()) + ", expected " +
                           std::to_string(file.width * scale) + "x" + std::to_string(file.height * scale));
    }
    return image;
}

const PictureFile& catalogueFile(const std::string& name) {
    for (const PictureFile& file : pictureCatalogue()) {
        if (file.name == name) return file;
    }
    throw PictureError("picture " + name + " is not in the catalogue");
}

}  // namespace

// The decoded pictures of one folder, each decoded once, on first use; masks are kept too.
class PictureSource {
public:
    explicit PictureSource(QString directory) : directory_(std::move(directory)) {}

    // Throws PictureError.
    const QImage& get(const PictureFile& file, PictureDetail detail) {
        const std::string key = pictureFileName(file, detail);
        if (const auto found = decoded_.find(key); found != decoded_.end()) return found->second;
        QImage image = readPicture(directory_, file, detail);
        if (file.isMask) {
            image = cleanMask(image);
        } else {
            if (!file.mask.empty()) image.setAlphaChannel(get(catalogueFile(file.mask), detail));
            // Only now: setAlphaChannel paints the mask in the image's logical size.
            image.setDevicePixelRatio(detail == PictureDetail::Double ? 2 : 1);
        }
        return decoded_.emplace(key, std::move(image)).first->second;
    }

    const QImage& getOrNothing(const PictureFile& file, PictureDetail detail) {
        if (!file.doubled) detail = PictureDetail::Normal;
        try {
            return get(file, detail);
        } catch (const PictureError& error) {
            qWarning("%s", error.what());
            // A broken doubled picture still has its normal one to show.
            const QImage fallback =
                detail == PictureDetail::Double ? getOrNothing(file, PictureDetail::Normal) : QImage();
            return decoded_.emplace(pictureFileName(file, detail), fallback).first->second;
        }
    }

private:
    QString directory_;
    std::map<std::string, QImage> decoded_;
};

std::string pictureFileName(const PictureFile& file, PictureDetail detail) {
    return file.name + (detail == PictureDetail::Double ? "@2x.jpg" : ".jpg");
}

const std::vector<PictureFile>& pictureCatalogue() {
    static const std::vector<PictureFile> catalogue = buildCatalogue();
    return catalogue;
}

std::string pictureName(Picture which) {
    for (const Single& single : kSingles) {
        if (single.which == which) return single.name;
    }
    return {};
}

const QImage& PictureList::at(int index, PictureDetail detail) const {
    static const QImage none;
    if (index < 0 || index >= count()) return none;
    return source_->getOrNothing(*files_[static_cast<size_t>(index)], detail);
}

const QImage& Pictures::picture(Picture which, PictureDetail detail) const {
    static const QImage none;
    const int index = static_cast<int>(which);
    if (index < 0 || index >= kPictureCount) return none;
    return source_->getOrNothing(*singles_[static_cast<size_t>(index)], detail);
}

Pictures::Pictures(const QString& directory) : source_(std::make_shared<PictureSource>(directory)) {
    auto fill = [&](PictureList& list, const char* stem, int count) {
        list.source_ = source_.get();
        for (int i = 0; i < count; ++i) list.files_.push_back(&catalogueFile(numbered(stem, i)));
        list.size_ = QSize(list.files_.front()->width, list.files_.front()->height);
    };
    fill(bigcards_, "bigcard", kBigCards);
    fill(ntop_, "ntop", kBookFaces);
    fill(wtop_, "wtop", kBookFaces);
    fill(blank_, "blank", kBlanks);
    fill(phrases_, "phrase", kPhrases);
    for (const Single& single : kSingles)
        singles_[static_cast<size_t>(single.which)] = &catalogueFile(single.name);
}

Pictures Pictures::load(const QString& directory) {
    Pictures pictures(directory);
    for (const PictureFile& file : pictureCatalogue()) {
        pictures.source_->get(file, PictureDetail::Normal);
        if (file.doubled) pictures.source_->get(file, PictureDetail::Double);
    }
    return pictures;
}

}  // namespace quintrel
