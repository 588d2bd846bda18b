// 201: a mountain lake in the morning, a red cabin on the far shore.

#include "paint.h"
#include "scenes.h"

#include <algorithm>

namespace pictures {

namespace {

struct Peak {
    double x, y, slopeL, slopeR;
};

// A range of peaks, lit from the upper left, with snow above snowLine.
void mountains(Canvas& c, const std::vector<Peak>& peaks, double bottom, double snowLine,
               const QColor& rockLit, const QColor& rockShade, const QColor& snowLit,
               const QColor& snowShade, const QColor& haze, uint32_t seed)
{
    c.perPixel(QRect(0, 0, c.w, int(bottom) + 1), [&](double x, double y, QRgb& px) {
        if (y > bottom)
            return;
        double top = 1e9;
        int owner = 0;
        for (int i = 0; i < int(peaks.size()); ++i) {
            const Peak& k = peaks[size_t(i)];
            const double d = x - k.x;
            const double t = k.y + (d < 0 ? -d * k.slopeL : d * k.slopeR);
            if (t < top) {
                top = t;
                owner = i;
            }
        }
        top += (fbm1(x / 18.0, 4, seed) - 0.5) * 12;
        if (y < top)
            return;
        const Peak& k = peaks[size_t(owner)];
        // The ridge between sunlit and shaded flanks wanders down the face.
        const double ridgeX = k.x + (fbm1(y / 7.0, 3, seed + 5) - 0.5) * std::min(40.0, (y - k.y) * 0.7);
        const double side = x < ridgeX ? 1.0 : -1.0;
        // Gullies run down the flanks.
        const double along = (x - k.x) * 0.8 + (y - k.y) * side * 0.5;
        const double gully = fbm(along / 5.0, y / 28.0, 4, seed + 3);
        const double rough = fbm(x / 7.0, y / 7.0, 3, seed + 8);
        double light = (side > 0 ? 0.78 : 0.22) + (gully - 0.5) * 0.9 + (rough - 0.5) * 0.4;
        light += side > 0 ? -std::abs(x - ridgeX) / 300.0 : std::abs(x - ridgeX) / 400.0;
        // A lit ridge line just inside the edge.
        light += smooth(3, 0, y - top) * 0.25;
        light = clamp01(light);
        const double snowEdge = snowLine + (fbm(x / 14.0, y / 9.0, 4, seed + 11) - 0.5) * 40 +
                                (gully - 0.5) * 30;
        QColor col;
        if (y < snowEdge)
            col = mix(snowShade, snowLit, smooth(0.35, 0.65, light));
        else
            col = mix(rockShade, rockLit, light);
        col = mix(col, haze, smooth(snowLine - 20, bottom + 10, y) * 0.55);
        px = col.rgb();
    });
}

void cabin(QPainter& p, double x, double y, double s)
{
    p.save();
    p.setPen(Qt::NoPen);
    // Walls.
    p.setBrush(QColor(168, 58, 44));
    p.drawRect(QRectF(x, y - 14 * s, 26 * s, 14 * s));
    p.setBrush(QColor(130, 42, 34));
    p.drawRect(QRectF(x + 26 * s, y - 14 * s, 10 * s, 14 * s));
    p.setPen(QPen(QColor(120, 36, 30), 0.5));
    for (int i = 1; i < 5; ++i)
        p.drawLine(QPointF(x, y - i * 2.8 * s), QPointF(x + 26 * s, y - i * 2.8 * s));
    p.setPen(Qt::NoPen);
    // Gable end and roof.
    QPainterPath gable;
    gable.moveTo(x + 26 * s, y - 14 * s);
    gable.lineTo(x + 31 * s, y - 21 * s);
    gable.lineTo(x + 36 * s, y - 14 * s);
    gable.closeSubpath();
    p.setBrush(QColor(150, 48, 38));
    p.drawPath(gable);
    QPainterPath roof;
    roof.moveTo(x - 2 * s, y - 13 * s);
    roof.lineTo(x + 4 * s, y - 21.5 * s);
    roof.lineTo(x + 31 * s, y - 21.5 * s);
    roof.lineTo(x + 26 * s, y - 13 * s);
    roof.closeSubpath();
    p.setBrush(QColor(70, 58, 52));
    p.drawPath(roof);
    p.setBrush(QColor(96, 82, 72));
    p.drawRect(QRectF(x + 4 * s, y - 21.5 * s, 27 * s, 1.6 * s));
    // Chimney, windows, door.
    p.setBrush(QColor(110, 96, 90));
    p.drawRect(QRectF(x + 8 * s, y - 25 * s, 3 * s, 6 * s));
    p.setBrush(QColor(250, 236, 200));
    for (double wx : {3.0, 16.0}) {
        p.drawRect(QRectF(x + wx * s, y - 10 * s, 5 * s, 4.5 * s));
    }
    p.setBrush(QColor(255, 204, 110));
    for (double wx : {3.0, 16.0}) {
        p.drawRect(QRectF(x + (wx + 0.6) * s, y - 9.4 * s, 1.7 * s, 1.5 * s));
        p.drawRect(QRectF(x + (wx + 2.7) * s, y - 9.4 * s, 1.7 * s, 1.5 * s));
        p.drawRect(QRectF(x + (wx + 0.6) * s, y - 7.5 * s, 1.7 * s, 1.5 * s));
        p.drawRect(QRectF(x + (wx + 2.7) * s, y - 7.5 * s, 1.7 * s, 1.5 * s));
    }
    p.setBrush(QColor(250, 236, 200));
    p.drawRect(QRectF(x + 28.5 * s, y - 9 * s, 5 * s, 9 * s));
    p.setBrush(QColor(92, 60, 40));
    p.drawRect(QRectF(x + 29.2 * s, y - 8.3 * s, 3.6 * s, 8.3 * s));
    // Smoke.
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(235, 232, 228, 120 - i * 15));
        p.drawEllipse(QPointF(x + 9.5 * s + i * 2.5 * s, y - 28 * s - i * 4 * s), 2.2 * s + i * 0.8 * s,
                      1.8 * s + i * 0.6 * s);
    }
    p.restore();
}

