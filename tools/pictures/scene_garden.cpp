// 210: a cottage garden in June: hollyhocks, foxgloves, daisies and roses.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void daisy(QPainter& p, QPointF at, double r, const QColor& petal, const QColor& eye, double turn)
{
    const int n = 12;
    for (int k = 0; k < n; ++k) {
        const double a = turn + k * 2 * Pi / n;
        p.save();
        p.translate(at + QPointF(std::cos(a) * r * 0.55, std::sin(a) * r * 0.45));
        p.rotate(a * 180 / Pi);
        p.setBrush(k % 2 ? petal : shade(petal, 0.9));
        p.drawEllipse(QPointF(0, 0), r * 0.5, r * 0.16);
        p.restore();
    }
    QRadialGradient g(at - QPointF(r * 0.08, r * 0.08), r * 0.3);
    g.setColorAt(0, shade(eye, 1.3));
    g.setColorAt(1, shade(eye, 0.7));
    p.setBrush(g);
    p.drawEllipse(at, r * 0.25, r * 0.22);
}

void spike(QPainter& p, Rng& rng, double x, double base, double height, const QColor& bloom, double size,
           bool bells)
{
    p.setPen(QPen(QColor(70, 110, 50), std::max(0.6, size * 0.25)));
    p.drawLine(QPointF(x, base), QPointF(x + size * 0.3, base - height));
    p.setPen(Qt::NoPen);
    // Leaves at the foot.
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(x, base - k * size * 1.5);
        p.rotate(k % 2 ? -40 : 220);
        p.setBrush(QColor(80, 130, 60));
        p.drawEllipse(QPointF(size * 1.4, 0), size * 1.5, size * 0.5);
        p.restore();
    }
    const int n = int(height / (size * 0.9));
    for (int k = n; k >= 0; --k) {
        const double t = double(k) / n;
        if (t < 0.35)
            continue;
        const double y = base - height * t;
        const double bx = x + size * 0.3 * t;
        const double s = size * (1.15 - t * 0.55);
        const QColor col = shade(bloom, 0.8 + rng.range(0, 0.4));
        if (t > 0.9) {
            p.setBrush(QColor(110, 150, 70));
            p.drawEllipse(QPointF(bx, y), s * 0.4, s * 0.5);
            continue;
        }
        for (int side : {-1, 1}) {
            const double ox = side * s * 0.55 + rng.range(-0.2, 0.2) * s;
            if (bells) {
                QPainterPath b;
                b.moveTo(bx + ox - s * 0.35, y - s * 0.3);
                b.quadTo(bx + ox, y - s * 0.5, bx + ox + s * 0.35, y - s * 0.3);
                b.lineTo(bx + ox + s * 0.5, y + s * 0.45);
                b.quadTo(bx + ox, y + s * 0.3, bx + ox - s * 0.5, y + s * 0.45);
                b.closeSubpath();
                p.setBrush(col);
                p.drawPath(b);
                p.setBrush(shade(col, 0.6));
                p.drawEllipse(QPointF(bx + ox, y + s * 0.3), s * 0.3, s * 0.12);
            } else {
                QRadialGradient g(QPointF(bx + ox - s * 0.2, y - s * 0.2), s * 0.8);
                g.setColorAt(0, shade(col, 1.2));
                g.setColorAt(1, shade(col, 0.75));
                p.setBrush(g);
                p.drawEllipse(QPointF(bx + ox, y), s * 0.62, s * 0.58);
                p.setBrush(QColor(250, 236, 150));
                p.drawEllipse(QPointF(bx + ox, y), s * 0.14, s * 0.14);
            }
        }
    }
}

void rose(QPainter& p, QPointF at, double r, const QColor& col)
{
    p.setBrush(shade(col, 0.7));
    p.drawEllipse(at, r, r * 0.9);
    for (int k = 0; k < 3; ++k) {
        const double rr = r * (0.85 - k * 0.25);
        p.setBrush(shade(col, 0.85 + k * 0.15));
        p.drawEllipse(at + QPointF(-r * 0.05 * k, -r * 0.08 * k), rr, rr * 0.85);
        p.setPen(QPen(shade(col, 0.6), r * 0.07));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(at.x() - rr * 0.7, at.y() - rr * 0.6, rr * 1.4, rr * 1.2), 200 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
    }
}

}  // namespace

