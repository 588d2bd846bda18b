// 211: a peacock butterfly resting on a coneflower.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void coneflower(QPainter& p, Rng& rng, QPointF at, double r, const QColor& petal)
{
    for (int k = 0; k < 14; ++k) {
        const double a = k * 2 * Pi / 14 + rng.range(-0.1, 0.1);
        p.save();
        p.translate(at);
        p.rotate(a * 180 / Pi);
        p.scale(1, 0.55);
        QPainterPath pt;
        pt.moveTo(r * 0.3, -r * 0.12);
        pt.quadTo(r * 1.1, -r * 0.28, r * 1.35, r * 0.05);
        pt.quadTo(r * 1.1, r * 0.25, r * 0.3, r * 0.12);
        pt.closeSubpath();
        QLinearGradient g(r * 0.3, 0, r * 1.35, 0);
        g.setColorAt(0, shade(petal, 0.75));
        g.setColorAt(1, shade(petal, 1.1));
        p.setBrush(g);
        p.drawPath(pt);
        p.setPen(QPen(shade(petal, 0.8), r * 0.02));
        p.drawLine(QPointF(r * 0.35, 0), QPointF(r * 1.25, 0.02 * r));
        p.setPen(Qt::NoPen);
        p.restore();
    }
    QRadialGradient cone(at - QPointF(r * 0.1, r * 0.15), r * 0.45);
    cone.setColorAt(0, QColor(240, 150, 50));
    cone.setColorAt(1, QColor(120, 50, 20));
    p.setBrush(cone);
    p.drawEllipse(at - QPointF(0, r * 0.08), r * 0.4, r * 0.32);
    for (int k = 0; k < 40; ++k) {
        const double a = rng.range(0, 2 * Pi), d = std::sqrt(rng.uniform()) * r * 0.36;
        p.setBrush(rng.chance(0.5) ? QColor(250, 190, 80) : QColor(90, 40, 20));
        p.drawEllipse(at + QPointF(std::cos(a) * d, std::sin(a) * d * 0.8 - r * 0.08), r * 0.03, r * 0.03);
    }
}