void rowingBoat(QPainter& p, double x, double y, double s)
{
    p.save();
    p.setPen(Qt::NoPen);
    QPainterPath hull;
    hull.moveTo(x - 22 * s, y - 5 * s);
    hull.quadTo(x, y - 3 * s, x + 24 * s, y - 7 * s);
    hull.quadTo(x + 18 * s, y + 3 * s, x + 4 * s, y + 3 * s);
    hull.lineTo(x - 16 * s, y + 2 * s);
    hull.closeSubpath();
    p.setBrush(QColor(40, 92, 120));
    p.drawPath(hull);
    p.setBrush(QColor(236, 226, 200));
    QPainterPath band;
    band.moveTo(x - 22 * s, y - 5 * s);
    band.quadTo(x, y - 3 * s, x + 24 * s, y - 7 * s);
    band.quadTo(x, y - 0.8 * s, x - 20 * s, y - 2.8 * s);
    band.closeSubpath();
    p.drawPath(band);
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(QRectF(x - 4 * s, y - 6 * s, 3 * s, 2 * s));
    p.setPen(QPen(QColor(150, 110, 70), 1.2 * s));
    p.drawLine(QPointF(x - 10 * s, y - 9 * s), QPointF(x + 10 * s, y - 2 * s));
    p.restore();
}

}  // namespace

