#include "paint.h"

#include <algorithm>

namespace pictures {

uint64_t Rng::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::gauss()
{
    double s = 0;
    for (int i = 0; i < 6; ++i)
        s += uniform();
    return (s - 3.0) * std::sqrt(2.0);
}

double hash2(int x, int y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFFFF) / double(0x1000000);
}

namespace {
double fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}
}  // namespace

double noise(double x, double y, uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = fade(x - fx), ty = fade(y - fy);
    const double a = hash2(ix, iy, seed), b = hash2(ix + 1, iy, seed);
    const double c = hash2(ix, iy + 1, seed), d = hash2(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, int octaves, uint32_t seed, double gain)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= gain;
        // Rotate a little each octave so the lattice does not show.
        const double nx = x * 1.6 + y * 1.2 + 17.3, ny = -x * 1.2 + y * 1.6 + 3.1;
        x = nx;
        y = ny;
    }
    return sum / norm;
}

double noise1(double x, uint32_t seed)
{
    return noise(x, 0.5, seed);
}

double fbm1(double x, int octaves, uint32_t seed)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise(x, 0.37 * i, seed + uint32_t(i) * 7919u);
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
    }
    return sum / norm;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor shade(const QColor& c, double f)
{
    if (f <= 1)
        return mix(QColor(0, 0, 0, c.alpha()), c, f);
    return mix(c, QColor(255, 255, 255, c.alpha()), f - 1);
}

QColor withAlpha(const QColor& c, int alpha)
{
    QColor r = c;
    r.setAlpha(std::clamp(alpha, 0, 255));
    return r;
}

QColor hsv(double h, double s, double v)
{
    h = std::fmod(h, 360.0);
    if (h < 0)
        h += 360;
    return QColor::fromHsvF(float(h / 360.0), float(clamp01(s)), float(clamp01(v)));
}

Canvas::Canvas(int w_, int h_)
    : w(w_), h(h_), img(w_ * Scale, h_ * Scale, QImage::Format_ARGB32_Premultiplied)
{
    img.fill(Qt::black);
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(Scale, Scale);
}

void Canvas::perPixel(const std::function<void(double, double, QRgb&)>& fn)
{
    perPixel(QRect(0, 0, w, h), fn);
}

void Canvas::perPixel(const QRect& area, const std::function<void(double, double, QRgb&)>& fn)
{
    const QRect r = QRect(area.x() * Scale, area.y() * Scale, area.width() * Scale,
                          area.height() * Scale)
                        .intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            fn((x + 0.5) / Scale, (y + 0.5) / Scale, line[x]);
    }
}

QRgb Canvas::sample(double x, double y) const
{
    const double sx = std::clamp(x * Scale - 0.5, 0.0, img.width() - 1.001);
    const double sy = std::clamp(y * Scale - 0.5, 0.0, img.height() - 1.001);
    const int ix = int(sx), iy = int(sy);
    const double tx = sx - ix, ty = sy - iy;
    const QRgb a = img.pixel(ix, iy), b = img.pixel(ix + 1, iy);
    const QRgb c = img.pixel(ix, iy + 1), d = img.pixel(ix + 1, iy + 1);
    auto ch = [&](int (*get)(QRgb)) {
        const double top = get(a) + (get(b) - get(a)) * tx;
        const double bottom = get(c) + (get(d) - get(c)) * tx;
        return int(std::lround(top + (bottom - top) * ty));
    };
    return qRgb(ch(qRed), ch(qGreen), ch(qBlue));
}