// One side of the butterfly drawn for the right; the left is its mirror.
void wings(QPainter& p, Rng& rng, double s)
{
    // Hind wing first, fore wing over it.
    QPainterPath hind;
    hind.moveTo(2, 4);
    hind.cubicTo(30, 0, 70, 10, 78, 34);
    hind.cubicTo(84, 56, 64, 84, 44, 90);
    hind.cubicTo(30, 94, 16, 84, 10, 62);
    hind.cubicTo(6, 44, 2, 20, 2, 4);
    QPainterPath fore;
    fore.moveTo(2, 2);
    fore.cubicTo(10, -30, 50, -70, 92, -84);
    fore.cubicTo(112, -88, 124, -76, 120, -56);
    fore.cubicTo(116, -30, 100, 0, 80, 14);
    fore.cubicTo(50, 20, 20, 14, 2, 2);
    for (const QPainterPath* wing : {&hind, &fore}) {
        QRadialGradient g(QPointF(10, 0), 120);
        g.setColorAt(0, QColor(120, 30, 20));
        g.setColorAt(0.3, QColor(190, 60, 36));
        g.setColorAt(0.8, QColor(170, 50, 40));
        g.setColorAt(1, QColor(90, 30, 30));
        p.setBrush(g);
        p.setPen(QPen(QColor(50, 30, 30), 2.2));
        p.drawPath(*wing);
        p.setPen(Qt::NoPen);
        p.save();
        p.setClipPath(*wing);
        // Dark margin with pale specks.
        QPainterPathStroker edge;
        edge.setWidth(14);
        p.setBrush(QColor(70, 40, 40));
        p.drawPath(edge.createStroke(*wing));
        for (int k = 0; k < 40; ++k) {
            const QPointF at = wing->pointAtPercent(rng.uniform());
            p.setBrush(QColor(200, 190, 200, 150));
            p.drawEllipse(at, 1.3, 1.3);
        }
        // Veins.
        p.setPen(QPen(QColor(80, 30, 24, 160), 1.0));
        for (int k = 0; k < 7; ++k) {
            const QPointF end = wing->pointAtPercent(0.08 + k * 0.12);
            p.drawLine(QPointF(4, 2), end);
        }
        p.setPen(Qt::NoPen);
        p.restore();
    }
    // The fore wing's eye: yellow, blue, black.
    p.save();
    p.translate(92, -58);
    p.rotate(-20);
    p.setBrush(QColor(240, 200, 120));
    p.drawEllipse(QPointF(0, 0), 24, 18);
    p.setBrush(QColor(40, 30, 40));
    p.drawEllipse(QPointF(2, 1), 17, 12);
    QRadialGradient blue(QPointF(0, -2), 14);
    blue.setColorAt(0, QColor(170, 200, 240));
    blue.setColorAt(1, QColor(40, 70, 150));
    p.setBrush(blue);
    p.drawEllipse(QPointF(-1, -1), 12, 8);
    p.setBrush(QColor(30, 24, 36));
    p.drawEllipse(QPointF(1, 1), 6, 4);
    p.setBrush(QColor(250, 250, 240));
    for (int k = 0; k < 4; ++k)
        p.drawEllipse(QPointF(-6 + k * 4, -3 + (k % 2)), 1.2, 1.0);
    p.restore();
    // Cream bar on the leading edge.
    p.setBrush(QColor(240, 220, 170));
    p.drawEllipse(QPointF(62, -66), 9, 4);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(48, -54), 6, 3.6);
    p.drawEllipse(QPointF(74, -74), 4, 3);
    // The hind wing's eye: grey-blue with black.
    p.save();
    p.translate(56, 48);
    p.setBrush(QColor(40, 30, 36));
    p.drawEllipse(QPointF(0, 0), 19, 16);
    QRadialGradient hb(QPointF(-2, -2), 16);
    hb.setColorAt(0, QColor(160, 170, 200));
    hb.setColorAt(1, QColor(50, 60, 100));
    p.setBrush(hb);
    p.drawEllipse(QPointF(0, 0), 14, 11);
    p.setBrush(QColor(20, 18, 26));
    p.drawEllipse(QPointF(2, 1), 7, 6);
    p.setBrush(QColor(230, 230, 250, 200));
    p.drawEllipse(QPointF(-4, -4), 2.5, 2);
    p.restore();
    // Hairs near the body.
    p.setPen(QPen(QColor(90, 60, 50, 140), 0.6));
    for (int k = 0; k < 80; ++k) {
        const QPointF a(rng.range(2, 20), rng.range(-10, 40));
        p.drawLine(a, a + QPointF(rng.range(2, 6), rng.range(-2, 2)));
    }
    p.setPen(Qt::NoPen);
    (void)s;
}

}  // namespace