QImage flowerGarden(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(210);
    const double u = w / 336.0;

    skyGradient(c, 0, 130 * u,
                {{0, QColor(100, 150, 200)}, {0.7, QColor(180, 210, 226)}, {1, QColor(240, 230, 206)}}, 0.4, 101);
    p.setPen(Qt::NoPen);
    cloud(p, rng, 60 * u, 24 * u, 90 * u, 30 * u, QColor(255, 250, 240), QColor(206, 204, 216));
    cloud(p, rng, 170 * u, 50 * u, 70 * u, 22 * u, QColor(255, 250, 240), QColor(206, 204, 216), 230);
    cloud(p, rng, 10 * u, 70 * u, 40 * u, 16 * u, QColor(255, 250, 240), QColor(206, 204, 216), 210);
    grain(c, QRect(0, 0, w, int(130 * u)), 0.07, 14, 2101);
    // Trees beyond the garden.
    for (int i = 0; i < 14; ++i)
        leafyTree(p, rng, (i * 18 - 10 + rng.range(-6, 6)) * u, rng.range(130, 150) * u, rng.range(80, 110) * u,
                  {QColor(50, 86, 56), QColor(76, 116, 64), QColor(110, 146, 80), QColor(150, 176, 96)},
                  QColor(90, 70, 50));
    // The cottage wall on the right, with a window and a rose.
    const double wx = 214 * u;
    c.perPixel(QRect(int(wx), 0, w - int(wx), int(260 * u)), [&](double x, double y, QRgb& px) {
        if (x < wx)
            return;
        // Rough stones in courses.
        const double row = std::floor(y / (9 * u));
        const double off = std::fmod(row * 7.3, 13.0) * u;
        const double cell = std::floor((x + off) / (15 * u));
        const double fx = std::fmod(x + off, 15 * u) / (15 * u), fy = std::fmod(y, 9 * u) / (9 * u);
        const double tone = hash2(int(cell), int(row), 11);
        QColor stone = mix(QColor(214, 196, 166), QColor(176, 150, 120), tone);
        stone = shade(stone, 0.9 + 0.2 * fbm(x / 3.0, y / 3.0, 3, 12));
        const double mortar = std::min({fx, 1 - fx, fy * 0.6, (1 - fy) * 0.6});
        QColor col = mix(QColor(120, 104, 90), stone, smooth(0.0, 0.08, mortar));
        col = shade(col, 1.05 - (x - wx) / (w - wx) * 0.15);
        px = col.rgb();
    });
    // Thatch eave along the top.
    QPainterPath thatch;
    thatch.moveTo(wx - 12 * u, 0);
    thatch.lineTo(w, 0);
    thatch.lineTo(w, 28 * u);
    thatch.quadTo(270 * u, 40 * u, wx - 12 * u, 30 * u);
    thatch.closeSubpath();
    p.setBrush(QColor(170, 130, 70));
    p.drawPath(thatch);
    p.save();
    p.setClipPath(thatch);
    p.setPen(QPen(QColor(120, 88, 46), 0.7 * u));
    for (int i = 0; i < 260; ++i) {
        const double x = rng.range(wx - 12 * u, w), y = rng.range(0, 40 * u);
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(-1, 1) * u, y + rng.range(4, 9) * u));
    }
    p.restore();
    p.setPen(Qt::NoPen);
    // Window with curtains and a flower box.
    const QRectF win(244 * u, 66 * u, 62 * u, 70 * u);
    p.setBrush(QColor(240, 236, 224));
    p.drawRect(win.adjusted(-5 * u, -5 * u, 5 * u, 5 * u));
    p.setBrush(QColor(50, 60, 70));
    p.drawRect(win);
    p.setBrush(QColor(236, 120, 110));
    p.drawChord(QRectF(win.left() - 14 * u, win.top() - 6 * u, 34 * u, 120 * u), 90 * 16, -180 * 16);
    p.drawChord(QRectF(win.right() - 20 * u, win.top() - 6 * u, 34 * u, 120 * u), 90 * 16, 180 * 16);
    p.setBrush(QColor(250, 240, 220, 140));
    for (int k = 0; k < 6; ++k)
        p.drawEllipse(QPointF(win.left() + 3 * u + (k % 2) * 2 * u, win.top() + 8 * u + k * 10 * u), 2 * u, 2 * u);
    p.setBrush(QColor(240, 236, 224));
    p.drawRect(QRectF(win.center().x() - 2 * u, win.top(), 4 * u, win.height()));
    p.drawRect(QRectF(win.left(), win.center().y() - 2 * u, win.width(), 4 * u));
    p.setBrush(QColor(200, 220, 230, 70));
    QPolygonF glint;
    glint << win.topLeft() + QPointF(30 * u, 0) << win.topLeft() + QPointF(44 * u, 0)
          << win.topLeft() + QPointF(14 * u, 70 * u) << win.topLeft() + QPointF(0, 70 * u);
    p.drawPolygon(glint);
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(QRectF(win.left() - 6 * u, win.bottom() + 4 * u, win.width() + 12 * u, 12 * u));
    for (int k = 0; k < 9; ++k) {
        daisy(p, QPointF(win.left() - 2 * u + k * 8 * u, win.bottom() + 2 * u + (k % 2) * 3 * u), 7 * u,
              k % 3 == 0 ? QColor(250, 80, 60) : (k % 3 == 1 ? QColor(250, 240, 230) : QColor(240, 150, 200)),
              QColor(240, 190, 40), k);
    }
    // Climbing rose up the wall.
    p.setPen(QPen(QColor(90, 80, 50), 1.4 * u));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(226 * u, 250 * u);
    stem.cubicTo(214 * u, 180 * u, 250 * u, 150 * u, 232 * u, 60 * u);
    stem.moveTo(232 * u, 160 * u);
    stem.cubicTo(250 * u, 150 * u, 300 * u, 160 * u, 320 * u, 150 * u);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 150; ++i) {
        const double t = rng.uniform();
        const QPointF at = rng.chance(0.6) ? stem.pointAtPercent(t * 0.6) : stem.pointAtPercent(0.6 + t * 0.4);
        const QPointF off(rng.range(-14, 14) * u, rng.range(-10, 10) * u);
        if (rng.chance(0.7)) {
            p.save();
            p.translate(at + off);
            p.rotate(rng.range(0, 360));
            p.setBrush(rng.chance(0.5) ? QColor(60, 110, 50) : QColor(90, 140, 60));
            p.drawEllipse(QPointF(0, 0), 3.4 * u, 1.8 * u);
            p.restore();
        } else {
            rose(p, at + off, rng.range(2.8, 4.6) * u, rng.chance(0.5) ? QColor(230, 90, 110) : QColor(250, 170, 180));
        }
    }
    // Flowering shrubs behind the fence: hydrangea, lilac, a rose.
    const std::vector<QColor> blossoms = {QColor(150, 170, 230), QColor(240, 190, 220), QColor(190, 140, 210),
                                          QColor(250, 246, 236), QColor(230, 90, 110)};
    for (int i = 0; i < 9; ++i) {
        const double bx = (i * 26 + rng.range(-6, 6)) * u;
        leafyTree(p, rng, bx, 226 * u, rng.range(100, 124) * u,
                  {QColor(56, 96, 54), QColor(80, 124, 62), QColor(116, 156, 80), QColor(150, 180, 96)},
                  QColor(70, 60, 40));
        const QColor bloom = blossoms[size_t(i) % blossoms.size()];
        for (int k = 0; k < 7; ++k) {
            const QPointF at(bx + rng.range(-20, 20) * u, rng.range(112, 160) * u);
            const double r = rng.range(4, 7) * u;
            for (int m = 0; m < 12; ++m) {
                const double a = rng.range(0, 2 * Pi), d = rng.range(0, r);
                p.setBrush(shade(bloom, rng.range(0.75, 1.15)));
                p.drawEllipse(at + QPointF(std::cos(a) * d, std::sin(a) * d), 1.5 * u, 1.5 * u);
            }
        }
    }
    // The picket fence with its gate ajar.
    for (double x = -4 * u; x < wx; x += 11 * u) {
        const double top = 150 * u + std::sin(x / (30 * u)) * 2 * u;
        QPolygonF picket;
        picket << QPointF(x, top + 4 * u) << QPointF(x + 3.5 * u, top) << QPointF(x + 7 * u, top + 4 * u)
               << QPointF(x + 7 * u, 226 * u) << QPointF(x, 226 * u);
        QLinearGradient g(x, 0, x + 7 * u, 0);
        g.setColorAt(0, QColor(250, 246, 236));
        g.setColorAt(1, QColor(190, 186, 180));
        p.setBrush(g);
        p.drawPolygon(picket);
    }
    p.setBrush(QColor(220, 214, 204));
    p.drawRect(QRectF(0, 164 * u, wx, 5 * u));
    p.drawRect(QRectF(0, 204 * u, wx, 5 * u));
    // Lawn and bed.
    meadow(c, rng, QRectF(0, 214 * u, w, h - 214 * u), QColor(60, 100, 40), QColor(140, 176, 80), 1400);
    // Stepping stones to the gate.
    for (int k = 0; k < 6; ++k) {
        const double t = k / 5.0;
        const QPointF at(150 * u + std::sin(t * 3) * 20 * u, (236 + t * t * 90) * u);
        const double s = (8 + t * 22) * u;
        p.setBrush(QColor(80, 70, 60, 120));
        p.drawEllipse(at + QPointF(1 * u, 1.5 * u), s, s * 0.4);
        QRadialGradient g(at - QPointF(s * 0.3, s * 0.2), s * 1.2);
        g.setColorAt(0, QColor(226, 214, 190));
        g.setColorAt(1, QColor(150, 136, 118));
        p.setBrush(g);
        p.drawEllipse(at, s, s * 0.38);
    }
    // Tall flowers behind, smaller ones in front.
    const std::vector<QColor> hollyhock = {QColor(220, 80, 120), QColor(250, 200, 210), QColor(180, 40, 80),
                                           QColor(250, 236, 200)};
    for (int i = 0; i < 7; ++i) {
        const double x = rng.range(4, 120) * u;
        spike(p, rng, x, 250 * u, rng.range(90, 130) * u, rng.pick(hollyhock), 8 * u, false);
    }
    for (int i = 0; i < 6; ++i) {
        const double x = rng.range(176, 330) * u;
        spike(p, rng, x, 262 * u, rng.range(70, 100) * u, rng.chance(0.5) ? QColor(180, 110, 200) : QColor(240, 170, 200),
              6 * u, true);
    }
    // Lavender and daisies in clumps.
    for (int i = 0; i < 90; ++i) {
        const double x = rng.range(0, w), y = rng.range(240, 340) * u;
        if (std::abs(x - 150 * u - std::sin((y / u - 236) / 90 * 3) * 20 * u) < 24 * u)
            continue;
        const double t = (y - 240 * u) / (100 * u);
        if (rng.chance(0.35)) {
            p.setPen(QPen(QColor(90, 120, 70), 0.7 * u));
            for (int k = 0; k < 5; ++k) {
                const double lx = x + k * 2 * u;
                p.drawLine(QPointF(lx, y), QPointF(lx + (k - 2) * 2 * u, y - (14 + t * 10) * u));
            }
            p.setPen(Qt::NoPen);
            for (int k = 0; k < 5; ++k) {
                const double lx = x + k * 2 * u + (k - 2) * 2 * u;
                for (int m = 0; m < 6; ++m) {
                    p.setBrush(m % 2 ? QColor(150, 120, 200) : QColor(120, 90, 180));
                    p.drawEllipse(QPointF(lx - (k - 2) * 0.2 * m * u, y - (14 + t * 10) * u + m * 1.8 * u), 1.3 * u, 1.6 * u);
                }
            }
        } else {
            const QColor petal = rng.pick(std::vector<QColor>{QColor(252, 250, 240), QColor(250, 210, 60),
                                                             QColor(240, 120, 60), QColor(220, 60, 70)});
            p.setPen(QPen(QColor(80, 120, 60), 0.8 * u));
            p.drawLine(QPointF(x, y + 10 * u), QPointF(x, y));
            p.setPen(Qt::NoPen);
            daisy(p, QPointF(x, y), (4 + t * 8) * u, petal,
                  petal.red() > 240 && petal.blue() > 200 ? QColor(240, 190, 40) : QColor(110, 60, 30), rng.range(0, 6));
        }
    }
    // A watering can by the path.
    const QPointF can(76 * u, 318 * u);
    p.setBrush(QColor(80, 130, 140));
    p.drawRoundedRect(QRectF(can.x() - 18 * u, can.y() - 24 * u, 32 * u, 26 * u), 3 * u, 3 * u);
    p.setBrush(QColor(110, 166, 176));
    p.drawRect(QRectF(can.x() - 16 * u, can.y() - 24 * u, 8 * u, 26 * u));
    QPolygonF spout;
    spout << QPointF(can.x() + 12 * u, can.y() - 8 * u) << QPointF(can.x() + 36 * u, can.y() - 30 * u)
          << QPointF(can.x() + 38 * u, can.y() - 27 * u) << QPointF(can.x() + 14 * u, can.y() - 2 * u);
    p.setBrush(QColor(70, 116, 126));
    p.drawPolygon(spout);
    p.setBrush(QColor(60, 100, 110));
    p.drawEllipse(QPointF(can.x() + 38 * u, can.y() - 30 * u), 3.5 * u, 4.5 * u);
    p.setPen(QPen(QColor(70, 116, 126), 3 * u));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(can.x() - 14 * u, can.y() - 40 * u, 22 * u, 32 * u), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    // Bees and a white butterfly.
    for (int i = 0; i < 5; ++i) {
        const QPointF b(rng.range(20, 320) * u, rng.range(150, 300) * u);
        p.setBrush(QColor(250, 250, 250, 180));
        p.drawEllipse(b + QPointF(-1.5 * u, -2 * u), 2 * u, 1.4 * u);
        p.setBrush(QColor(240, 180, 40));
        p.drawEllipse(b, 2.4 * u, 1.6 * u);
        p.setBrush(QColor(40, 30, 20));
        p.drawRect(QRectF(b.x() - 0.5 * u, b.y() - 1.6 * u, 1 * u, 3.2 * u));
    }
    return c.finish();
}

}  // namespace pictures