QImage mountainLake(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(201);
    const double sx = w / 400.0, sy = h / 400.0;
    const double horizon = 238 * sy;

    skyGradient(c, 0, horizon,
                {{0, QColor(70, 118, 176)}, {0.45, QColor(140, 180, 214)},
                 {0.8, QColor(236, 214, 190)}, {1, QColor(250, 226, 186)}},
                0.35, 7);
    // Morning sun behind the left peak.
    QRadialGradient sun(QPointF(60 * sx, 120 * sy), 140 * sx);
    sun.setColorAt(0, QColor(255, 238, 196, 150));
    sun.setColorAt(1, QColor(255, 238, 196, 0));
    p.fillRect(QRectF(0, 0, w, horizon), sun);
    const QColor cloudLight(255, 250, 240), cloudShade(196, 196, 214);
    cloud(p, rng, 70 * sx, 34 * sy, 120 * sx, 40 * sy, cloudLight, cloudShade);
    cloud(p, rng, 300 * sx, 52 * sy, 170 * sx, 48 * sy, cloudLight, cloudShade);
    cloud(p, rng, 200 * sx, 18 * sy, 70 * sx, 22 * sy, cloudLight, cloudShade, 220);
    cloud(p, rng, 165 * sx, 96 * sy, 90 * sx, 26 * sy, cloudLight, cloudShade, 230);
    cloud(p, rng, 375 * sx, 112 * sy, 60 * sx, 22 * sy, cloudLight, cloudShade, 230);
    cloud(p, rng, 20 * sx, 100 * sy, 50 * sx, 18 * sy, cloudLight, cloudShade, 210);

    grain(c, QRect(0, 0, w, int(horizon)), 0.07, 14, 2011);
    mountains(c,
              {{70 * sx, 118 * sy, 0.9, 0.7}, {180 * sx, 92 * sy, 0.8, 0.95},
               {265 * sx, 128 * sy, 0.7, 0.6}, {345 * sx, 104 * sy, 0.85, 0.75}},
              horizon, 150 * sy, QColor(176, 150, 156), QColor(92, 94, 132),
              QColor(255, 250, 242), QColor(160, 172, 210), QColor(150, 170, 190), 21);
    // Nearer, wooded hills.
    QLinearGradient hillG(0, 190 * sy, 0, horizon);
    hillG.setColorAt(0, QColor(78, 110, 96));
    hillG.setColorAt(1, QColor(44, 78, 64));
    p.setPen(Qt::NoPen);
    p.setBrush(hillG);
    p.drawPath(ridge(0, w, 212 * sy, 16 * sy, 90 * sx, 33, horizon + 1));
    for (int i = 0; i < 150; ++i) {
        const double x = rng.range(-5, w + 5);
        const double base = 212 * sy - (fbm1(x / (90 * sx), 5, 33) - 0.5) * 2 * 16 * sy;
        const double y = rng.range(base + 4, horizon + 2);
        const double t = clamp01((y - base) / (horizon - base));
        pine(p, rng, x, y, rng.range(10, 20) * sy * (0.8 + t * 0.4),
             mix(QColor(40, 76, 62), QColor(28, 58, 48), t),
             mix(QColor(96, 134, 100), QColor(70, 110, 80), t));
    }
    // The far shore: a meadow strip with the cabin.
    p.setBrush(QColor(112, 148, 82));
    QPainterPath shore;
    shore.moveTo(0, horizon + 1);
    shore.lineTo(0, horizon - 6 * sy);
    shore.cubicTo(40 * sx, horizon - 9 * sy, 110 * sx, horizon - 7 * sy, 150 * sx, horizon - 2 * sy);
    shore.lineTo(150 * sx, horizon + 1);
    shore.closeSubpath();
    p.drawPath(shore);
    cabin(p, 62 * sx, horizon - 3 * sy, 1.05 * sx);
    for (double tx : {38.0, 50.0, 120.0, 133.0})
        pine(p, rng, tx * sx, horizon - 2 * sy, rng.range(22, 30) * sy, QColor(34, 66, 52),
             QColor(90, 130, 90));

    water(c, horizon, 336 * sy, QColor(52, 112, 132), 0.32, 1.3, 41);

    // Near shore: grass, stones and flowers.
    QPainterPath bank;
    bank.moveTo(0, 306 * sy);
    bank.cubicTo(90 * sx, 318 * sy, 200 * sx, 342 * sy, 280 * sx, 332 * sy);
    bank.cubicTo(330 * sx, 326 * sy, 370 * sx, 300 * sy, w, 296 * sy);
    bank.lineTo(w, h);
    bank.lineTo(0, h);
    bank.closeSubpath();
    {
        Canvas* cc = &c;
        p.save();
        p.setClipPath(bank);
        p.restore();
        // Paint the meadow inside the bank only.
        QImage mask(c.img.size(), QImage::Format_Grayscale8);
        mask.fill(0);
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.scale(Canvas::Scale, Canvas::Scale);
        mp.fillPath(bank, Qt::white);
        mp.end();
        const QImage before = c.img.copy();
        meadow(*cc, rng, QRectF(0, 290 * sy, w, h - 290 * sy), QColor(58, 92, 44),
               QColor(150, 178, 84), 0);
        for (int y = 0; y < c.img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(c.img.scanLine(y));
            const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            const uchar* m = mask.constScanLine(y);
            for (int x = 0; x < c.img.width(); ++x) {
                const double a = m[x] / 255.0;
                if (a < 1)
                    line[x] = mix(QColor(old[x]), QColor(line[x]), a).rgb();
            }
        }
    }
    // Pebbles along the water's edge.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const double t = rng.uniform();
        const double x = t * w;
        double y = 306 * sy;
        // Follow the bank roughly.
        if (x < 280 * sx)
            y = 306 * sy + (x / (280 * sx)) * 26 * sy;
        else
            y = 332 * sy - ((x - 280 * sx) / (w - 280 * sx)) * 36 * sy;
        y += rng.range(-1, 6) * sy;
        const double r = rng.range(1.5, 4.5) * sx;
        const QColor stone = mix(QColor(150, 140, 128), QColor(210, 196, 176), rng.uniform());
        QRadialGradient g(QPointF(x - r * 0.3, y - r * 0.4), r * 1.4);
        g.setColorAt(0, shade(stone, 1.15));
        g.setColorAt(1, shade(stone, 0.7));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y), r * 1.3, r * 0.8);
    }
    // Blades and flowers over the bank.
    p.save();
    p.setClipPath(bank);
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.range(0, w), y = rng.range(300 * sy, h + 6);
        const double t = (y - 300 * sy) / (h - 300 * sy);
        const double len = (4 + t * 12) * rng.range(0.6, 1.3);
        p.setPen(QPen(mix(QColor(170, 196, 90), QColor(44, 80, 36), rng.uniform()), 0.5 + t * 0.8,
                      Qt::SolidLine, Qt::RoundCap));
        const double lean = rng.range(-0.5, 0.5) * len;
        QPainterPath blade;
        blade.moveTo(x, y);
        blade.quadTo(x + lean * 0.3, y - len * 0.6, x + lean, y - len);
        p.drawPath(blade);
    }
    const std::vector<QColor> petals = {QColor(250, 246, 236), QColor(246, 208, 70),
                                        QColor(222, 90, 96), QColor(170, 120, 200),
                                        QColor(250, 170, 190)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const double x = rng.range(0, w), y = rng.range(310 * sy, h);
        const double t = (y - 300 * sy) / (h - 300 * sy);
        const double r = (0.8 + t * 2.2) * rng.range(0.7, 1.2);
        const QColor col = rng.pick(petals);
        p.setBrush(col);
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * Pi / 5 + i;
            p.drawEllipse(QPointF(x + std::cos(a) * r, y + std::sin(a) * r * 0.7), r * 0.8, r * 0.6);
        }
        p.setBrush(QColor(240, 190, 60));
        p.drawEllipse(QPointF(x, y), r * 0.45, r * 0.4);
    }
    p.restore();

    // A little jetty and the rowing boat.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        const double y = 352 * sy - i * 8.5 * sy;
        const double x = 214 * sx - i * 3 * sx;
        const double wd = 54 * sx - i * 3.5 * sx;
        p.setBrush(mix(QColor(168, 124, 84), QColor(120, 86, 58), (i % 3) / 3.0));
        p.drawRect(QRectF(x, y, wd, 7.4 * sy));
        p.setBrush(QColor(90, 62, 42));
        p.drawRect(QRectF(x, y + 7.4 * sy, wd, 1.1 * sy));
    }
    p.setBrush(QColor(86, 60, 40));
    for (int i = 1; i < 9; i += 3) {
        const double y = 352 * sy - i * 8.5 * sy;
        const double x = 214 * sx - i * 3 * sx;
        const double wd = 54 * sx - i * 3.5 * sx;
        p.drawRect(QRectF(x - 2 * sx, y - 4 * sy, 3 * sx, 16 * sy));
        p.drawRect(QRectF(x + wd - 1 * sx, y - 4 * sy, 3 * sx, 16 * sy));
    }
    rowingBoat(p, 296 * sx, 292 * sy, 1.2 * sx);
    p.setPen(QPen(QColor(200, 180, 140), 0.8));
    p.drawLine(QPointF(270 * sx, 288 * sy), QPointF(262 * sx, 288 * sy));

    // Tall pines frame the view on the right and left.
    pine(p, rng, 372 * sx, 404 * sy, 250 * sy, QColor(30, 62, 46), QColor(84, 124, 84));
    pine(p, rng, 338 * sx, 410 * sy, 150 * sy, QColor(36, 70, 52), QColor(96, 136, 92));
    pine(p, rng, 58 * sx, 408 * sy, 120 * sy, QColor(40, 76, 54), QColor(104, 144, 96));
    pine(p, rng, 18 * sx, 412 * sy, 200 * sy, QColor(30, 62, 46), QColor(88, 128, 88));
    return c.finish();
}

}  // namespace pictures
