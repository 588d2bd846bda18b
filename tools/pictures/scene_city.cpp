// 203: a city at night under a full moon, its lights in the river.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void building(QPainter& p, Rng& rng, double x, double base, double w, double h, const QColor& wall,
              double lit, double depth)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRect(QRectF(x, base - h, w, h));
    p.setBrush(shade(wall, 0.75));
    p.drawRect(QRectF(x + w * 0.85, base - h, w * 0.15, h));
    // The roof line.
    const int roof = rng.below(6);
    if (roof == 0) {
        QPainterPath r;
        r.moveTo(x - 1, base - h);
        r.lineTo(x + w / 2, base - h - w * 0.5);
        r.lineTo(x + w + 1, base - h);
        r.closeSubpath();
        p.setBrush(shade(wall, 0.7));
        p.drawPath(r);
    } else if (roof == 1) {
        p.setBrush(shade(wall, 0.85));
        p.drawChord(QRectF(x + w * 0.15, base - h - w * 0.35, w * 0.7, w * 0.7), 0, 180 * 16);
        p.drawRect(QRectF(x + w / 2 - 0.4, base - h - w * 0.55, 0.8, w * 0.25));
    } else if (roof == 2) {
        // A water tank on legs.
        p.setBrush(shade(wall, 0.6));
        p.drawRect(QRectF(x + w * 0.2, base - h - 5 * depth, 0.8, 5 * depth));
        p.drawRect(QRectF(x + w * 0.4, base - h - 5 * depth, 0.8, 5 * depth));
        p.drawRoundedRect(QRectF(x + w * 0.15, base - h - 11 * depth, w * 0.32, 7 * depth), 1, 1);
        QPainterPath cone;
        cone.moveTo(x + w * 0.13, base - h - 11 * depth);
        cone.lineTo(x + w * 0.31, base - h - 14 * depth);
        cone.lineTo(x + w * 0.49, base - h - 11 * depth);
        p.drawPath(cone);
    } else if (roof == 3) {
        // Stepped top with a mast and a red light.
        p.setBrush(wall);
        p.drawRect(QRectF(x + w * 0.15, base - h - h * 0.12, w * 0.7, h * 0.12));
        p.drawRect(QRectF(x + w * 0.3, base - h - h * 0.2, w * 0.4, h * 0.08));
        p.setBrush(shade(wall, 0.6));
        p.drawRect(QRectF(x + w / 2 - 0.5, base - h - h * 0.2 - 14 * depth, 1, 14 * depth));
        p.setBrush(QColor(255, 80, 70));
        p.drawEllipse(QPointF(x + w / 2, base - h - h * 0.2 - 14 * depth), 1.2, 1.2);
    } else {
        // Cornice and chimneys.
        p.setBrush(shade(wall, 1.15));
        p.drawRect(QRectF(x - 1, base - h, w + 2, 1.5));
        p.setBrush(shade(wall, 0.7));
        p.drawRect(QRectF(x + w * 0.2, base - h - 5, 2.5, 5));
        p.drawRect(QRectF(x + w * 0.7, base - h - 4, 2.5, 4));
    }
    // Windows: most lit warm, a few cold, some dark.
    const double ww = 2.6 * depth, wh = 3.4 * depth;
    const double gx = ww * 2.1, gy = wh * 1.8;
    for (double wy = base - h + gy * 0.7; wy < base - wh * 1.5; wy += gy)
        for (double wx = x + gx * 0.5; wx < x + w - ww - 0.5; wx += gx) {
            const double r = rng.uniform();
            QColor col;
            if (r < lit * 0.8)
                col = rng.pick(std::vector<QColor>{QColor(255, 214, 120), QColor(255, 190, 100),
                                                   QColor(255, 236, 170), QColor(250, 160, 90)});
            else if (r < lit)
                col = QColor(170, 210, 230);
            else
                col = shade(wall, 0.6);
            p.setBrush(col);
            p.drawRect(QRectF(wx, wy, ww, wh));
            if (col.red() > 200 && rng.chance(0.3)) {
                p.setBrush(withAlpha(QColor(140, 50, 40), 180));
                p.drawRect(QRectF(wx, wy, ww * 0.4, wh));
            }
        }
    p.restore();
}

}  // namespace

