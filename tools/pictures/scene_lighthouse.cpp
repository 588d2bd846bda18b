// 207: a lighthouse on its headland at sunset.

#include "boats.h"
#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

// A heap of faceted rocks, lit from the left by the low sun.
void rocks(QPainter& p, Rng& rng, double x0, double x1, double y, double size, int count,
           const QColor& lit, const QColor& dark)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double cx = rng.range(x0, x1), cy = y + rng.range(-size * 0.3, size * 0.4);
        const double r = size * rng.range(0.5, 1.0);
        QPolygonF poly;
        const int n = 6 + rng.below(3);
        for (int k = 0; k < n; ++k) {
            const double a = Pi + k * Pi / (n - 1);
            const double rr = r * rng.range(0.75, 1.1);
            poly << QPointF(cx + std::cos(a) * rr * 1.3, cy + std::sin(a) * rr);
        }
        poly << QPointF(cx + r * 1.3, cy + r * 0.3) << QPointF(cx - r * 1.3, cy + r * 0.3);
        p.setBrush(dark);
        p.drawPolygon(poly);
        // The sunlit facet.
        QPolygonF facet;
        facet << poly[0] << poly[1] << poly[2] << QPointF(cx - r * 0.1, cy - r * 0.1)
              << QPointF(cx - r * 0.5, cy + r * 0.3);
        p.setBrush(mix(dark, lit, rng.range(0.6, 1.0)));
        p.drawPolygon(facet);
        p.setBrush(mix(dark, lit, 0.35));
        QPolygonF mid;
        mid << poly[2] << poly[3] << poly[4] << QPointF(cx + r * 0.2, cy + r * 0.1)
            << QPointF(cx - r * 0.1, cy - r * 0.1);
        p.drawPolygon(mid);
    }
    p.restore();
}

}  // namespace

