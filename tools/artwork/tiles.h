#pragma once
// The wallpaper tiles: number, size, bit depth of the stored bitmap and how
// each is drawn.

#include <QImage>

#include <functional>
#include <vector>

namespace artwork {

struct TileSpec {
    int number;
    int width, height;
    int bits;  // 4, 8 or 24 in the stored bitmap
    const char* name;
    std::function<QImage()> draw;
};

const std::vector<TileSpec>& tileSpecs();

// The drawn tile as it is stored: 16 or 256 colours, or true colour.
QImage encodeTile(const QImage& drawn, int bits);

}  // namespace artwork
