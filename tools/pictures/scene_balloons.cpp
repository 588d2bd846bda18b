// 206: hot-air balloons drifting over patchwork fields.

#include "countryside.h"
#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void balloon(QPainter& p, Rng& rng, double x, double y, double r, const std::vector<QColor>& gores,
             const QColor& band, int pattern)
{
    // Envelope: round crown tapering to the mouth.
    QPainterPath env;
    env.moveTo(x - r * 0.28, y + r * 1.25);
    env.cubicTo(x - r * 0.7, y + r * 0.75, x - r * 1.02, y + r * 0.35, x - r, y - r * 0.05);
    env.cubicTo(x - r * 0.98, y - r * 0.62, x - r * 0.55, y - r * 1.0, x, y - r * 1.0);
    env.cubicTo(x + r * 0.55, y - r * 1.0, x + r * 0.98, y - r * 0.62, x + r, y - r * 0.05);
    env.cubicTo(x + r * 1.02, y + r * 0.35, x + r * 0.7, y + r * 0.75, x + r * 0.28, y + r * 1.25);
    env.closeSubpath();
    auto halfWidth = [&](double yy) {
        const double t = (yy - (y - r)) / (r * 2.25);
        if (t < 0.45)
            return r * std::sqrt(std::max(0.0, 1 - std::pow((0.45 - t) / 0.45, 2)));
        return r * (1 - (t - 0.45) / 0.55 * 0.72);
    };
    p.save();
    p.setClipPath(env);
    p.setPen(Qt::NoPen);
    const int n = 12;
    for (int k = 0; k < n; ++k) {
        const double a0 = -Pi / 2 + Pi * k / n, a1 = -Pi / 2 + Pi * (k + 1) / n;
        QPolygonF gore;
        for (double yy = y - r * 1.05; yy <= y + r * 1.3; yy += r * 0.05)
            gore << QPointF(x + halfWidth(yy) * std::sin(a0) * 1.02, yy);
        for (double yy = y + r * 1.3; yy >= y - r * 1.05; yy -= r * 0.05)
            gore << QPointF(x + halfWidth(yy) * std::sin(a1) * 1.02, yy);
        p.setBrush(gores[size_t(k) % gores.size()]);
        p.drawPolygon(gore);
    }
    // A band round the middle: zigzag, checks or stars.
    if (pattern == 0) {
        QPolygonF zig;
        for (int k = 0; k <= 24; ++k) {
            const double a = -Pi / 2 + Pi * k / 24;
            zig << QPointF(x + r * std::sin(a), y + r * 0.05 + (k % 2 ? -r * 0.12 : r * 0.12));
        }
        for (int k = 24; k >= 0; --k) {
            const double a = -Pi / 2 + Pi * k / 24;
            zig << QPointF(x + halfWidth(y + r * 0.35) * std::sin(a), y + r * 0.35 + (k % 2 ? -r * 0.12 : r * 0.12));
        }
        p.setBrush(band);
        p.drawPolygon(zig);
    } else if (pattern == 1) {
        for (int k = 0; k < 16; ++k) {
            const double a = -Pi / 2 + Pi * (k + 0.5) / 16;
            const double bx = x + r * std::sin(a);
            p.setBrush(k % 2 ? band : QColor(250, 244, 230));
            p.drawRect(QRectF(bx - r * 0.07 * std::cos(a), y - r * 0.1, r * 0.14 * std::cos(a), r * 0.2));
            p.setBrush(k % 2 ? QColor(250, 244, 230) : band);
            p.drawRect(QRectF(bx - r * 0.07 * std::cos(a), y + r * 0.1, r * 0.14 * std::cos(a), r * 0.2));
        }
    } else {
        p.setBrush(band);
        p.drawRect(QRectF(x - r, y - r * 0.55, 2 * r, r * 0.22));
        for (int k = 0; k < 7; ++k) {
            const double a = -Pi / 2 + Pi * (k + 0.5) / 7;
            const QPointF c(x + r * 0.98 * std::sin(a) * 0.95, y + r * 0.1);
            const double s = r * 0.12 * std::cos(a) + r * 0.02;
            QPolygonF star;
            for (int m = 0; m < 10; ++m) {
                const double sa = -Pi / 2 + m * Pi / 5;
                const double rr = m % 2 ? s * 0.45 : s;
                star << c + QPointF(std::cos(sa) * rr, std::sin(sa) * rr);
            }
            p.setBrush(QColor(250, 236, 160));
            p.drawPolygon(star);
        }
    }
    // Round shading: light from the upper left.
    QRadialGradient lg(QPointF(x - r * 0.4, y - r * 0.5), r * 2.0);
    lg.setColorAt(0, QColor(255, 255, 240, 110));
    lg.setColorAt(0.35, QColor(255, 255, 240, 0));
    lg.setColorAt(0.7, QColor(40, 20, 50, 40));
    lg.setColorAt(1, QColor(40, 20, 50, 150));
    p.setBrush(lg);
    p.drawRect(QRectF(x - r * 1.1, y - r * 1.1, r * 2.2, r * 2.5));
    p.restore();
    // Mouth, ropes and basket.
    p.setPen(QPen(QColor(80, 60, 50), std::max(0.4, r * 0.02)));
    const double by = y + r * 1.62;
    p.drawLine(QPointF(x - r * 0.27, y + r * 1.25), QPointF(x - r * 0.14, by));
    p.drawLine(QPointF(x + r * 0.27, y + r * 1.25), QPointF(x + r * 0.14, by));
    p.drawLine(QPointF(x - r * 0.09, y + r * 1.26), QPointF(x - r * 0.05, by));
    p.drawLine(QPointF(x + r * 0.09, y + r * 1.26), QPointF(x + r * 0.05, by));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 100, 56));
    p.drawRoundedRect(QRectF(x - r * 0.16, by, r * 0.32, r * 0.2), r * 0.03, r * 0.03);
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(x - r * 0.17, by, r * 0.34, r * 0.04));
    p.setPen(QPen(QColor(120, 80, 44), std::max(0.3, r * 0.012)));
    for (int k = 1; k < 4; ++k)
        p.drawLine(QPointF(x - r * 0.16 + k * r * 0.08, by + r * 0.04), QPointF(x - r * 0.16 + k * r * 0.08, by + r * 0.2));
    p.setPen(Qt::NoPen);
    (void)rng;
}

}  // namespace

