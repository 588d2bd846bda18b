#pragma once
// A player's own puzzle picture from a BMP, JPEG, PNG or WebP file.
//
// The board and the preview are square. A picture that is not is cut to a
// square of its own (the one in its middle unless the player chose another,
// see picture_square.h), or stretched whole into the square when the player
// prefers that. It is scaled down while it is read, to at most `maxSide`
// pixels a side: a camera's 6000 x 4000 JPEG is decoded at a fraction of its
// size and never held whole in memory. A picture smaller than that keeps its
// size. The file's orientation mark (a phone held upright) is followed; the
// square is given in the pixels of the picture as it stands upright.
//
// Failures: File not found (53) when there is no such file; Invalid picture
// (481) when the file is no picture the reader knows, is cut short, is
// larger than kMaxPicturePixels or would take more than kMaxDecodeBytes to
// decode, told before any pixel is decoded.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

class QIODevice;

namespace pictures {

// Enough for the board on a screen 2160 pixels high (0.7 x 2160 = 1512).
constexpr int kPuzzlePictureMaxSide = 1600;
// Larger pictures are refused before they are decoded (a 200-megapixel photo).
constexpr qint64 kMaxPicturePixels = 250'000'000;
// The most memory one decode may take, told from the header before any pixel
// is decoded: a progressive JPEG keeps its whole picture's coefficients (a
// small file of 15,800 x 15,800 pixels would take well over a gigabyte).
constexpr qint64 kMaxDecodeBytes = 256ll << 20;

// Lets every picture reader of the process allocate up to kMaxDecodeBytes
// (Qt's own default is 128 MB): called before any decoding, the picture
// readings' and a pasted or dropped picture's alike.
void allowLargePictures();

// Which square of a picture the board shows.
struct Square {
    enum class Kind {
        Middle,   // the largest square in the middle
        Region,   // `region`, a square of the upright picture in its pixels
        Stretch,  // the whole picture squeezed into the square (`region`
                  // kept for when the player turns back to a square)
    };
    Kind kind = Kind::Middle;
    QRect region;
    bool operator==(const Square&) const = default;
};

QImage loadPuzzlePicture(const QString& path, int maxSide = kPuzzlePictureMaxSide);
QImage loadPuzzlePicture(const QString& path, const Square& square,
                         int maxSide = kPuzzlePictureMaxSide);

// The whole picture, upright, scaled down to fit `maxSide` with its
// proportions kept; `upright` gets the size of the whole upright picture in
// its own pixels (the coordinates of a Region). Fails as loadPuzzlePicture.
QImage loadWholePicture(const QString& path, int maxSide, QSize* upright = nullptr);

// The square in the middle of a picture of this size.
QRect centredSquare(QSize size);
// The square of a picture whose upright size is `upright`: the region when it
// is a square lying inside the picture, else the middle one. (The board shows
// the whole picture when stretched.)
QRect squareOf(const Square& square, QSize upright);

// What reading a picture found.
enum class Reading { Whole, NotAPicture, CutShort, TooLarge };
// Reads the picture on `device` as the game would (the middle square, at
// most `maxSide` a side) and tells what it found; `format` gets the reader's
// name of its type ("jpeg", "png", "bmp", "webp", ...).
Reading checkPicture(QIODevice& device, QByteArray* format, int maxSide = 64);

// The types of file the game plays, as the reader names them, and the file
// name endings that go with them (lower case, without the dot): "bmp", "jpg",
// "jpeg", "png" and "webp", each only when Qt's reader for it is installed.
QStringList playedFormats();
QStringList playedSuffixes();

}  // namespace pictures