QImage Canvas::finish()
{
    if (p.isActive())
        p.end();
    return img.convertToFormat(QImage::Format_RGB32)
        .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void cloud(QPainter& p, Rng& rng, double cx, double cy, double w, double h,
           const QColor& light, const QColor& shadow, int alpha)
{
    struct Puff { double x, y, r; };
    std::vector<Puff> puffs;
    const int n = 5 + int(w / 14);
    for (int i = 0; i < n; ++i) {
        const double t = (i + 0.5) / n;
        const double x = cx - w / 2 + t * w + rng.range(-4, 4);
        const double arch = std::sin(t * Pi);
        const double r = h * (0.28 + 0.42 * arch) * rng.range(0.8, 1.15);
        const double y = cy + h / 2 - r * 0.9 - arch * h * 0.25 + rng.range(-2, 2);
        puffs.push_back({x, y, r});
    }
    p.save();
    p.setPen(Qt::NoPen);
    // Shadowed underside.
    for (const Puff& f : puffs) {
        p.setBrush(withAlpha(shadow, alpha));
        p.drawEllipse(QPointF(f.x, f.y + f.r * 0.12), f.r, f.r * 0.92);
    }
    // Sunlit tops.
    for (const Puff& f : puffs) {
        QRadialGradient g(QPointF(f.x - f.r * 0.25, f.y - f.r * 0.45), f.r * 1.25);
        g.setColorAt(0, withAlpha(light, alpha));
        g.setColorAt(0.55, withAlpha(light, alpha));
        g.setColorAt(1, withAlpha(mix(light, shadow, 0.7), 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(f.x, f.y - f.r * 0.06), f.r * 0.93, f.r * 0.85);
    }
    // Each puff rounds away from the light on its lower right.
    for (const Puff& f : puffs) {
        const QPointF at(f.x + f.r * 0.3, f.y + f.r * 0.25);
        QRadialGradient g(at, f.r * 0.65);
        g.setColorAt(0, withAlpha(shadow, alpha / 3));
        g.setColorAt(1, withAlpha(shadow, 0));
        p.setBrush(g);
        p.drawEllipse(at, f.r * 0.65, f.r * 0.55);
    }
    // Soft shade where the puffs overlap low down.
    for (size_t i = 1; i < puffs.size(); ++i) {
        const Puff& a = puffs[i - 1];
        const Puff& b = puffs[i];
        const QPointF at((a.x + b.x) / 2, std::max(a.y, b.y) + std::min(a.r, b.r) * 0.35);
        const double r = std::min(a.r, b.r) * 0.6;
        QRadialGradient g(at, r);
        g.setColorAt(0, withAlpha(shadow, alpha * 2 / 3));
        g.setColorAt(1, withAlpha(shadow, 0));
        p.setBrush(g);
        p.drawEllipse(at, r, r * 0.7);
    }
    p.restore();
}

void pine(QPainter& p, Rng& rng, double x, double baseY, double height,
          const QColor& dark, const QColor& light)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(shade(dark, 0.55));
    p.drawRect(QRectF(x - height * 0.02, baseY - height * 0.14, height * 0.04, height * 0.15));
    const int layers = 4 + int(height / 30);
    for (int i = 0; i < layers; ++i) {
        const double t = double(i) / layers;
        const double bottom = baseY - height * (0.1 + 0.8 * t);
        const double top = bottom - height * (0.26 - 0.08 * t) - height * 0.05;
        const double apex = i == layers - 1 ? baseY - height : top;
        const double half = height * 0.23 * (1 - t * 0.8) * rng.range(0.88, 1.12);
        const double droop = height * 0.035;
        QPainterPath path;
        path.moveTo(x, apex);
        path.quadTo(x + half * 0.35, bottom - (bottom - apex) * 0.35, x + half, bottom + droop);
        // A ragged lower edge of hanging branch tips.
        const int teeth = 3 + int(half / 5);
        double px = x + half;
        for (int k = 1; k <= teeth; ++k) {
            const double nx = x + half - 2 * half * k / teeth;
            const double mid = (px + nx) / 2;
            const double sag = std::abs(mid - x) / half;
            path.quadTo(mid, bottom + droop * (0.2 + sag) - rng.range(0, droop),
                        nx, bottom + droop * (0.6 + std::abs(nx - x) / half * 0.6));
            px = nx;
        }
        path.quadTo(x - half * 0.35, bottom - (bottom - apex) * 0.35, x, apex);
        QLinearGradient g(x - half, 0, x + half, 0);
        g.setColorAt(0, mix(dark, light, 0.55));
        g.setColorAt(0.45, dark);
        g.setColorAt(1, shade(dark, 0.75));
        p.setBrush(g);
        p.drawPath(path);
        // Needle strokes catching the light.
        p.setPen(QPen(withAlpha(light, 150), std::max(0.4, height * 0.006)));
        const int strokes = 2 + int(half / 3);
        for (int k = 0; k < strokes; ++k) {
            const double u = rng.range(-0.9, 0.3);
            const double sx = x + u * half * 0.8;
            const double sy = bottom - rng.range(0.05, 0.5) * (bottom - apex) * (1 - std::abs(u) * 0.6);
            p.drawLine(QPointF(sx, sy), QPointF(sx + u * half * 0.25, sy + droop * 0.9));
        }
        p.setPen(Qt::NoPen);
    }
    p.restore();
}

void leafyTree(QPainter& p, Rng& rng, double x, double baseY, double height,
               const std::vector<QColor>& leaves, const QColor& trunk)
{
    p.save();
    p.setPen(Qt::NoPen);
    const double crownR = height * 0.36;
    const double crownY = baseY - height + crownR;
    QPainterPath stem;
    stem.moveTo(x - height * 0.045, baseY);
    stem.cubicTo(x - height * 0.02, baseY - height * 0.3, x - height * 0.03,
                 crownY + crownR * 0.3, x - height * 0.12, crownY - crownR * 0.2);
    stem.lineTo(x - height * 0.09, crownY - crownR * 0.25);
    stem.quadTo(x, crownY + crownR * 0.1, x + height * 0.1, crownY - crownR * 0.3);
    stem.lineTo(x + height * 0.12, crownY - crownR * 0.25);
    stem.cubicTo(x + height * 0.02, crownY + crownR * 0.4, x + height * 0.03,
                 baseY - height * 0.3, x + height * 0.045, baseY);
    stem.closeSubpath();
    QLinearGradient tg(x - height * 0.05, 0, x + height * 0.05, 0);
    tg.setColorAt(0, shade(trunk, 1.1));
    tg.setColorAt(1, shade(trunk, 0.6));
    p.setBrush(tg);
    p.drawPath(stem);
    // Two or three sub-crowns make the outline irregular.
    struct Blob { double x, y, r; };
    std::vector<Blob> blobs = {{x, crownY, crownR * 0.75}};
    const int subs = 2 + rng.below(2);
    for (int i = 0; i < subs; ++i) {
        const double a = -Pi / 2 + rng.range(-1.4, 1.4);
        blobs.push_back({x + std::cos(a) * crownR * 0.5, crownY + std::sin(a) * crownR * 0.35,
                         crownR * rng.range(0.45, 0.6)});
    }
    struct Clump { double x, y, r; };
    std::vector<Clump> clumps;
    const int n = 40 + int(height / 3);
    for (int i = 0; i < n; ++i) {
        const Blob& b = blobs[size_t(rng.below(int(blobs.size())))];
        const double a = rng.range(0, 2 * Pi), d = std::sqrt(rng.uniform()) * b.r;
        clumps.push_back({b.x + std::cos(a) * d, b.y + std::sin(a) * d * 0.85,
                          crownR * rng.range(0.13, 0.24)});
    }
    // Back clumps first: the shaded lower right ones.
    std::sort(clumps.begin(), clumps.end(), [&](const Clump& a, const Clump& b) {
        return (a.y - crownY) * 0.6 - (a.x - x) * 0.4 > (b.y - crownY) * 0.6 - (b.x - x) * 0.4;
    });
    for (size_t i = 0; i < clumps.size(); ++i) {
        const Clump& c = clumps[i];
        const double order = double(i) / clumps.size();
        const double lit = clamp01(order * 0.8 - (c.y - crownY) / (crownR * 4) + rng.range(-0.15, 0.15));
        const int idx = std::clamp(int(lit * leaves.size()), 0, int(leaves.size()) - 1);
        const QColor col = leaves[size_t(idx)];
        QRadialGradient g(QPointF(c.x - c.r * 0.35, c.y - c.r * 0.45), c.r * 1.4);
        g.setColorAt(0, shade(col, 1.15));
        g.setColorAt(0.6, col);
        g.setColorAt(1, shade(col, 0.72));
        p.setBrush(g);
        // A clump: a rounded mass, then single leaves over its rim and top.
        p.drawEllipse(QPointF(c.x, c.y), c.r, c.r * 0.85);
        p.drawEllipse(QPointF(c.x + c.r * 0.55, c.y + c.r * 0.2), c.r * 0.6, c.r * 0.5);
        p.drawEllipse(QPointF(c.x - c.r * 0.5, c.y + c.r * 0.25), c.r * 0.55, c.r * 0.48);
        const int leaves = 10;
        for (int k = 0; k < leaves; ++k) {
            const double a = rng.range(-Pi, 0.3), d = c.r * rng.range(0.5, 1.0);
            const QPointF at(c.x + std::cos(a) * d, c.y + std::sin(a) * d * 0.85);
            const double up = clamp01(0.5 - std::sin(a) * 0.5);
            p.setBrush(shade(col, 0.85 + up * 0.35 + rng.range(-0.08, 0.08)));
            p.save();
            p.translate(at);
            p.rotate(a * 180 / Pi + 90);
            p.drawEllipse(QPointF(0, 0), c.r * 0.2, c.r * 0.12);
            p.restore();
        }
    }
    // Single leaves flecked over the top.
    for (int i = 0; i < n; ++i) {
        const Blob& b = blobs[size_t(rng.below(int(blobs.size())))];
        const double a = rng.range(0, 2 * Pi), d = std::sqrt(rng.uniform()) * b.r * 1.05;
        const double lx = b.x + std::cos(a) * d, ly = b.y + std::sin(a) * d * 0.85;
        const double up = clamp01(0.6 - (ly - crownY) / crownR * 0.5 - (lx - x) / crownR * 0.3);
        p.setBrush(shade(leaves[size_t(std::min(int(leaves.size()) - 1, int(up * leaves.size())))], 1.1));
        p.drawEllipse(QPointF(lx, ly), crownR * 0.035, crownR * 0.025);
    }
    p.restore();
}

QPainterPath ridge(double x0, double x1, double baseY, double amplitude, double wavelength,
                   uint32_t seed, double bottom, int octaves)
{
    QPainterPath path;
    path.moveTo(x0, bottom);
    for (double x = x0; x <= x1 + 0.01; x += 1.0) {
        const double n = fbm1(x / wavelength, octaves, seed);
        path.lineTo(x, baseY - (n - 0.5) * 2 * amplitude);
    }
    path.lineTo(x1, bottom);
    path.closeSubpath();
    return path;
}

void grain(Canvas& c, const QRect& area, double amount, double scale, uint32_t seed)
{
    c.perPixel(area, [&](double x, double y, QRgb& px) {
        const double n = (fbm(x / scale, y / scale, 3, seed) - 0.5) * 2 * amount;
        const int a = qAlpha(px);
        px = qRgba(std::clamp(int(qRed(px) * (1 + n)), 0, a),
                   std::clamp(int(qGreen(px) * (1 + n)), 0, a),
                   std::clamp(int(qBlue(px) * (1 + n)), 0, a), a);
    });
}

void water(Canvas& c, double y0, double y1, const QColor& tint, double tintAmount,
           double ripple, uint32_t seed)
{
    const QImage before = c.img.copy();
    auto sampleBefore = [&](double x, double y) {
        const int sx = std::clamp(int(x * Canvas::Scale), 0, before.width() - 1);
        const int sy = std::clamp(int(y * Canvas::Scale), 0, before.height() - 1);
        return before.pixel(sx, sy);
    };
    c.perPixel(QRect(0, int(y0), c.w, int(std::ceil(y1 - y0))), [&](double x, double y, QRgb& px) {
        if (y < y0)
            return;
        const double d = y - y0;
        const double depth = clamp01(d / std::max(1.0, y1 - y0));
        const double wave = std::sin(y * 0.9 + fbm(x / 30, y / 6, 3, seed) * 9.0);
        const double dx = wave * ripple * (0.6 + depth * 2);
        const double dy = (fbm(x / 12, y / 2.5, 2, seed + 5) - 0.5) * ripple * (1 + depth * 3);
        const double sy = std::min(y0 - 0.6, y0 - d * 0.98 + dy);
        const QRgb s = sampleBefore(x + dx, sy);
        QColor col(s);
        col = mix(col, tint, tintAmount + depth * 0.25);
        // Glints where the wavelets face the sky.
        const double glint = smooth(0.72, 0.9, fbm(x / 9, y / 1.6, 2, seed + 9));
        col = mix(col, shade(col, 1.35), glint * 0.55);
        const double trough = smooth(0.7, 0.9, fbm(x / 11 + 40, y / 1.8, 2, seed + 19));
        col = mix(col, shade(col, 0.7), trough * 0.45);
        px = col.rgb();
    });
}

void dots(QPainter& p, Rng& rng, const QRectF& area, int count, double rMin, double rMax,
          const std::vector<QColor>& colors)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        p.setBrush(rng.pick(colors));
        const double r = rng.range(rMin, rMax);
        p.drawEllipse(QPointF(rng.range(area.left(), area.right()),
                              rng.range(area.top(), area.bottom())), r, r);
    }
    p.restore();
}