QImage balloons(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(206);
    const double u = w / 320.0;
    const double horizon = 214 * u;

    skyGradient(c, 0, horizon,
                {{0, QColor(90, 146, 200)}, {0.55, QColor(160, 200, 226)}, {0.85, QColor(240, 224, 200)},
                 {1, QColor(250, 214, 170)}},
                0.45, 61);
    const QColor cl(255, 250, 240), cs(206, 202, 216);
    for (int i = 0; i < 14; ++i) {
        const double cy = rng.range(10, 190) * u;
        const double size = 0.4 + cy / (190 * u) * 0.2;
        cloud(p, rng, rng.range(-20, 340) * u, cy, rng.range(50, 110) * u * size, rng.range(16, 30) * u * size,
              cl, cs, int(rng.range(170, 240)));
    }
    grain(c, QRect(0, 0, w, int(horizon)), 0.08, 14, 2061);
    // A bank of low cloud along the horizon.
    for (int i = 0; i < 9; ++i)
        cloud(p, rng, (i * 40 + rng.range(-10, 10)) * u, rng.range(186, 200) * u, rng.range(40, 70) * u,
              rng.range(12, 20) * u, QColor(255, 240, 220), QColor(214, 196, 200), int(rng.range(150, 210)));
    // Blue hills on the horizon, then the fields.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 160, 180));
    p.drawPath(ridge(0, w, horizon - 6 * u, 8 * u, 60 * u, 8, horizon + 4 * u));
    p.setBrush(QColor(120, 146, 140));
    p.drawPath(ridge(0, w, horizon, 5 * u, 40 * u, 9, horizon + 6 * u));
    fields(c, rng, horizon + 2 * u, h + 30 * u, 7, 8);
    // A village with its church in the middle distance.
    for (int i = 0; i < 14; ++i) {
        const double hx = 190 * u + rng.range(-30, 30) * u, hy = 246 * u + rng.range(-6, 8) * u;
        p.setBrush(rng.chance(0.5) ? QColor(240, 230, 210) : QColor(230, 200, 160));
        p.drawRect(QRectF(hx, hy - 4 * u, 7 * u, 4 * u));
        p.setBrush(QColor(180, 80, 60));
        QPolygonF roof;
        roof << QPointF(hx - 1 * u, hy - 4 * u) << QPointF(hx + 3.5 * u, hy - 7 * u) << QPointF(hx + 8 * u, hy - 4 * u);
        p.drawPolygon(roof);
    }
    p.setBrush(QColor(236, 226, 206));
    p.drawRect(QRectF(186 * u, 226 * u, 5 * u, 16 * u));
    QPolygonF spire;
    spire << QPointF(185 * u, 227 * u) << QPointF(188.5 * u, 216 * u) << QPointF(192 * u, 227 * u);
    p.setBrush(QColor(90, 110, 120));
    p.drawPolygon(spire);

    // The balloons, far to near.
    struct B { double x, y, r; std::vector<QColor> gores; QColor band; int pattern; };
    const std::vector<B> fleet = {
        {168 * u, 172 * u, 8 * u, {QColor(230, 110, 60), QColor(250, 236, 200)}, QColor(60, 100, 150), 0},
        {262 * u, 150 * u, 11 * u, {QColor(70, 120, 180), QColor(240, 230, 200)}, QColor(220, 70, 60), 1},
        {40 * u, 168 * u, 9 * u, {QColor(240, 190, 60), QColor(220, 120, 40)}, QColor(80, 60, 120), 0},
        {150 * u, 112 * u, 16 * u, {QColor(120, 170, 90), QColor(240, 220, 150)}, QColor(200, 70, 60), 2},
        {218 * u, 70 * u, 26 * u, {QColor(200, 60, 60), QColor(240, 200, 80), QColor(60, 110, 170)}, QColor(250, 244, 220), 0},
        {78 * u, 70 * u, 38 * u, {QColor(240, 200, 90), QColor(210, 80, 70), QColor(240, 232, 210), QColor(70, 120, 160)}, QColor(60, 100, 80), 1},
        {284 * u, 232 * u, 30 * u, {QColor(150, 70, 120), QColor(250, 200, 120)}, QColor(60, 110, 170), 2},
    };
    for (const B& b : fleet)
        balloon(p, rng, b.x, b.y, b.r, b.gores, b.band, b.pattern);
    // Birds.
    p.setPen(QPen(QColor(70, 70, 90), 0.9 * u, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const double gx = rng.range(120, 300) * u, gy = rng.range(120, 190) * u, gs = rng.range(2, 4) * u;
        QPainterPath g;
        g.moveTo(gx - gs, gy);
        g.quadTo(gx - gs * 0.5, gy - gs * 0.6, gx, gy);
        g.quadTo(gx + gs * 0.5, gy - gs * 0.6, gx + gs, gy);
        p.drawPath(g);
    }
    return c.finish();
}

}  // namespace pictures
