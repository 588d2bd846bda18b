#pragma once
// A player's own puzzle picture from a BMP or JPEG file.
//
// The picture is cut to the square in its middle (the board and the preview
// are square, so a photo keeps its proportions) and scaled down while it is
// read, to at most `maxSide` pixels a side: a camera's 6000 x 4000 JPEG is
// decoded at a fraction of its size and never held whole in memory. A picture
// smaller than that keeps its size. The file's orientation mark (a phone held
// upright) is followed.
//
// Failures: File not found (53) when there is no such file; Invalid picture
// (481) when the file is no picture the reader knows, is cut short, or is
// larger than kMaxPicturePixels before any pixel is decoded.

#include <QImage>
#include <QString>

namespace pictures {

// Enough for the board on a screen 2160 pixels high (0.7 x 2160 = 1512).
constexpr int kPuzzlePictureMaxSide = 1600;
// Larger pictures are refused before they are decoded (a 200-megapixel photo).
constexpr qint64 kMaxPicturePixels = 250'000'000;

QImage loadPuzzlePicture(const QString& path, int maxSide = kPuzzlePictureMaxSide);

// The square in the middle of a picture of this size.
QRect centredSquare(QSize size);

}  // namespace pictures