void finishing(QImage& img, uint32_t seed, double vignette, double paper)
{
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            // Warm grade: shadows towards umber, highlights towards cream.
            const double l = (0.3 * r + 0.59 * g + 0.11 * b) / 255.0;
            r = r * 0.96 + 12 * (1 - l) + 4;
            g = g * 0.95 + 7 * (1 - l) + 4;
            b = b * 0.92 + 3 * (1 - l) + 2;
            // Paper: a fine tooth and a faint mottle.
            const double tooth = (hash2(x, y, seed) - 0.5) * 7 * paper;
            const double mottle = (fbm(x / 23.0, y / 23.0, 3, seed + 3) - 0.5) * 0.07 * paper;
            const double fx = (x + 0.5) / w - 0.5, fy = (y + 0.5) / h - 0.5;
            const double v = 1 - vignette * std::pow((fx * fx + fy * fy) * 2, 1.4);
            auto out = [&](double c) {
                return std::clamp(int(std::lround((c * (1 + mottle) + tooth) * v)), 0, 255);
            };
            line[x] = qRgb(out(r), out(g), out(b));
        }
    }
}

}  // namespace pictures

namespace pictures {

void skyGradient(Canvas& c, double y0, double y1,
                 const std::vector<std::pair<double, QColor>>& stops, double cirrus,
                 uint32_t seed)
{
    c.perPixel(QRect(0, int(y0), c.w, int(std::ceil(y1 - y0)) + 1), [&](double x, double y, QRgb& px) {
        if (y < y0 || y > y1)
            return;
        const double t = (y - y0) / (y1 - y0);
        QColor col = stops.front().second;
        for (size_t i = 1; i < stops.size(); ++i) {
            if (t <= stops[i].first) {
                const double a = stops[i - 1].first, b = stops[i].first;
                col = mix(stops[i - 1].second, stops[i].second, (t - a) / std::max(1e-6, b - a));
                break;
            }
            col = stops[i].second;
        }
        // Long thin streaks, stretched sideways.
        const double n = fbm(x / 70.0, y / 7.0, 5, seed);
        const double streak = smooth(0.45, 0.75, n) * cirrus;
        col = mix(col, QColor(255, 248, 236), streak);
        const double soft = (fbm(x / 40.0, y / 40.0, 3, seed + 7) - 0.5) * 0.12;
        col = shade(col, 1 + soft);
        px = col.rgb();
    });
}

void meadow(Canvas& c, Rng& rng, const QRectF& area, const QColor& dark, const QColor& light,
            int blades)
{
    const uint32_t seed = uint32_t(rng.next());
    c.perPixel(area.toAlignedRect(), [&](double x, double y, QRgb& px) {
        if (!area.contains(x, y))
            return;
        const double t = (y - area.top()) / area.height();
        const double n = fbm(x / 9.0, y / 22.0, 4, seed);
        QColor col = mix(light, dark, 0.25 + 0.5 * t + (n - 0.5) * 0.9);
        px = col.rgb();
    });
    QPainter& p = c.p;
    p.save();
    for (int i = 0; i < blades; ++i) {
        const double x = rng.range(area.left(), area.right());
        const double y = rng.range(area.top() + 2, area.bottom() + 4);
        const double t = (y - area.top()) / area.height();
        const double len = 3 + t * 9 * rng.range(0.6, 1.3);
        const QColor col = mix(light, dark, rng.range(0, 1));
        p.setPen(QPen(col, 0.5 + t * 0.7, Qt::SolidLine, Qt::RoundCap));
        QPainterPath blade;
        blade.moveTo(x, y);
        const double lean = rng.range(-0.6, 0.6) * len;
        blade.quadTo(x + lean * 0.3, y - len * 0.6, x + lean, y - len);
        p.drawPath(blade);
    }
    p.restore();
}

}  // namespace pictures
