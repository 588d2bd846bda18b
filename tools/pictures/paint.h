#pragma once
// Drawing kit of the puzzle picture generator: a seeded random source, value
// noise, a canvas drawn at twice the final size, and the small painted
// elements (clouds, trees, ridges, water) the scenes share.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace pictures {

constexpr double Pi = 3.14159265358979323846;

// splitmix64: the same numbers on every machine and every library.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
    uint64_t next();
    double uniform();                           // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(uniform() * n) % n; }
    bool chance(double p) { return uniform() < p; }
    double gauss();                             // mean 0, deviation 1
    template <class T> const T& pick(const std::vector<T>& v) { return v[below(int(v.size()))]; }

private:
    uint64_t state_;
};

// Hash of lattice points, [0, 1).
double hash2(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1] and fractal sums of it.
double noise(double x, double y, uint32_t seed);
double fbm(double x, double y, int octaves, uint32_t seed, double gain = 0.5);
// One-dimensional variant for ridges and shore lines.
double noise1(double x, uint32_t seed);
double fbm1(double x, int octaves, uint32_t seed);

QColor mix(const QColor& a, const QColor& b, double t);
QColor shade(const QColor& c, double f);        // f < 1 darker, > 1 lighter
QColor withAlpha(const QColor& c, int alpha);
QColor hsv(double h, double s, double v);       // h in degrees

inline double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline double smooth(double e0, double e1, double x)
{
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// A picture drawn at Scale times its final size; the painter works in final
// pixels.
struct Canvas {
    static constexpr int Scale = 2;
    Canvas(int w, int h);
    Canvas(const Canvas&) = delete;
    int w, h;
    QImage img;
    QPainter p;
    // Runs fn for every pixel with its position in final pixels.
    void perPixel(const std::function<void(double x, double y, QRgb& px)>& fn);
    void perPixel(const QRect& area, const std::function<void(double x, double y, QRgb& px)>& fn);
    QRgb sample(double x, double y) const;      // bilinear, final-pixel position
    QImage finish();                            // ends painting, scales down
};

// A soft storybook cloud: heaped round puffs lit from above.
void cloud(QPainter& p, Rng& rng, double cx, double cy, double w, double h,
           const QColor& light, const QColor& shadow, int alpha = 255);
// A pine: stacked jagged layers of needles.
void pine(QPainter& p, Rng& rng, double x, double baseY, double height,
          const QColor& dark, const QColor& light);
// A round crowned tree of many leaf clumps.
void leafyTree(QPainter& p, Rng& rng, double x, double baseY, double height,
               const std::vector<QColor>& leaves, const QColor& trunk);
// A ridge from x0 to x1 around baseY, fbm-shaped; filled down to bottom.
QPainterPath ridge(double x0, double x1, double baseY, double amplitude,
                   double wavelength, uint32_t seed, double bottom, int octaves = 5);
// Grain of a painted surface over a rectangle: value jitter of the given size.
void grain(Canvas& c, const QRect& area, double amount, double scale, uint32_t seed);
// Water below y0: the picture above mirrored, rippled, tinted.
void water(Canvas& c, double y0, double y1, const QColor& tint, double tintAmount,
           double ripple, uint32_t seed);
// A sky of colour stops (position 0 top .. 1 bottom) between y0 and y1, with
// faint streaks of high cloud.
void skyGradient(Canvas& c, double y0, double y1,
                 const std::vector<std::pair<double, QColor>>& stops, double cirrus,
                 uint32_t seed);
// Grass: a green field with blades stroked over it.
void meadow(Canvas& c, Rng& rng, const QRectF& area, const QColor& dark, const QColor& light,
            int blades);
// Scattered petals, stars or specks.
void dots(QPainter& p, Rng& rng, const QRectF& area, int count, double rMin, double rMax,
          const std::vector<QColor>& colors);

// The finish every picture shares: a warm grade, the grain of paper and a
// soft vignette, applied to the final-size picture.
void finishing(QImage& img, uint32_t seed, double vignette = 0.18, double paper = 1.0);

}  // namespace pictures