QImage lighthouse(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(207);
    const double u = w / 400.0;
    const double horizon = 246 * u;
    const QPointF sun(120 * u, horizon - 14 * u);

    skyGradient(c, 0, horizon,
                {{0, QColor(58, 62, 120)}, {0.35, QColor(150, 96, 150)}, {0.65, QColor(236, 130, 110)},
                 {0.88, QColor(250, 186, 110)}, {1, QColor(255, 220, 150)}},
                0.3, 71);
    QRadialGradient glow(sun, 170 * u);
    glow.setColorAt(0, QColor(255, 236, 170, 220));
    glow.setColorAt(0.25, QColor(255, 190, 120, 120));
    glow.setColorAt(1, QColor(255, 160, 120, 0));
    p.fillRect(QRectF(0, 0, w, horizon), glow);
    // Long clouds lit from below.
    for (int i = 0; i < 16; ++i) {
        const double cy = rng.range(20, 200) * u;
        const double cx = rng.range(-40, 420) * u;
        const double len = rng.range(60, 160) * u;
        const double t = cy / horizon;
        const QColor body = mix(QColor(110, 80, 130), QColor(200, 110, 120), t);
        const QColor rim = mix(QColor(250, 170, 140), QColor(255, 226, 160), t);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 7; ++k) {
            const double kx = cx + (k - 3) * len / 8 + rng.range(-4, 4);
            const double ry = rng.range(3, 7) * u * (1 - std::abs(k - 3) / 5.0);
            p.setBrush(withAlpha(body, 210));
            p.drawEllipse(QPointF(kx, cy), len / 7, ry + 2);
            p.setBrush(withAlpha(rim, 200));
            p.drawEllipse(QPointF(kx - 2 * u, cy + ry * 0.7), len / 8, ry * 0.45);
        }
    }
    // The sun sinking into the sea.
    QRadialGradient disc(sun, 22 * u);
    disc.setColorAt(0, QColor(255, 250, 220));
    disc.setColorAt(0.85, QColor(255, 226, 150));
    disc.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(disc);
    p.drawEllipse(sun, 22 * u, 22 * u);

    // The sea: lilac at the horizon, deep blue in front, with a path of glitter.
    c.perPixel(QRect(0, int(horizon), w, h - int(horizon)), [&](double x, double y, QRgb& px) {
        if (y < horizon)
            return;
        const double t = (y - horizon) / (h - horizon);
        QColor col = mix(QColor(206, 136, 140), QColor(46, 52, 100), std::pow(t, 0.6));
        const double scale = 0.3 + t * 2.5;
        const double wave = fbm(x / (14 * scale), y / (1.2 * scale), 4, 207);
        const double crest = smooth(0.55, 0.8, wave);
        const double troughs = smooth(0.45, 0.2, wave);
        col = mix(col, mix(QColor(250, 170, 130), QColor(120, 90, 150), t), crest * 0.7);
        col = mix(col, QColor(30, 30, 70), troughs * 0.5);
        // Glitter widens towards the viewer.
        const double width = 14 * u + t * 90 * u;
        const double d = std::abs(x - sun.x() - t * 30 * u) / width;
        const double path = clamp01(1 - d * d) * smooth(0.5, 0.75, wave + 0.15);
        col = mix(col, QColor(255, 230, 160), path * 0.95);
        px = col.rgb();
    });
    // A sailing boat far out.
    p.setPen(Qt::NoPen);
    boat(p, rng, 205 * u, horizon + 8 * u, 0.35 * u,
         {QColor(60, 40, 70), QColor(70, 50, 80), QColor(70, 50, 80), QColor(70, 50, 80),
          QColor(90, 60, 90), true, QColor(96, 66, 100)},
         false);

    // The headland.
    QPainterPath land;
    land.moveTo(w + 2, 150 * u);
    land.lineTo(318 * u, 150 * u);
    land.cubicTo(290 * u, 152 * u, 270 * u, 160 * u, 258 * u, 178 * u);
    land.cubicTo(246 * u, 196 * u, 240 * u, 230 * u, 226 * u, 262 * u);
    land.cubicTo(214 * u, 290 * u, 200 * u, 300 * u, 190 * u, 330 * u);
    land.lineTo(w + 2, 330 * u);
    land.closeSubpath();
    {
        QImage mask(c.img.size(), QImage::Format_Grayscale8);
        mask.fill(0);
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.scale(Canvas::Scale, Canvas::Scale);
        mp.fillPath(land, Qt::white);
        mp.end();
        c.perPixel([&](double x, double y, QRgb& px) {
            const int m = qGray(mask.pixel(int(x * Canvas::Scale), int(y * Canvas::Scale)));
            if (m == 0)
                return;
            // Rock strata, sunlit on the seaward face.
            const double strata = fbm(x / 40.0, y / 3.5, 4, 17);
            const double rough = fbm(x / 6.0, y / 6.0, 3, 19);
            const double face = smooth(60 * u, 0, x - (226 * u + (262 * u - y) * 0.5));
            QColor col = mix(QColor(70, 50, 78), QColor(150, 90, 90), strata * 0.8 + rough * 0.3);
            col = mix(col, QColor(236, 150, 100), face * (0.35 + strata * 0.4));
            // Ledges: lit tops, shaded undersides.
            const double band = (y + (fbm(x / 30.0, y / 30.0, 3, 23) - 0.5) * 30) / (11 * u);
            const double f = band - std::floor(band);
            col = mix(col, QColor(250, 180, 120), smooth(0.12, 0.0, f) * 0.55);
            col = mix(col, QColor(40, 26, 50), smooth(0.8, 1.0, f) * 0.5);
            // Cracks running down.
            const double ridged = 1 - std::abs(2 * fbm(x / 7.0, y / 40.0, 3, 29) - 1);
            col = mix(col, QColor(36, 24, 44), smooth(0.86, 0.97, ridged) * 0.8);
            // Tufts of grass and lichen on the ledges.
            const double tuft = fbm(x / 4.0, y / 4.0, 2, 31);
            if (f < 0.1 && tuft > 0.66)
                col = mix(col, QColor(120, 130, 70), 0.7);
            px = mix(QColor(px), col, m / 255.0).rgb();
        });
    }
    // Grass on the top.
    QPainterPath turf;
    turf.moveTo(w + 2, 146 * u);
    turf.lineTo(318 * u, 146 * u);
    turf.cubicTo(292 * u, 148 * u, 270 * u, 156 * u, 258 * u, 176 * u);
    turf.quadTo(280 * u, 164 * u, 320 * u, 162 * u);
    turf.lineTo(w + 2, 166 * u);
    turf.closeSubpath();
    QLinearGradient tg(0, 146 * u, 0, 170 * u);
    tg.setColorAt(0, QColor(150, 150, 80));
    tg.setColorAt(1, QColor(80, 86, 60));
    p.setBrush(tg);
    p.drawPath(turf);
    p.setPen(QPen(QColor(190, 170, 90), 0.6 * u));
    for (int i = 0; i < 160; ++i) {
        const double x = rng.range(262, 400) * u;
        const double y = (146 + (x < 318 * u ? (318 * u - x) / u * 0.45 : 0)) * u + rng.range(-1, 8) * u;
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(-1.5, 1.5) * u, y - rng.range(2, 5) * u));
    }
    p.setPen(Qt::NoPen);

    // Keeper's cottage with lit windows.
    p.setBrush(QColor(236, 206, 176));
    p.drawRect(QRectF(300 * u, 126 * u, 46 * u, 24 * u));
    p.setBrush(QColor(170, 130, 130));
    p.drawRect(QRectF(336 * u, 126 * u, 10 * u, 24 * u));
    QPainterPath roof;
    roof.moveTo(296 * u, 127 * u);
    roof.lineTo(306 * u, 110 * u);
    roof.lineTo(344 * u, 110 * u);
    roof.lineTo(350 * u, 127 * u);
    roof.closeSubpath();
    p.setBrush(QColor(120, 50, 56));
    p.drawPath(roof);
    p.setBrush(QColor(100, 80, 90));
    p.drawRect(QRectF(330 * u, 100 * u, 5 * u, 12 * u));
    for (double wx : {304.0, 320.0}) {
        p.setBrush(QColor(90, 50, 60));
        p.drawRect(QRectF((wx - 0.8) * u, 130.5 * u, 10.6 * u, 11.5 * u));
        p.setBrush(QColor(255, 214, 120));
        p.drawRect(QRectF(wx * u, 131.3 * u, 9 * u, 9.9 * u));
        p.setBrush(QColor(255, 240, 190));
        p.drawRect(QRectF(wx * u, 131.3 * u, 4 * u, 4.5 * u));
        p.setBrush(QColor(110, 64, 60));
        p.drawRect(QRectF((wx + 4.1) * u, 131.3 * u, 0.8 * u, 9.9 * u));
        p.drawRect(QRectF(wx * u, 135.8 * u, 9 * u, 0.8 * u));
        p.setBrush(QColor(200, 80, 90));
        p.drawRect(QRectF((wx - 1) * u, 141.5 * u, 11 * u, 2.2 * u));
    }
    // The lighthouse: a white tower with red bands.
    const double lx = 282 * u, base = 150 * u, top = 46 * u;
    QPainterPath tower;
    tower.moveTo(lx - 14 * u, base);
    tower.lineTo(lx - 9 * u, top);
    tower.lineTo(lx + 9 * u, top);
    tower.lineTo(lx + 14 * u, base);
    tower.closeSubpath();
    QLinearGradient towerG(lx - 14 * u, 0, lx + 14 * u, 0);
    towerG.setColorAt(0, QColor(255, 226, 190));
    towerG.setColorAt(0.5, QColor(240, 206, 190));
    towerG.setColorAt(1, QColor(150, 120, 150));
    p.setBrush(towerG);
    p.drawPath(tower);
    p.save();
    p.setClipPath(tower);
    QLinearGradient bandG(lx - 14 * u, 0, lx + 14 * u, 0);
    bandG.setColorAt(0, QColor(226, 84, 70));
    bandG.setColorAt(0.5, QColor(200, 60, 60));
    bandG.setColorAt(1, QColor(110, 40, 70));
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(lx - 20 * u, top + (14 + i * 30) * u, 40 * u, 13 * u), bandG);
    p.restore();
    p.setBrush(QColor(60, 44, 60));
    p.drawRoundedRect(QRectF(lx - 3 * u, 134 * u, 6 * u, 16 * u), 3 * u, 3 * u);
    p.setBrush(QColor(255, 210, 120));
    p.drawRect(QRectF(lx - 2 * u, 78 * u, 4 * u, 6 * u));
    p.drawRect(QRectF(lx - 2 * u, 108 * u, 4 * u, 6 * u));
    // Gallery and lantern.
    p.setBrush(QColor(50, 40, 56));
    p.drawRect(QRectF(lx - 13 * u, top - 3 * u, 26 * u, 4 * u));
    p.setPen(QPen(QColor(50, 40, 56), 0.7 * u));
    for (int i = 0; i <= 6; ++i)
        p.drawLine(QPointF(lx - 12 * u + i * 4 * u, top - 3 * u), QPointF(lx - 12 * u + i * 4 * u, top - 8 * u));
    p.drawLine(QPointF(lx - 12 * u, top - 8 * u), QPointF(lx + 12 * u, top - 8 * u));
    p.setPen(Qt::NoPen);
    // Beams of light.
    for (int side : {-1, 1}) {
        QPainterPath beam;
        beam.moveTo(lx, top - 12 * u);
        beam.lineTo(lx + side * 230 * u, top - 12 * u - 40 * u);
        beam.lineTo(lx + side * 230 * u, top - 12 * u + 30 * u);
        beam.closeSubpath();
        QLinearGradient bg(lx, 0, lx + side * 230 * u, 0);
        bg.setColorAt(0, QColor(255, 246, 200, 150));
        bg.setColorAt(1, QColor(255, 246, 200, 0));
        p.setBrush(bg);
        p.drawPath(beam);
    }
    QRadialGradient lamp(QPointF(lx, top - 12 * u), 14 * u);
    lamp.setColorAt(0, QColor(255, 255, 230));
    lamp.setColorAt(0.4, QColor(255, 236, 160));
    lamp.setColorAt(1, QColor(255, 220, 140, 0));
    p.setBrush(lamp);
    p.drawEllipse(QPointF(lx, top - 12 * u), 14 * u, 14 * u);
    p.setBrush(QColor(60, 44, 60));
    p.drawRect(QRectF(lx - 7 * u, top - 17 * u, 1.4 * u, 9 * u));
    p.drawRect(QRectF(lx + 5.6 * u, top - 17 * u, 1.4 * u, 9 * u));
    QPainterPath cap;
    cap.moveTo(lx - 9 * u, top - 17 * u);
    cap.quadTo(lx, top - 30 * u, lx + 9 * u, top - 17 * u);
    cap.closeSubpath();
    p.setBrush(QColor(150, 50, 60));
    p.drawPath(cap);
    p.setBrush(QColor(60, 44, 60));
    p.drawRect(QRectF(lx - 0.5 * u, top - 30 * u, 1 * u, 6 * u));

    // Rocks and surf in front.
    rocks(p, rng, 170 * u, 420 * u, 330 * u, 26 * u, 14, QColor(220, 140, 100), QColor(60, 44, 70));
    rocks(p, rng, -20 * u, 120 * u, 385 * u, 22 * u, 9, QColor(230, 150, 110), QColor(56, 40, 66));
    rocks(p, rng, 230 * u, 420 * u, 392 * u, 30 * u, 8, QColor(220, 140, 100), QColor(52, 38, 62));
    // Foam along the rocks: curling lines and spray.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 140; ++i) {
        const bool right = rng.chance(0.65);
        const double x = right ? rng.range(150, 400) * u : rng.range(-10, 140) * u;
        const double y = right ? rng.range(326, 352) * u : rng.range(374, 394) * u;
        const double len = rng.range(6, 22) * u;
        p.setPen(QPen(QColor(255, 236, 222, int(rng.range(110, 230))), rng.range(0.6, 1.6) * u,
                      Qt::SolidLine, Qt::RoundCap));
        QPainterPath f;
        f.moveTo(x, y);
        f.cubicTo(x + len * 0.3, y - 2 * u, x + len * 0.6, y + 2 * u, x + len, y - rng.range(-1, 1) * u);
        p.drawPath(f);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        const double x = rng.range(150, 400) * u, y = rng.range(312, 340) * u;
        p.setBrush(QColor(255, 240, 230, int(rng.range(60, 160))));
        p.drawEllipse(QPointF(x, y), rng.range(0.5, 1.6) * u, rng.range(0.5, 1.6) * u);
    }
    // Gulls in the evening light.
    p.setPen(QPen(QColor(60, 40, 70), 1.1 * u, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 8; ++i) {
        const double gx = rng.range(20, 230) * u, gy = rng.range(40, 180) * u, gs = rng.range(3, 7) * u;
        QPainterPath g;
        g.moveTo(gx - gs, gy - gs * 0.2);
        g.quadTo(gx - gs * 0.5, gy - gs * 0.7, gx, gy);
        g.quadTo(gx + gs * 0.5, gy - gs * 0.7, gx + gs, gy - gs * 0.2);
        p.drawPath(g);
    }
    return c.finish();
}

}  // namespace pictures
