// 209: a coral reef in clear tropical water, full of fish.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

struct FishLook {
    QColor body, belly, fin;
    QColor stripe;
    int stripes;     // 0 none, n vertical bands
    double height;   // body height to length
};

void fish(QPainter& p, QPointF at, double len, const FishLook& f, bool left)
{
    p.save();
    p.translate(at);
    if (left)
        p.scale(-1, 1);
    const double hh = len * f.height;
    QPainterPath body;
    body.moveTo(len * 0.5, 0);
    body.cubicTo(len * 0.4, -hh * 0.6, -len * 0.1, -hh * 0.6, -len * 0.32, -hh * 0.12);
    body.lineTo(-len * 0.5, -hh * 0.45);
    body.quadTo(-len * 0.46, 0, -len * 0.5, hh * 0.45);
    body.lineTo(-len * 0.32, hh * 0.12);
    body.cubicTo(-len * 0.1, hh * 0.6, len * 0.4, hh * 0.6, len * 0.5, 0);
    // Fins.
    QPainterPath dorsal;
    dorsal.moveTo(len * 0.2, -hh * 0.42);
    dorsal.quadTo(0, -hh * 0.95, -len * 0.25, -hh * 0.3);
    dorsal.closeSubpath();
    QPainterPath anal;
    anal.moveTo(len * 0.05, hh * 0.42);
    anal.quadTo(-len * 0.1, hh * 0.85, -len * 0.26, hh * 0.28);
    anal.closeSubpath();
    p.setBrush(f.fin);
    p.drawPath(dorsal);
    p.drawPath(anal);
    QLinearGradient g(0, -hh * 0.5, 0, hh * 0.5);
    g.setColorAt(0, shade(f.body, 0.85));
    g.setColorAt(0.45, f.body);
    g.setColorAt(1, f.belly);
    p.setBrush(g);
    p.drawPath(body);
    if (f.stripes > 0) {
        p.save();
        p.setClipPath(body);
        p.setBrush(f.stripe);
        for (int k = 0; k < f.stripes; ++k) {
            const double x = len * 0.3 - k * len * 0.28;
            p.drawRect(QRectF(x - len * 0.05, -hh, len * 0.1, hh * 2));
        }
        p.restore();
    }
    p.setPen(QPen(shade(f.body, 0.55), len * 0.015));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(len * 0.18, -hh * 0.3, len * 0.2, hh * 0.6), 100 * 16, 160 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 240));
    p.drawEllipse(QPointF(len * 0.34, -hh * 0.1), len * 0.05, len * 0.05);
    p.setBrush(QColor(20, 20, 30));
    p.drawEllipse(QPointF(len * 0.35, -hh * 0.1), len * 0.028, len * 0.028);
    p.setBrush(withAlpha(f.fin, 180));
    p.drawEllipse(QPointF(len * 0.12, hh * 0.12), len * 0.09, len * 0.04);
    p.restore();
}

void branchCoral(QPainter& p, Rng& rng, QPointF base, double len, double angle, int depth, const QColor& col)
{
    if (depth == 0 || len < 2)
        return;
    const QPointF end = base + QPointF(std::cos(angle) * len, std::sin(angle) * len);
    p.setPen(QPen(shade(col, 0.8 + depth * 0.06), std::max(1.0, len * 0.28), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base, end);
    if (depth == 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(shade(col, 1.25));
        p.drawEllipse(end, len * 0.18, len * 0.18);
    }
    const int kids = 2 + (rng.chance(0.3) ? 1 : 0);
    for (int k = 0; k < kids; ++k)
        branchCoral(p, rng, end, len * rng.range(0.65, 0.85), angle + rng.range(-0.6, 0.6), depth - 1, col);
}

}  // namespace