QImage butterfly(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(211);
    const double u = w / 300.0;

    // Soft garden behind: greens with out-of-focus blossoms.
    c.perPixel([&](double x, double y, QRgb& px) {
        const double n = fbm(x / 60.0, y / 60.0, 4, 211);
        const double m = fbm(x / 25.0, y / 25.0, 3, 212);
        QColor col = mix(QColor(60, 100, 60), QColor(170, 196, 110), n * 1.2 - 0.1);
        col = mix(col, QColor(230, 220, 160), smooth(0.6, 0.85, m) * 0.5 * (1 - y / h));
        col = shade(col, 1.1 - y / h * 0.3);
        px = col.rgb();
    });
    p.setPen(Qt::NoPen);
    const std::vector<QColor> bokeh = {QColor(250, 240, 200, 90), QColor(240, 160, 200, 100), QColor(200, 220, 140, 90),
                                       QColor(255, 250, 230, 110), QColor(180, 150, 220, 90)};
    for (int i = 0; i < 70; ++i) {
        const QPointF at(rng.range(0, w), rng.range(0, h));
        const double r = rng.range(4, 18) * u;
        const QColor col = rng.pick(bokeh);
        QRadialGradient g(at, r);
        g.setColorAt(0, col);
        g.setColorAt(0.8, col);
        g.setColorAt(1, withAlpha(col, 0));
        p.setBrush(g);
        p.drawEllipse(at, r, r);
    }
    // Blurred leaves and stems.
    for (int i = 0; i < 24; ++i) {
        p.save();
        p.translate(rng.range(0, w), rng.range(0, h));
        p.rotate(rng.range(0, 360));
        p.setBrush(QColor(50, 90, 50, 90));
        p.drawEllipse(QPointF(0, 0), rng.range(14, 30) * u, rng.range(5, 9) * u);
        p.restore();
    }
    // The flowers: stems, far heads, the near one the butterfly sits on.
    p.setPen(QPen(QColor(70, 110, 60), 4 * u));
    p.drawLine(QPointF(150 * u, 226 * u), QPointF(140 * u, h + 4));
    p.drawLine(QPointF(44 * u, 250 * u), QPointF(50 * u, h + 4));
    p.drawLine(QPointF(262 * u, 70 * u), QPointF(280 * u, h + 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 130, 60));
    p.save();
    p.translate(144 * u, 270 * u);
    p.rotate(-30);
    p.drawEllipse(QPointF(20 * u, 0), 24 * u, 7 * u);
    p.restore();
    p.setPen(QPen(QColor(70, 110, 60), 3 * u));
    p.drawLine(QPointF(252 * u, 262 * u), QPointF(246 * u, h + 4));
    p.setPen(Qt::NoPen);
    // Grass blades across the foot of the picture.
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(0, w), len = rng.range(30, 90) * u;
        p.setPen(QPen(rng.chance(0.5) ? QColor(90, 140, 70, 200) : QColor(50, 90, 50, 200), rng.range(1.5, 3) * u,
                      Qt::SolidLine, Qt::RoundCap));
        QPainterPath b;
        b.moveTo(x, h + 4);
        b.quadTo(x + rng.range(-10, 10) * u, h - len * 0.6, x + rng.range(-24, 24) * u, h - len);
        p.drawPath(b);
    }
    p.setPen(Qt::NoPen);
    coneflower(p, rng, QPointF(252 * u, 262 * u), 34 * u, QColor(240, 180, 210));
    coneflower(p, rng, QPointF(262 * u, 70 * u), 30 * u, QColor(220, 140, 200));
    coneflower(p, rng, QPointF(44 * u, 250 * u), 36 * u, QColor(236, 150, 190));
    coneflower(p, rng, QPointF(150 * u, 232 * u), 62 * u, QColor(226, 120, 180));

    // The butterfly, a little turned, sitting on the cone.
    p.save();
    p.translate(150 * u, 140 * u);
    p.rotate(-6);
    p.scale(u * 1.02, u * 1.02);
    p.setBrush(QColor(30, 20, 20, 60));
    p.drawEllipse(QPointF(6, 70), 60, 10);
    wings(p, rng, 1);
    p.save();
    p.scale(-1, 1);
    wings(p, rng, 1);
    p.restore();
    // Body, head and antennae.
    QLinearGradient bg(-6, 0, 6, 0);
    bg.setColorAt(0, QColor(110, 80, 60));
    bg.setColorAt(1, QColor(40, 30, 26));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(-5, -30, 10, 90), 5, 5);
    p.drawEllipse(QPointF(0, -34), 7, 7);
    p.setPen(QPen(QColor(90, 70, 60, 160), 0.6));
    for (int k = 0; k < 50; ++k) {
        const double y = rng.range(-28, 50);
        p.drawLine(QPointF(rng.range(-4, 4), y), QPointF(rng.range(-7, 7), y + rng.range(-2, 2)));
    }
    p.setPen(QPen(QColor(40, 30, 30), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath ant;
    ant.moveTo(-2, -40);
    ant.quadTo(-8, -70, -22, -88);
    ant.moveTo(2, -40);
    ant.quadTo(8, -70, 22, -88);
    p.drawPath(ant);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 230, 210));
    p.drawEllipse(QPointF(-22, -88), 2.6, 3.2);
    p.drawEllipse(QPointF(22, -88), 2.6, 3.2);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(-4, -36), 2.4, 2.4);
    p.drawEllipse(QPointF(4, -36), 2.4, 2.4);
    p.restore();
    // Scales catch the light: a fine shimmer over everything sharp.
    grain(c, QRect(0, 0, w, h), 0.05, 1.5, 2110);
    return c.finish();
}

}  // namespace pictures
