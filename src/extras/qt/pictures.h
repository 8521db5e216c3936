#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quintrel {

// A shipped picture is missing, broken or not the size the table expects.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const std::string& what) : std::runtime_error(what) {}
};

// Single pictures of the table, by role. Their sizes are in pictureCatalogue().
enum class Picture {
    Foot,        // small card shown beside a seat that still has its foot
    Eyes,        // the seat is only watching
    GreenArrow,  // own turn, Green team
    BlueArrow,   // own turn, Blue team
    GreenBar,    // thin team bar across the top of the score panel (stretch it to the width)
    BlueBar,
    TurnMarker,    // moved to the row of the seat whose turn it is
    RoundWinner1,  // Green team won the round
    RoundWinner2,  // Blue team won the round
    GameWinner1,   // Green team won the game
    GameWinner2,   // Blue team won the game
    StartButton,
    Background,  // seamless tile for every window's background
    BookSquare,  // cross-hatched frame under an empty create-book square
    Banner,      // the game's picture for the download and about windows
};
inline constexpr int kPictureCount = static_cast<int>(Picture::Banner) + 1;

// One shipped file: "<name>.jpg", width x height. A picture with a mask gets its alpha
// channel from the greyscale picture "<mask>.jpg" (white = opaque); masks are listed too.
// A doubled picture ships a second file, "<name>@2x.jpg", twice as wide and high, for a
// zoomed table and dense screens.
struct PictureFile {
    std::string name;
    int width = 0;
    int height = 0;
    std::string mask;
    bool isMask = false;
    bool doubled = false;
};

// Which source a picture is drawn from: the shipped size, or the doubled one (its device
// pixel ratio is 2, so it paints at the same logical size, with four times the pixels).
enum class PictureDetail { Normal, Double };

// "<name>.jpg" or "<name>@2x.jpg".
std::string pictureFileName(const PictureFile& file, PictureDetail detail);

// Every file the table ships, in load order. The generator writes exactly these.
const std::vector<PictureFile>& pictureCatalogue();

// File name (without ".jpg") of a single picture.
std::string pictureName(Picture which);

class PictureSource;

// Pictures of one size addressed by index, as the table's picture lists are.
class PictureList {
public:
    int count() const { return static_cast<int>(files_.size()); }
    QSize size() const { return size_; }
    // An index out of range gives a null image, which draws nothing. Decoded on first use.
    // A picture without a doubled source gives its normal one.
    const QImage& at(int index, PictureDetail detail = PictureDetail::Normal) const;

private:
    friend class Pictures;
    PictureSource* source_ = nullptr;
    std::vector<const PictureFile*> files_;
    QSize size_;
};

// Every picture is decoded when it is first asked for, so that a window pays only for what
// it shows.
class Pictures {
public:
    // Reads every file of pictureCatalogue() from a folder, or from ":/pictures" for the
    // pictures built into the program, doubled ones included. Throws PictureError naming the
    // first bad file.
    static Pictures load(const QString& directory);

    // The built-in pictures. Each is decoded when first drawn; one that is broken (the tests
    // decode them all) is reported once and draws nothing.
    static const Pictures& shipped();

    // 55 cards, 71 x 96, index = card code (0 = back).
    const PictureList& imagelist_bigcards() const { return bigcards_; }
    // 13 book faces, 36 x 48, index = code mod 13: a Normal book.
    const PictureList& imagelist_ntop() const { return ntop_; }
    // 13 book faces, 36 x 49, index = code mod 13: a Wild book.
    const PictureList& imagelist_wtop() const { return wtop_; }
    // 5 under-card edges, 36 x 48, used in order beneath a working book's face.
    const PictureList& imagelist_blank() const { return blank_; }
    // 10 small pictures, 24 x 24, of the phrase buttons: index 0 for b_phrase1.
    const PictureList& phraseButtons() const { return phrases_; }

    const QImage& picture(Picture which, PictureDetail detail = PictureDetail::Normal) const;

private:
    explicit Pictures(const QString& directory);

    std::shared_ptr<PictureSource> source_;
    PictureList bigcards_;
    PictureList ntop_;
    PictureList wtop_;
    PictureList blank_;
    PictureList phrases_;
    std::array<const PictureFile*, kPictureCount> singles_{};
};

}  // namespace quintrel
