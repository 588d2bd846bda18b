// 208: a path through an autumn wood, sunlight slanting through the leaves.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

const std::vector<QColor> Autumn = {QColor(120, 40, 30), QColor(170, 60, 30), QColor(210, 100, 40),
                                    QColor(230, 150, 50), QColor(240, 196, 80), QColor(250, 224, 130)};

void leaf(QPainter& p, QPointF at, double size, double angle, const QColor& col)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QPainterPath l;
    l.moveTo(-size, 0);
    l.quadTo(0, -size * 0.55, size, 0);
    l.quadTo(0, size * 0.55, -size, 0);
    p.setBrush(col);
    p.drawPath(l);
    p.setPen(QPen(shade(col, 0.7), size * 0.1));
    p.drawLine(QPointF(-size, 0), QPointF(size * 0.8, 0));
    p.setPen(Qt::NoPen);
    p.restore();
}

void trunk(Canvas& c, double x, double baseY, double topY, double width, const QColor& bark, bool birch,
           uint32_t seed)
{
    QPainterPath t;
    t.moveTo(x - width * 0.7, baseY);
    t.quadTo(x - width * 0.5, baseY - width, x - width * 0.5, baseY - width * 2);
    t.lineTo(x - width * 0.42, topY);
    t.lineTo(x + width * 0.42, topY);
    t.lineTo(x + width * 0.5, baseY - width * 2);
    t.quadTo(x + width * 0.5, baseY - width, x + width * 0.75, baseY);
    t.closeSubpath();
    QImage mask(c.img.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter mp(&mask);
    mp.setRenderHint(QPainter::Antialiasing);
    mp.scale(Canvas::Scale, Canvas::Scale);
    mp.fillPath(t, Qt::white);
    mp.end();
    const QRect area = t.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    c.perPixel(area, [&](double px, double py, QRgb& out) {
        const int m = qGray(mask.pixel(std::clamp(int(px * Canvas::Scale), 0, mask.width() - 1),
                                       std::clamp(int(py * Canvas::Scale), 0, mask.height() - 1)));
        if (m == 0)
            return;
        const double across = clamp01((px - x) / width + 0.5);
        // Round: lit from the left, dark on the right.
        const double light = 0.55 + 0.6 * std::sin(across * Pi * 0.9 + 0.1) - across * 0.35;
        QColor col;
        if (birch) {
            col = shade(QColor(236, 230, 214), light);
            const double mark = fbm(px / 12.0, py / 2.2, 3, seed);
            if (mark > 0.62)
                col = shade(QColor(50, 44, 40), 0.8 + light * 0.3);
        } else {
            const double furrow = fbm(px / 2.5, py / 22.0, 4, seed);
            col = shade(bark, light * (0.7 + furrow * 0.6));
            const double moss = smooth(0.6, 0.75, fbm(px / 8.0, py / 8.0, 3, seed + 1)) * (1 - across);
            col = mix(col, QColor(110, 130, 60), moss * 0.6);
        }
        out = mix(QColor(out), col, m / 255.0).rgb();
    });
}

}  // namespace