QImage cityAtNight(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(203);
    const double u = w / 400.0, v = h / 380.0;
    const double quay = 292 * v;

    skyGradient(c, 0, quay,
                {{0, QColor(14, 20, 52)}, {0.5, QColor(34, 44, 96)}, {0.85, QColor(84, 72, 120)},
                 {1, QColor(170, 110, 110)}},
                0.0, 31);
    // A faint band of the Milky Way and thin clouds.
    c.perPixel(QRect(0, 0, w, int(quay)), [&](double x, double y, QRgb& px) {
        const double band = std::exp(-std::pow((y - 40 * v - x * 0.25) / (40 * v), 2));
        const double n = fbm(x / 18.0, y / 18.0, 5, 41);
        QColor col(px);
        col = mix(col, QColor(150, 150, 200), band * smooth(0.4, 0.8, n) * 0.35);
        const double cl = smooth(0.55, 0.8, fbm(x / 80.0, y / 9.0, 5, 43)) * smooth(40 * v, 160 * v, y);
        col = mix(col, QColor(120, 110, 150), cl * 0.55);
        px = col.rgb();
    });
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 520; ++i) {
        const double x = rng.range(0, w), y = rng.range(0, quay - 40 * v);
        const double b = std::pow(rng.uniform(), 3);
        const double r = 0.35 + b * 1.1;
        p.setBrush(QColor(255, 250, 230, int(120 + b * 135)));
        p.drawEllipse(QPointF(x, y), r, r);
        if (b > 0.6) {
            p.setBrush(QColor(255, 250, 230, 90));
            p.drawRect(QRectF(x - 3 * r, y - 0.25, 6 * r, 0.5));
            p.drawRect(QRectF(x - 0.25, y - 3 * r, 0.5, 6 * r));
        }
    }
    // Moonlight spreads across the sky towards the right.
    QRadialGradient wide(QPointF(300 * u, 70 * v), 320 * u);
    wide.setColorAt(0, QColor(150, 150, 190, 90));
    wide.setColorAt(1, QColor(150, 150, 190, 0));
    p.setBrush(wide);
    p.drawRect(QRectF(0, 0, w, quay));
    // The moon with its halo and seas.
    const QPointF moon(300 * u, 70 * v);
    const double mr = 28 * u;
    QRadialGradient halo(moon, mr * 4);
    halo.setColorAt(0, QColor(255, 240, 200, 110));
    halo.setColorAt(1, QColor(255, 240, 200, 0));
    p.setBrush(halo);
    p.drawEllipse(moon, mr * 4, mr * 4);
    QRadialGradient disc(moon - QPointF(mr * 0.3, mr * 0.3), mr * 1.3);
    disc.setColorAt(0, QColor(255, 250, 226));
    disc.setColorAt(1, QColor(236, 214, 160));
    p.setBrush(disc);
    p.drawEllipse(moon, mr, mr);
    for (int i = 0; i < 9; ++i) {
        const double a = rng.range(0, 2 * Pi), d = rng.range(0, mr * 0.7);
        p.setBrush(QColor(210, 190, 150, 60));
        p.drawEllipse(moon + QPointF(std::cos(a) * d, std::sin(a) * d), rng.range(2, 8) * u,
                      rng.range(2, 6) * u);
    }

    // Three depths of buildings.
    struct Layer { double base; double hMin, hMax; QColor wall; double lit; double depth; };
    const Layer layers[] = {
        {quay - 30 * v, 40, 120, QColor(52, 56, 96), 0.25, 0.7},
        {quay - 14 * v, 30, 100, QColor(74, 64, 96), 0.45, 0.85},
        {quay, 24, 80, QColor(110, 72, 70), 0.6, 1.0},
    };
    for (const Layer& l : layers) {
        double x = -rng.range(0, 20);
        while (x < w) {
            const double bw = rng.range(22, 48) * u * l.depth;
            const double bh = rng.range(l.hMin, l.hMax) * v;
            const QColor wall = mix(l.wall, shade(l.wall, 1.3), rng.uniform());
            building(p, rng, x, l.base, bw, bh, wall, l.lit, l.depth);
            x += bw + rng.range(0, 4) * u;
        }
    }
    // A clock tower rising above the rest.
    const double tx = 110 * u;
    p.setBrush(QColor(92, 70, 84));
    p.drawRect(QRectF(tx, 120 * v, 26 * u, quay - 120 * v));
    p.setBrush(QColor(70, 54, 70));
    p.drawRect(QRectF(tx + 20 * u, 120 * v, 6 * u, quay - 120 * v));
    QPainterPath spire;
    spire.moveTo(tx - 3 * u, 122 * v);
    spire.lineTo(tx + 13 * u, 70 * v);
    spire.lineTo(tx + 29 * u, 122 * v);
    spire.closeSubpath();
    p.setBrush(QColor(60, 90, 96));
    p.drawPath(spire);
    QRadialGradient face(QPointF(tx + 13 * u, 140 * v), 11 * u);
    face.setColorAt(0, QColor(255, 244, 200));
    face.setColorAt(0.8, QColor(255, 214, 140));
    face.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(face);
    p.drawEllipse(QPointF(tx + 13 * u, 140 * v), 11 * u, 11 * u);
    p.setPen(QPen(QColor(60, 40, 40), 1.0 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(tx + 13 * u, 140 * v), QPointF(tx + 13 * u, 134 * v));
    p.drawLine(QPointF(tx + 13 * u, 140 * v), QPointF(tx + 17 * u, 142 * v));
    p.setPen(Qt::NoPen);
    for (double wy = 160; wy < 280; wy += 14) {
        p.setBrush(QColor(255, 210, 130));
        p.drawRoundedRect(QRectF(tx + 10 * u, wy * v, 6 * u, 8 * v), 3 * u, 3 * u);
    }
    // Embankment with lamps.
    p.setBrush(QColor(60, 50, 60));
    p.drawRect(QRectF(0, quay, w, 8 * v));
    p.setBrush(QColor(90, 76, 80));
    p.drawRect(QRectF(0, quay, w, 1.6 * v));
    for (double lx = 14 * u; lx < w; lx += 44 * u) {
        QRadialGradient g(QPointF(lx, quay - 16 * v), 12 * u);
        g.setColorAt(0, QColor(255, 230, 160, 200));
        g.setColorAt(1, QColor(255, 200, 120, 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(lx, quay - 16 * v), 12 * u, 12 * u);
        p.setBrush(QColor(40, 34, 40));
        p.drawRect(QRectF(lx - 0.6 * u, quay - 16 * v, 1.2 * u, 16 * v));
        p.setBrush(QColor(255, 240, 190));
        p.drawEllipse(QPointF(lx, quay - 17 * v), 2.2 * u, 2.6 * v);
    }

    water(c, quay + 8 * v, h, QColor(20, 28, 60), 0.25, 1.6, 91);
    // Streaks of light across the water below each bright window column.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 700; ++i) {
        const double x = rng.range(0, w), y = rng.range(quay + 10 * v, h);
        const QRgb above = c.sample(x, quay - 20 * v - rng.range(0, 60) * v);
        const QColor col(above);
        if (col.red() > 200) {
            p.setBrush(withAlpha(col, 150));
            p.drawRoundedRect(QRectF(x - 3 * u, y, rng.range(3, 9) * u, 0.9 * v), 0.4, 0.4);
        } else if (rng.chance(0.3)) {
            p.setBrush(QColor(140, 150, 200, 60));
            p.drawRoundedRect(QRectF(x, y, rng.range(4, 12) * u, 0.8 * v), 0.4, 0.4);
        }
    }
    // The moon's path on the water.
    for (int i = 0; i < 90; ++i) {
        const double y = rng.range(quay + 10 * v, h);
        const double t = (y - quay) / (h - quay);
        const double x = moon.x() + rng.gauss() * (6 + t * 16) * u;
        p.setBrush(QColor(255, 240, 200, 160));
        p.drawRoundedRect(QRectF(x, y, rng.range(4, 12) * u, 1.0 * v), 0.5, 0.5);
    }
    // A little steamer passing with lit portholes.
    const double bx = 40 * u, by = 352 * v;
    QPainterPath hull;
    hull.moveTo(bx, by - 8 * v);
    hull.lineTo(bx + 92 * u, by - 8 * v);
    hull.quadTo(bx + 88 * u, by, bx + 80 * u, by + 2 * v);
    hull.lineTo(bx + 6 * u, by + 2 * v);
    hull.closeSubpath();
    p.setBrush(QColor(34, 30, 40));
    p.drawPath(hull);
    p.setBrush(QColor(210, 200, 180));
    p.drawRect(QRectF(bx + 14 * u, by - 18 * v, 56 * u, 10 * v));
    p.setBrush(QColor(160, 50, 50));
    p.drawRect(QRectF(bx + 40 * u, by - 30 * v, 7 * u, 12 * v));
    p.setBrush(QColor(30, 26, 30));
    p.drawRect(QRectF(bx + 40 * u, by - 30 * v, 7 * u, 2.5 * v));
    for (double px = bx + 18 * u; px < bx + 68 * u; px += 6 * u) {
        p.setBrush(QColor(255, 220, 140));
        p.drawRect(QRectF(px, by - 15.5 * v, 3 * u, 4 * v));
    }
    for (double px = bx + 10 * u; px < bx + 84 * u; px += 8 * u) {
        p.setBrush(QColor(255, 210, 130));
        p.drawEllipse(QPointF(px, by - 4 * v), 1.2 * u, 1.2 * u);
    }
    p.setBrush(QColor(255, 220, 150, 110));
    for (double px = bx + 10 * u; px < bx + 84 * u; px += 8 * u)
        p.drawRect(QRectF(px - 1 * u, by + 4 * v + rng.range(0, 3) * v, 3 * u, 1 * v));
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(180, 176, 190, 110 - i * 14));
        p.drawEllipse(QPointF(bx + 44 * u - i * 7 * u, by - 36 * v - i * 3 * v), 4 * u + i * 1.5 * u,
                      3 * v + i * v);
    }
    return c.finish();
}

}  // namespace pictures