QImage reef(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(209);
    const double u = w / 392.0;

    // Water: bright at the surface, deep teal below, with caustic light.
    c.perPixel([&](double x, double y, QRgb& px) {
        const double t = y / h;
        QColor col = mix(QColor(120, 210, 220), QColor(20, 90, 130), std::pow(t, 0.8));
        const double a = fbm(x / 26.0, y / 26.0 + x / 80.0, 4, 91);
        const double ridged = 1 - std::abs(a * 2 - 1);
        col = mix(col, QColor(220, 250, 240), smooth(0.82, 0.97, ridged) * (1 - t) * 0.55);
        px = col.rgb();
    });
    p.setPen(Qt::NoPen);
    // The surface seen from below.
    c.perPixel(QRect(0, 0, w, int(30 * u)), [&](double x, double y, QRgb& px) {
        const double wave = 10 * u + std::sin(x / (9 * u)) * 3 * u + (fbm(x / 20.0, 0.5, 3, 92) - 0.5) * 10 * u;
        if (y < wave) {
            const double n = fbm(x / 8.0, y / 3.0, 3, 93);
            px = mix(QColor(190, 240, 240), QColor(250, 255, 250), n).rgb();
        }
    });
    // Sunbeams slanting down.
    for (int i = 0; i < 7; ++i) {
        const double x0 = rng.range(-40, 360) * u;
        QPainterPath beam;
        beam.moveTo(x0, 0);
        beam.lineTo(x0 + rng.range(14, 30) * u, 0);
        beam.lineTo(x0 + 120 * u, h * 0.8);
        beam.lineTo(x0 + 80 * u, h * 0.8);
        beam.closeSubpath();
        QLinearGradient g(0, 0, 0, h * 0.8);
        g.setColorAt(0, QColor(240, 255, 240, 70));
        g.setColorAt(1, QColor(240, 255, 240, 0));
        p.setBrush(g);
        p.drawPath(beam);
    }
    // Far reef silhouettes.
    p.setBrush(QColor(40, 110, 140));
    p.drawPath(ridge(0, w, 250 * u, 20 * u, 50 * u, 12, h));
    for (int i = 0; i < 10; ++i)
        branchCoral(p, rng, QPointF(rng.range(0, w), 250 * u + rng.range(0, 20) * u), 10 * u, -Pi / 2 + rng.range(-0.4, 0.4), 4,
                    QColor(60, 130, 150));
    // A school of little silver fish far off.
    for (int i = 0; i < 46; ++i) {
        const QPointF at(200 * u + rng.gauss() * 60 * u, 120 * u + rng.gauss() * 22 * u + (rng.uniform() - 0.5) * 20 * u);
        fish(p, at, rng.range(7, 10) * u, {QColor(170, 200, 210), QColor(230, 240, 240), QColor(140, 180, 190), QColor(), 0, 0.35},
             true);
    }
    // Sand with ripples.
    c.perPixel(QRect(0, int(300 * u), w, h - int(300 * u)), [&](double x, double y, QRgb& px) {
        const double top = 318 * u + std::sin(x / (40 * u)) * 8 * u;
        if (y < top)
            return;
        const double rip = std::sin((y + fbm(x / 30.0, y / 30.0, 3, 95) * 30) / (3.5 * u));
        QColor col = mix(QColor(230, 210, 160), QColor(190, 170, 130), 0.5 + rip * 0.3);
        col = mix(col, QColor(240, 250, 230), smooth(0.8, 0.95, 1 - std::abs(fbm(x / 20.0, y / 20.0, 3, 96) * 2 - 1)) * 0.4);
        px = col.rgb();
    });
    // Corals: brain corals, fans, branches, anemones, weed.
    auto brain = [&](QPointF at, double r, const QColor& col) {
        p.setBrush(shade(col, 0.7));
        p.drawChord(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r * 1.1), 0, 180 * 16);
        p.save();
        QPainterPath dome;
        dome.moveTo(at);
        dome.arcTo(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r * 1.1), 0, 180);
        dome.closeSubpath();
        p.setClipPath(dome);
        p.setPen(QPen(shade(col, 1.2), r * 0.06));
        p.setBrush(Qt::NoBrush);
        for (int k = 0; k < int(r * 1.2); ++k) {
            const QPointF a(at.x() + rng.range(-r, r), at.y() - rng.range(0, r));
            QPainterPath m;
            m.moveTo(a);
            m.cubicTo(a + QPointF(rng.range(-6, 6) * u, rng.range(-6, 6) * u), a + QPointF(rng.range(-6, 6) * u, rng.range(-6, 6) * u),
                      a + QPointF(rng.range(-10, 10) * u, rng.range(-6, 6) * u));
            p.drawPath(m);
        }
        p.setPen(Qt::NoPen);
        QRadialGradient g(at - QPointF(r * 0.3, r * 0.6), r * 1.3);
        g.setColorAt(0, QColor(255, 255, 230, 90));
        g.setColorAt(1, QColor(0, 20, 40, 90));
        p.setBrush(g);
        p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, r));
        p.restore();
    };
    auto fan = [&](QPointF at, double r, const QColor& col) {
        p.setPen(QPen(col, 1.2 * u));
        p.setBrush(Qt::NoBrush);
        for (int k = 0; k < 18; ++k) {
            const double a = -Pi + 0.25 + k * (Pi - 0.5) / 17;
            QPainterPath rib;
            rib.moveTo(at);
            rib.quadTo(at + QPointF(std::cos(a) * r * 0.5, std::sin(a) * r * 0.6),
                       at + QPointF(std::cos(a) * r, std::sin(a) * r));
            p.drawPath(rib);
        }
        p.setPen(QPen(withAlpha(shade(col, 1.2), 200), 0.6 * u));
        for (double rr = r * 0.2; rr < r; rr += r * 0.09)
            p.drawArc(QRectF(at.x() - rr, at.y() - rr, 2 * rr, 2 * rr), 15 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
    };
    auto anemone = [&](QPointF at, double r, const QColor& col) {
        for (int k = 0; k < 26; ++k) {
            const double a = -Pi + k * Pi / 25;
            QPainterPath t;
            t.moveTo(at);
            t.quadTo(at + QPointF(std::cos(a) * r * 0.6 + rng.range(-3, 3) * u, std::sin(a) * r * 0.8),
                     at + QPointF(std::cos(a) * r + rng.range(-4, 4) * u, std::sin(a) * r * 0.9));
            p.setPen(QPen(k % 2 ? col : shade(col, 1.25), 2.4 * u, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(t);
        }
        p.setPen(Qt::NoPen);
    };
    auto weed = [&](double x, double base, double height, const QColor& col) {
        p.setPen(QPen(col, 3 * u, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath s;
        s.moveTo(x, base);
        for (double t = 0; t < 1; t += 0.1)
            s.lineTo(x + std::sin(t * 7 + x) * 6 * u, base - t * height);
        p.drawPath(s);
        p.setPen(Qt::NoPen);
        p.setBrush(shade(col, 1.15));
        for (double t = 0.1; t < 1; t += 0.12) {
            const QPointF a(x + std::sin(t * 7 + x) * 6 * u, base - t * height);
            p.drawEllipse(a + QPointF(4 * u, 0), 5 * u, 2 * u);
            p.drawEllipse(a - QPointF(4 * u, 2 * u), 5 * u, 2 * u);
        }
    };
    weed(20 * u, h, 200 * u, QColor(80, 140, 70));
    weed(372 * u, h, 240 * u, QColor(110, 150, 60));
    weed(350 * u, h, 180 * u, QColor(70, 130, 80));
    fan(QPointF(90 * u, 312 * u), 66 * u, QColor(150, 70, 150));
    fan(QPointF(300 * u, 300 * u), 52 * u, QColor(220, 110, 80));
    for (int i = 0; i < 6; ++i)
        branchCoral(p, rng, QPointF(rng.range(140, 260) * u, 330 * u), 18 * u, -Pi / 2 + rng.range(-0.5, 0.5), 5,
                    rng.chance(0.5) ? QColor(240, 140, 110) : QColor(240, 190, 90));
    brain(QPointF(50 * u, 372 * u), 40 * u, QColor(200, 170, 90));
    brain(QPointF(230 * u, 378 * u), 34 * u, QColor(170, 130, 160));
    brain(QPointF(340 * u, 386 * u), 44 * u, QColor(120, 160, 110));
    anemone(QPointF(146 * u, 372 * u), 38 * u, QColor(240, 160, 190));
    // Clownfish in their anemone.
    const FishLook clown{QColor(250, 120, 30), QColor(250, 170, 80), QColor(230, 90, 20), QColor(252, 250, 240), 3, 0.5};
    fish(p, QPointF(140 * u, 322 * u), 28 * u, clown, false);
    fish(p, QPointF(172 * u, 340 * u), 22 * u, clown, true);
    // A starfish and shells on the sand.
    p.save();
    p.translate(286 * u, 352 * u);
    p.rotate(14);
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const double a = -Pi / 2 + k * Pi / 5, r = (k % 2 ? 6 : 16) * u;
        star << QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    p.setBrush(QColor(230, 90, 60));
    p.drawPolygon(star);
    p.setBrush(QColor(250, 200, 150));
    for (int k = 0; k < 10; ++k)
        p.drawEllipse(star[k] * (k % 2 ? 1.0 : 0.6), 1 * u, 1 * u);
    p.restore();
    // The big fish.
    fish(p, QPointF(96 * u, 90 * u), 64 * u, {QColor(250, 210, 40), QColor(250, 236, 120), QColor(240, 190, 30), QColor(), 0, 0.8}, false);
    fish(p, QPointF(300 * u, 60 * u), 56 * u, {QColor(40, 90, 200), QColor(90, 150, 230), QColor(250, 210, 50), QColor(20, 30, 60), 1, 0.55}, true);
    fish(p, QPointF(270 * u, 190 * u), 70 * u, {QColor(240, 236, 220), QColor(250, 250, 240), QColor(240, 200, 60), QColor(30, 30, 40), 3, 0.95}, true);
    fish(p, QPointF(70 * u, 200 * u), 40 * u, {QColor(160, 80, 180), QColor(250, 210, 60), QColor(140, 60, 160), QColor(), 0, 0.5}, false);
    fish(p, QPointF(340 * u, 250 * u), 34 * u, {QColor(230, 80, 90), QColor(250, 170, 150), QColor(200, 60, 70), QColor(250, 230, 220), 2, 0.5}, true);
    fish(p, QPointF(170 * u, 250 * u), 30 * u, {QColor(60, 170, 160), QColor(200, 240, 200), QColor(240, 140, 60), QColor(), 0, 0.45}, false);
    // Bubbles rising.
    for (int i = 0; i < 70; ++i) {
        const QPointF at(rng.range(0, w), rng.range(20, 330) * u);
        const double r = rng.range(1, 4) * u;
        p.setPen(QPen(QColor(230, 255, 255, 170), 0.7 * u));
        p.setBrush(QColor(200, 240, 250, 50));
        p.drawEllipse(at, r, r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(at - QPointF(r * 0.35, r * 0.35), r * 0.25, r * 0.25);
    }
    return c.finish();
}

}  // namespace pictures