QImage autumnForest(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(208);
    const double u = w / 375.0;
    const double far = 236 * u;

    skyGradient(c, 0, h,
                {{0, QColor(236, 210, 150)}, {0.5, QColor(250, 226, 170)}, {0.63, QColor(236, 200, 150)},
                 {1, QColor(170, 110, 70)}},
                0.1, 81);
    p.setPen(Qt::NoPen);
    // Far trees lost in the haze.
    for (int layer = 0; layer < 3; ++layer) {
        const double haze = 0.75 - layer * 0.22;
        const int n = 22 - layer * 5;
        for (int i = 0; i < n; ++i) {
            const double x = rng.range(-10, w + 10);
            const double height = (60 + layer * 40) * u * rng.range(0.8, 1.3);
            const double base = far + layer * 6 * u;
            std::vector<QColor> leaves;
            for (const QColor& a : Autumn)
                leaves.push_back(mix(a, QColor(246, 220, 170), haze));
            if (rng.chance(0.3)) {
                leaves = {mix(QColor(80, 100, 50), QColor(240, 220, 170), haze),
                          mix(QColor(130, 140, 60), QColor(240, 220, 170), haze)};
            }
            leafyTree(p, rng, x, base, height, leaves, mix(QColor(70, 50, 40), QColor(240, 220, 170), haze));
        }
    }
    // The forest floor and the path winding away.
    c.perPixel(QRect(0, int(far), w, h - int(far)), [&](double x, double y, QRgb& px) {
        if (y < far)
            return;
        const double t = (y - far) / (h - far);
        const double pathCentre = w * 0.5 + std::sin(t * 3.2) * 40 * u * t;
        const double halfWidth = (6 + t * 110) * u;
        const double d = std::abs(x - pathCentre) / halfWidth;
        const double n = fbm(x / (3 + t * 6), y / (2 + t * 4), 4, 83);
        QColor ground = mix(QColor(150, 80, 40), QColor(200, 120, 50), n);
        ground = mix(ground, QColor(230, 190, 120), (1 - t) * 0.5);
        QColor path = mix(QColor(190, 150, 100), QColor(226, 196, 150), n);
        path = mix(path, QColor(240, 220, 180), (1 - t) * 0.5);
        px = mix(path, ground, smooth(0.8, 1.05, d + (n - 0.5) * 0.3)).rgb();
    });
    // Middle trees standing on the floor.
    for (int i = 0; i < 9; ++i) {
        const double x = rng.range(0, w);
        const double base = far + rng.range(4, 26) * u;
        leafyTree(p, rng, x, base, rng.range(110, 160) * u, Autumn, QColor(80, 54, 40));
    }
    // Sunbeams.
    for (int i = 0; i < 6; ++i) {
        const double x0 = rng.range(60, 300) * u;
        QPainterPath beam;
        beam.moveTo(x0, 0);
        beam.lineTo(x0 + 20 * u, 0);
        beam.lineTo(x0 + 130 * u, h);
        beam.lineTo(x0 + 70 * u, h);
        beam.closeSubpath();
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, QColor(255, 246, 210, 60));
        g.setColorAt(1, QColor(255, 246, 210, 0));
        p.setBrush(g);
        p.drawPath(beam);
    }
    // Big trunks in front.
    trunk(c, 34 * u, h + 4, -2, 40 * u, QColor(110, 80, 60), false, 1);
    trunk(c, 330 * u, h + 4, -2, 48 * u, QColor(100, 74, 56), false, 2);
    trunk(c, 96 * u, 300 * u, -2, 15 * u, QColor(0, 0, 0), true, 3);
    trunk(c, 262 * u, 286 * u, -2, 12 * u, QColor(0, 0, 0), true, 4);
    trunk(c, 200 * u, 262 * u, -2, 8 * u, QColor(96, 72, 56), false, 5);
    // The canopy across the top.
    for (int i = 0; i < 14; ++i) {
        const double x = i * 30 * u + rng.range(-10, 10) * u;
        leafyTree(p, rng, x, rng.range(70, 110) * u, rng.range(110, 150) * u, Autumn, QColor(0, 0, 0, 0));
    }
    // Fallen leaves thick on the ground, falling leaves in the air.
    for (int i = 0; i < 2600; ++i) {
        const double y = far + std::pow(rng.uniform(), 0.8) * (h - far + 4);
        const double t = (y - far) / (h - far);
        const double x = rng.range(0, w);
        const double pathCentre = w * 0.5 + std::sin(t * 3.2) * 40 * u * t;
        const bool onPath = std::abs(x - pathCentre) < (6 + t * 110) * u * 0.8;
        if (onPath && rng.chance(0.7))
            continue;
        QColor col = rng.pick(Autumn);
        col = mix(col, QColor(240, 210, 160), (1 - t) * 0.5);
        leaf(p, QPointF(x, y), (0.8 + t * 4) * u * rng.range(0.7, 1.2), rng.range(0, 180), col);
    }
    for (int i = 0; i < 60; ++i)
        leaf(p, QPointF(rng.range(0, w), rng.range(60, 300) * u), rng.range(2, 4) * u, rng.range(0, 180),
             rng.pick(Autumn));
    // Toadstools at the foot of the left trunk.
    for (const QPointF& m : {QPointF(62 * u, 352 * u), QPointF(74 * u, 358 * u), QPointF(52 * u, 362 * u)}) {
        const double s = (m.y() - 340 * u) / (20 * u) * 0.5 + 0.8;
        p.setBrush(QColor(240, 230, 210));
        p.drawRoundedRect(QRectF(m.x() - 2 * u * s, m.y() - 8 * u * s, 4 * u * s, 9 * u * s), 1.5, 1.5);
        p.setBrush(QColor(200, 40, 30));
        p.drawChord(QRectF(m.x() - 7 * u * s, m.y() - 13 * u * s, 14 * u * s, 12 * u * s), 0, 180 * 16);
        p.setBrush(QColor(250, 244, 230));
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(QPointF(m.x() + (k - 1.5) * 3 * u * s, m.y() - 9.5 * u * s - (k % 2) * 1.5 * u * s),
                          0.9 * u * s, 0.8 * u * s);
    }
    return c.finish();
}

}  // namespace pictures
