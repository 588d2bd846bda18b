#pragma once
// Small drawing kit for the wallpaper tiles: seamless drawing (every shape is
// drawn once for each neighbouring copy of the tile), noise that repeats with
// the tile, colour mixing, and a quantiser for the 4- and 8-bit bitmaps.
// Everything here is deterministic: no clocks, no system random numbers.

#include <QColor>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace artwork {

inline QColor hex(const char* s) { return QColor(QString::fromLatin1(s)); }

inline QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

inline QColor alpha(QColor c, double a)
{
    c.setAlphaF(float(a));
    return c;
}

inline QColor shade(const QColor& c, double f)  // f < 1 darker, > 1 lighter
{
    return f < 1 ? mix(QColor(Qt::black), c, f) : mix(c, QColor(Qt::white), f - 1);
}

// A fresh antialiasing painter-ready canvas.
inline QImage canvas(int w, int h, const QColor& bg)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(bg);
    return img;
}

// Draws `draw` nine times, shifted by the tile size in every direction, so that
// what reaches over one edge comes in again at the opposite edge.
inline void wrapped(QPainter& p, double w, double h, const std::function<void(QPainter&)>& draw)
{
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            p.save();
            p.translate(i * w, j * h);
            draw(p);
            p.restore();
        }
}

// Integer hash to [0, 1).
inline double hash01(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0x1000000);
}

// Smooth value noise on a torus: the lattice has nx by ny cells over the
// period (pw, ph), so the noise repeats exactly with the tile. Result in [-1, 1].
inline double periodicNoise(double x, double y, double pw, double ph, int nx, int ny, int seed)
{
    const double u = x / pw * nx, v = y / ph * ny;
    const int x0 = int(std::floor(u)), y0 = int(std::floor(v));
    const double fx = u - x0, fy = v - y0;
    auto wrap = [](int a, int n) { return ((a % n) + n) % n; };
    auto at = [&](int i, int j) { return hash01(wrap(i, nx), wrap(j, ny), seed) * 2 - 1; };
    auto s = [](double t) { return t * t * (3 - 2 * t); };
    const double a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
    const double sx = s(fx), sy = s(fy);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Several octaves of periodic noise, each twice as fine as the last.
inline double periodicFbm(double x, double y, double pw, double ph, int nx, int ny, int seed, int octaves)
{
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * periodicNoise(x, y, pw, ph, nx << o, ny << o, seed + 101 * o);
        norm += amp;
        amp *= 0.5;
    }
    return sum / norm;
}

// Adds a faint paper or cloth grain that repeats with the tile.
inline void addGrain(QImage& img, double strength, int seed, int cellsX, int cellsY)
{
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double n = periodicFbm(x + 0.5, y + 0.5, w, h, cellsX, cellsY, seed, 3);
            const double d = n * strength;
            auto ch = [&](int c) { return std::clamp(int(std::lround(c + d)), 0, 255); };
            const QRgb px = line[x];
            line[x] = qRgba(ch(qRed(px)), ch(qGreen(px)), ch(qBlue(px)), qAlpha(px));
        }
    }
}

// Reduces a picture to at most `colours` colours: median cut for a start, a few
// rounds of k-means to settle the palette, then every pixel to its nearest
// palette colour (no dithering, so a seamless tile stays seamless).
QImage quantize(const QImage& source, int colours);

}  // namespace artwork
