#pragma once
// Reducing a picture to a palette of its own (median cut, refined by k-means)
// with Floyd-Steinberg dithering, and writing it as a palettised BMP file.

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace pictures {

struct Indexed {
    int w = 0, h = 0;
    std::vector<QRgb> palette;
    std::vector<uint8_t> index;   // row by row from the top
};

// colours: 16 or 256. dither: share of the error passed on (0 none, 1 full).
Indexed quantize(const QImage& img, int colours, double dither = 1.0);

// A BMP file: 4 bits a pixel when the palette has at most 16 entries, else 8.
QByteArray toBmp(const Indexed& pic);

QImage toImage(const Indexed& pic);

}  // namespace pictures
