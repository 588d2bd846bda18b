#pragma once
// The square the player chose of each picture of the "pics" folder, kept in
// the folder's file "squares.txt" (UTF-8, one line a picture):
//
//   IMG_0001.JPG=0,120,3000      x, y and side of the square, in pixels of
//                                the upright picture
//   Panorama.png=stretch         the whole picture, stretched
//   Beach.webp=stretch,0,0,900   stretched; the square kept for turning back
//
// A picture without a line is played as its middle square; choosing the
// middle square again takes its line away. The name is everything before the
// last "=", so names with "=" in them are kept too.

#include "services/picture_file.h"

#include <QString>

namespace pictures {

// The folder's file of squares.
QString squaresFile(const QString& folder);

// The square stored for the picture file (Middle when none is, or the
// line cannot be read).
Square storedSquare(const QString& picturePath);

// Stores the square for the picture file, written whole (files::replace);
// false when the file cannot be written or the folder is a symbolic link.
bool storeSquare(const QString& picturePath, const Square& square);

}  // namespace pictures
