// 204: a still life of fruit in a blue-and-white bowl on a checked cloth.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void highlight(QPainter& p, QPointF at, double r, int alpha)
{
    QRadialGradient g(at, r);
    g.setColorAt(0, QColor(255, 252, 240, alpha));
    g.setColorAt(1, QColor(255, 252, 240, 0));
    p.setBrush(g);
    p.drawEllipse(at, r, r);
}

void shadow(QPainter& p, QPointF at, double rx, double ry)
{
    QRadialGradient g(at, rx);
    g.setColorAt(0, QColor(40, 20, 20, 130));
    g.setColorAt(1, QColor(40, 20, 20, 0));
    p.save();
    p.translate(at);
    p.scale(1, ry / rx);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
    p.setBrush(Qt::NoBrush);
}

void apple(QPainter& p, Rng& rng, QPointF c, double r, const QColor& skin, const QColor& blush)
{
    QPainterPath body;
    body.moveTo(c.x(), c.y() - r * 0.75);
    body.cubicTo(c.x() + r * 0.5, c.y() - r * 1.05, c.x() + r * 1.1, c.y() - r * 0.8, c.x() + r, c.y());
    body.cubicTo(c.x() + r * 0.95, c.y() + r * 0.8, c.x() + r * 0.3, c.y() + r * 0.95, c.x(), c.y() + r * 0.85);
    body.cubicTo(c.x() - r * 0.3, c.y() + r * 0.95, c.x() - r * 0.95, c.y() + r * 0.8, c.x() - r, c.y());
    body.cubicTo(c.x() - r * 1.1, c.y() - r * 0.8, c.x() - r * 0.5, c.y() - r * 1.05, c.x(), c.y() - r * 0.75);
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.35), r * 1.5);
    g.setColorAt(0, shade(skin, 1.2));
    g.setColorAt(0.5, skin);
    g.setColorAt(1, shade(skin, 0.45));
    p.setBrush(g);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    // Streaks of blush and freckles.
    p.setPen(QPen(withAlpha(blush, 110), r * 0.08));
    for (int i = 0; i < 9; ++i) {
        const double a = -0.9 + i * 0.22 + rng.range(-0.05, 0.05);
        p.drawLine(c + QPointF(std::sin(a) * r * 0.2, -r * 0.7), c + QPointF(std::sin(a) * r * 1.3, r * 0.9));
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 30; ++i) {
        p.setBrush(withAlpha(shade(skin, 1.4), 120));
        p.drawEllipse(c + QPointF(rng.range(-r, r), rng.range(-r, r)), r * 0.03, r * 0.03);
    }
    p.restore();
    highlight(p, c + QPointF(-r * 0.4, -r * 0.35), r * 0.35, 200);
    p.setPen(QPen(QColor(90, 60, 30), r * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -r * 0.7), c + QPointF(r * 0.12, -r * 1.1));
    p.setPen(Qt::NoPen);
    QPainterPath leaf;
    leaf.moveTo(c + QPointF(r * 0.1, -r * 1.0));
    leaf.quadTo(c + QPointF(r * 0.5, -r * 1.4), c + QPointF(r * 0.85, -r * 1.05));
    leaf.quadTo(c + QPointF(r * 0.45, -r * 0.85), c + QPointF(r * 0.1, -r * 1.0));
    p.setBrush(QColor(90, 130, 50));
    p.drawPath(leaf);
}

void orange(QPainter& p, Rng& rng, QPointF c, double r)
{
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.35), r * 1.5);
    g.setColorAt(0, QColor(255, 196, 90));
    g.setColorAt(0.5, QColor(240, 140, 30));
    g.setColorAt(1, QColor(150, 60, 10));
    p.setBrush(g);
    p.drawEllipse(c, r, r * 0.96);
    // Dimpled peel.
    for (int i = 0; i < int(r * r * 0.9); ++i) {
        const double a = rng.range(0, 2 * Pi), d = std::sqrt(rng.uniform()) * r * 0.95;
        const QPointF at = c + QPointF(std::cos(a) * d, std::sin(a) * d * 0.96);
        p.setBrush(rng.chance(0.5) ? QColor(255, 210, 120, 90) : QColor(160, 70, 10, 80));
        p.drawEllipse(at, r * 0.035, r * 0.035);
    }
    highlight(p, c + QPointF(-r * 0.35, -r * 0.4), r * 0.35, 190);
    p.setBrush(QColor(100, 110, 40));
    p.drawEllipse(c + QPointF(r * 0.1, -r * 0.85), r * 0.09, r * 0.06);
}

void pear(QPainter& p, Rng& rng, QPointF c, double r)
{
    QPainterPath body;
    body.moveTo(c + QPointF(0, -r * 1.5));
    body.cubicTo(c + QPointF(r * 0.45, -r * 1.5), c + QPointF(r * 0.35, -r * 0.6), c + QPointF(r * 0.8, -r * 0.1));
    body.cubicTo(c + QPointF(r * 1.2, r * 0.4), c + QPointF(r * 0.8, r * 1.0), c + QPointF(0, r * 1.0));
    body.cubicTo(c + QPointF(-r * 0.8, r * 1.0), c + QPointF(-r * 1.2, r * 0.4), c + QPointF(-r * 0.8, -r * 0.1));
    body.cubicTo(c + QPointF(-r * 0.35, -r * 0.6), c + QPointF(-r * 0.45, -r * 1.5), c + QPointF(0, -r * 1.5));
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.8);
    g.setColorAt(0, QColor(244, 226, 120));
    g.setColorAt(0.5, QColor(200, 180, 60));
    g.setColorAt(1, QColor(110, 90, 30));
    p.setBrush(g);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setBrush(QColor(200, 100, 60, 70));
    p.drawEllipse(c + QPointF(r * 0.5, r * 0.2), r * 0.6, r * 0.7);
    for (int i = 0; i < 60; ++i) {
        p.setBrush(QColor(120, 90, 30, 90));
        p.drawEllipse(c + QPointF(rng.range(-r, r), rng.range(-1.5 * r, r)), r * 0.03, r * 0.03);
    }
    p.restore();
    highlight(p, c + QPointF(-r * 0.35, -r * 0.1), r * 0.3, 170);
    p.setPen(QPen(QColor(90, 60, 30), r * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -r * 1.45), c + QPointF(-r * 0.15, -r * 1.85));
    p.setPen(Qt::NoPen);
}

void grapes(QPainter& p, Rng& rng, QPointF top, double r, const QColor& berry)
{
    std::vector<QPointF> at;
    for (int row = 0; row < 7; ++row) {
        const int n = std::max(1, 5 - row / 2 - (row > 4 ? 2 : 0));
        for (int k = 0; k < n; ++k)
            at.push_back(top + QPointF((k - (n - 1) / 2.0) * r * 1.6 + rng.range(-0.3, 0.3) * r + row * r * 0.25,
                                       row * r * 1.35 + rng.range(-0.2, 0.2) * r));
    }
    std::reverse(at.begin(), at.end());
    for (const QPointF& q : at) {
        QRadialGradient g(q + QPointF(-r * 0.3, -r * 0.35), r * 1.3);
        g.setColorAt(0, shade(berry, 1.5));
        g.setColorAt(0.5, berry);
        g.setColorAt(1, shade(berry, 0.4));
        p.setBrush(g);
        p.drawEllipse(q, r, r * 1.08);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(q + QPointF(-r * 0.35, -r * 0.4), r * 0.22, r * 0.16);
    }
    p.setPen(QPen(QColor(100, 80, 40), r * 0.25, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(top + QPointF(0, -r), top + QPointF(r * 0.6, -r * 2.2));
    p.setPen(Qt::NoPen);
}

void banana(QPainter& p, QPointF a, double len, double angle)
{
    p.save();
    p.translate(a);
    p.rotate(angle);
    QPainterPath b;
    b.moveTo(0, 0);
    b.quadTo(len * 0.5, len * 0.3, len, -len * 0.05);
    b.quadTo(len * 1.03, len * 0.02, len * 0.98, len * 0.06);
    b.quadTo(len * 0.5, len * 0.48, -len * 0.02, len * 0.12);
    b.closeSubpath();
    QLinearGradient g(0, 0, 0, len * 0.4);
    g.setColorAt(0, QColor(255, 236, 120));
    g.setColorAt(0.5, QColor(240, 200, 60));
    g.setColorAt(1, QColor(170, 120, 30));
    p.setBrush(g);
    p.drawPath(b);
    p.setPen(QPen(QColor(180, 140, 40), len * 0.012));
    p.setBrush(Qt::NoBrush);
    QPainterPath ridgeLine;
    ridgeLine.moveTo(len * 0.02, len * 0.06);
    ridgeLine.quadTo(len * 0.5, len * 0.38, len * 0.97, len * 0.02);
    p.drawPath(ridgeLine);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 30));
    p.drawEllipse(QPointF(len * 0.99, len * 0.02), len * 0.025, len * 0.04);
    p.drawRect(QRectF(-len * 0.06, 0, len * 0.07, len * 0.1));
    for (int i = 0; i < 8; ++i) {
        p.setBrush(QColor(120, 90, 40, 140));
        p.drawEllipse(QPointF(len * (0.2 + i * 0.09), len * (0.18 + std::sin(i) * 0.04)), len * 0.012,
                      len * 0.008);
    }
    p.restore();
}

}  // namespace

QImage fruitStillLife(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(204);
    const double u = w / 360.0;
    const double tableY = 214 * u;

    // Wallpaper of small flowers in stripes, lit from the left.
    c.perPixel(QRect(0, 0, w, int(tableY) + 1), [&](double x, double y, QRgb& px) {
        const double stripe = std::fmod(x, 24 * u) / (24 * u);
        QColor col = mix(QColor(120, 100, 56), QColor(150, 124, 70), smooth(0.45, 0.5, stripe) - smooth(0.95, 1.0, stripe));
        const double light = 1.25 - 0.8 * std::hypot(x - 90 * u, y - 60 * u) / (360 * u);
        col = shade(col, light + (fbm(x / 30.0, y / 30.0, 3, 5) - 0.5) * 0.15);
        px = col.rgb();
    });
    p.setPen(Qt::NoPen);
    for (double y = 8 * u; y < tableY; y += 18 * u)
        for (double x = 6 * u + std::fmod(y / u, 36.0) / 36.0 * 12 * u; x < w; x += 24 * u) {
            const double l = 1.25 - 0.8 * std::hypot(x - 90 * u, y - 60 * u) / (360 * u);
            const QColor petal = shade(QColor(200, 150, 90), l);
            p.setBrush(petal);
            for (int k = 0; k < 4; ++k) {
                const double a = k * Pi / 2 + Pi / 4;
                p.drawEllipse(QPointF(x + std::cos(a) * 2.2 * u, y + std::sin(a) * 2.2 * u), 1.8 * u, 1.8 * u);
            }
            p.setBrush(shade(QColor(110, 60, 40), l));
            p.drawEllipse(QPointF(x, y), 1.2 * u, 1.2 * u);
            p.setBrush(shade(QColor(90, 110, 60), l));
            p.drawEllipse(QPointF(x + 4 * u, y + 5 * u), 2.4 * u, 1 * u);
        }
    // A small framed landscape on the wall.
    {
        const QRectF frame(112 * u, 22 * u, 118 * u, 92 * u);
        shadow(p, frame.center() + QPointF(8 * u, 8 * u), 80 * u, 60 * u);
        QLinearGradient fg(frame.topLeft(), frame.bottomRight());
        fg.setColorAt(0, QColor(240, 200, 110));
        fg.setColorAt(0.5, QColor(180, 130, 50));
        fg.setColorAt(1, QColor(120, 80, 30));
        p.setBrush(fg);
        p.drawRect(frame);
        p.setBrush(QColor(150, 100, 40));
        p.drawRect(frame.adjusted(7 * u, 7 * u, -7 * u, -7 * u));
        const QRectF art = frame.adjusted(10 * u, 10 * u, -10 * u, -10 * u);
        QLinearGradient sky(0, art.top(), 0, art.bottom());
        sky.setColorAt(0, QColor(120, 160, 200));
        sky.setColorAt(0.6, QColor(240, 210, 170));
        p.setBrush(sky);
        p.drawRect(art);
        p.save();
        p.setClipRect(art);
        cloud(p, rng, art.left() + 30 * u, art.top() + 14 * u, 40 * u, 12 * u, QColor(255, 248, 236), QColor(210, 200, 210));
        p.setBrush(QColor(110, 140, 90));
        p.drawPath(ridge(art.left(), art.right(), art.top() + 48 * u, 8 * u, 30 * u, 3, art.bottom()));
        p.setBrush(QColor(80, 110, 70));
        p.drawPath(ridge(art.left(), art.right(), art.top() + 60 * u, 5 * u, 20 * u, 4, art.bottom()));
        leafyTree(p, rng, art.left() + 70 * u, art.top() + 62 * u, 34 * u,
                  {QColor(50, 80, 50), QColor(80, 110, 60), QColor(120, 150, 70)}, QColor(90, 60, 40));
        p.setBrush(QColor(236, 226, 200));
        p.drawRect(QRectF(art.left() + 22 * u, art.top() + 50 * u, 14 * u, 9 * u));
        QPainterPath roof;
        roof.moveTo(art.left() + 20 * u, art.top() + 51 * u);
        roof.lineTo(art.left() + 29 * u, art.top() + 43 * u);
        roof.lineTo(art.left() + 38 * u, art.top() + 51 * u);
        p.setBrush(QColor(170, 60, 50));
        p.drawPath(roof);
        p.restore();
        p.setPen(QPen(QColor(90, 60, 30), 1.2 * u));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(frame.center().x(), frame.top()), QPointF(frame.center().x(), 2 * u));
        p.setPen(Qt::NoPen);
    }
    // A little shelf with books on the left.
    {
        p.setBrush(QColor(60, 30, 20, 70));
        p.drawRect(QRectF(0, 114 * u, 70 * u, 8 * u));
        p.setBrush(QColor(130, 84, 50));
        p.drawRect(QRectF(0, 106 * u, 66 * u, 6 * u));
        double bx = 2 * u;
        const std::vector<QColor> spines = {QColor(150, 50, 40), QColor(60, 90, 130), QColor(200, 160, 70),
                                            QColor(70, 110, 70), QColor(120, 60, 90), QColor(190, 100, 60)};
        for (int k = 0; k < 7; ++k) {
            const double bw = rng.range(5, 8) * u, bh = rng.range(20, 30) * u;
            p.setBrush(spines[size_t(k) % spines.size()]);
            if (k == 6) {
                p.save();
                p.translate(bx, 106 * u);
                p.rotate(-20);
                p.drawRect(QRectF(0, -bh, bw, bh));
                p.restore();
            } else {
                p.drawRect(QRectF(bx, 106 * u - bh, bw, bh));
                p.setBrush(QColor(230, 200, 120));
                p.drawRect(QRectF(bx, 106 * u - bh + 4 * u, bw, 1.2 * u));
                p.drawRect(QRectF(bx, 106 * u - 6 * u, bw, 1.2 * u));
            }
            bx += bw + 0.6 * u;
        }
    }
    // A painted plate hangs beside the picture.
    {
        const QPointF at(262 * u, 96 * u);
        shadow(p, at + QPointF(5 * u, 6 * u), 30 * u, 30 * u);
        QRadialGradient pg(at - QPointF(8 * u, 8 * u), 34 * u);
        pg.setColorAt(0, QColor(255, 255, 250));
        pg.setColorAt(1, QColor(190, 196, 210));
        p.setBrush(pg);
        p.drawEllipse(at, 26 * u, 26 * u);
        p.setPen(QPen(QColor(40, 70, 150), 2 * u));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 22 * u, 22 * u);
        p.drawEllipse(at, 13 * u, 13 * u);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 8; ++k) {
            const double a = k * Pi / 4;
            p.setBrush(QColor(40, 70, 150));
            p.drawEllipse(at + QPointF(std::cos(a) * 17.5 * u, std::sin(a) * 17.5 * u), 2.4 * u, 2.4 * u);
        }
        p.setBrush(QColor(200, 60, 50));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * Pi / 5;
            p.drawEllipse(at + QPointF(std::cos(a) * 5 * u, std::sin(a) * 5 * u), 4 * u, 4 * u);
        }
        p.setBrush(QColor(240, 200, 70));
        p.drawEllipse(at, 3 * u, 3 * u);
    }
    // Sunlight falls across the wall from a window on the left.
    {
        QPainterPath beam;
        beam.moveTo(0, 20 * u);
        beam.lineTo(90 * u, 0);
        beam.lineTo(260 * u, tableY);
        beam.lineTo(0, tableY);
        beam.closeSubpath();
        QLinearGradient lg(0, 0, 260 * u, tableY);
        lg.setColorAt(0, QColor(255, 236, 180, 70));
        lg.setColorAt(1, QColor(255, 236, 180, 0));
        p.setBrush(lg);
        p.drawPath(beam);
    }
    // A velvet curtain gathered on the right.
    QPainterPath curtain;
    curtain.moveTo(w, 0);
    curtain.lineTo(286 * u, 0);
    curtain.cubicTo(300 * u, 80 * u, 330 * u, 120 * u, 316 * u, tableY);
    curtain.lineTo(w, tableY);
    curtain.closeSubpath();
    QLinearGradient cg(286 * u, 0, w, 0);
    for (int k = 0; k <= 8; ++k)
        cg.setColorAt(k / 8.0, k % 2 ? QColor(130, 30, 40) : QColor(190, 60, 60));
    p.setBrush(cg);
    p.drawPath(curtain);
    p.save();
    p.setClipPath(curtain);
    QLinearGradient fall(0, 0, 0, tableY);
    fall.setColorAt(0, QColor(40, 0, 10, 110));
    fall.setColorAt(0.5, QColor(40, 0, 10, 0));
    fall.setColorAt(1, QColor(40, 0, 10, 60));
    p.fillRect(QRectF(280 * u, 0, 80 * u, tableY), fall);
    p.restore();
    // A scalloped pelmet with tassels.
    QPainterPath pelmet;
    pelmet.moveTo(276 * u, 0);
    pelmet.lineTo(w, 0);
    pelmet.lineTo(w, 30 * u);
    for (int k = 0; k < 4; ++k) {
        const double x1 = w - (k + 1) * (w - 276 * u) / 4;
        pelmet.quadTo((w - (k + 0.5) * (w - 276 * u) / 4), 44 * u, x1, 30 * u);
    }
    pelmet.closeSubpath();
    QLinearGradient pgr(0, 0, 0, 44 * u);
    pgr.setColorAt(0, QColor(110, 24, 34));
    pgr.setColorAt(1, QColor(170, 50, 50));
    p.setBrush(pgr);
    p.drawPath(pelmet);
    p.setBrush(QColor(220, 170, 70));
    p.drawRect(QRectF(276 * u, 26 * u, w - 276 * u, 3 * u));
    for (int k = 0; k <= 4; ++k) {
        const double tx = 276 * u + k * (w - 276 * u) / 4;
        p.drawRect(QRectF(tx - 0.6 * u, 30 * u, 1.2 * u, 8 * u));
        p.drawEllipse(QPointF(tx, 41 * u), 2.6 * u, 4 * u);
    }
    p.setBrush(QColor(220, 170, 70));
    p.drawRoundedRect(QRectF(300 * u, 120 * u, 60 * u, 8 * u), 4 * u, 4 * u);
    for (int k = 0; k < 5; ++k)
        p.drawEllipse(QPointF(308 * u + k * 3 * u, 134 * u + k * 4 * u), 2.2 * u, 3 * u);

    // The checked cloth in perspective, with folds.
    const double vanishY = -260 * u, cx = 180 * u;
    c.perPixel(QRect(0, int(tableY), w, h - int(tableY)), [&](double x, double y, QRgb& px) {
        if (y < tableY)
            return;
        const double depth = (y - vanishY);
        const double fold = std::sin(x / (16 * u) + fbm(x / 50.0, y / 50.0, 2, 9) * 5) *
                            (fbm(x / 40.0, y / 20.0, 3, 11) - 0.3);
        const double cu = (x - cx) / depth * 9.0 + fold * 0.05;
        const double cv = 2600.0 * u / depth + fold * 0.08;
        const bool a = int(std::floor(cu * 2)) % 2 == 0;
        const bool b = int(std::floor(cv * 2)) % 2 == 0;
        QColor col = a && b ? QColor(250, 244, 230) : (a || b ? QColor(214, 110, 100) : QColor(170, 44, 46));
        // Woven texture.
        col = shade(col, 0.95 + 0.1 * hash2(int(x * 2), int(y * 2), 3));
        col = shade(col, 0.9 + fold * 0.35);
        px = col.rgb();
    });
    // The cloth hangs over the table's front edge.
    QLinearGradient edge(0, 330 * u, 0, h);
    edge.setColorAt(0, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(40, 10, 10, 90));
    p.fillRect(QRectF(0, 330 * u, w, h - 330 * u), edge);

    // A jug behind on the left.
    const double jx = 60 * u, jy = 250 * u;
    shadow(p, QPointF(jx + 16 * u, jy), 46 * u, 10 * u);
    QPainterPath jug;
    jug.moveTo(jx - 26 * u, jy);
    jug.cubicTo(jx - 42 * u, jy - 60 * u, jx - 14 * u, jy - 80 * u, jx - 20 * u, jy - 118 * u);
    jug.lineTo(jx + 18 * u, jy - 120 * u);
    jug.lineTo(jx + 28 * u, jy - 126 * u);
    jug.cubicTo(jx + 20 * u, jy - 100 * u, jx + 44 * u, jy - 60 * u, jx + 26 * u, jy);
    jug.closeSubpath();
    QLinearGradient jg(jx - 40 * u, 0, jx + 40 * u, 0);
    jg.setColorAt(0, QColor(130, 150, 120));
    jg.setColorAt(0.35, QColor(190, 210, 170));
    jg.setColorAt(1, QColor(60, 80, 70));
    p.setBrush(jg);
    p.drawPath(jug);
    p.setPen(QPen(QColor(80, 100, 80), 7 * u));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(jx - 48 * u, jy - 108 * u, 30 * u, 50 * u), 90 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.save();
    p.setClipPath(jug);
    for (int k = 0; k < 3; ++k) {
        p.setBrush(QColor(220, 180, 80, 200));
        p.drawRect(QRectF(jx - 50 * u, jy - (92 - k * 4) * u, 100 * u, 1.6 * u));
    }
    for (int k = 0; k < 7; ++k) {
        p.setBrush(QColor(170, 60, 50, 200));
        p.drawEllipse(QPointF(jx - 30 * u + k * 10 * u, jy - 60 * u), 3 * u, 3 * u);
        p.setBrush(QColor(240, 220, 180, 200));
        p.drawEllipse(QPointF(jx - 30 * u + k * 10 * u, jy - 60 * u), 1.2 * u, 1.2 * u);
    }
    p.restore();
    highlight(p, QPointF(jx - 12 * u, jy - 70 * u), 10 * u, 150);

    // The bowl: back rim, fruit, front.
    const QPointF bowl(190 * u, 236 * u);
    const double br = 92 * u;
    shadow(p, bowl + QPointF(20 * u, 44 * u), br * 1.3, 24 * u);
    p.setBrush(QColor(60, 80, 130));
    p.drawEllipse(bowl, br, br * 0.28);
    grapes(p, rng, bowl + QPointF(-58 * u, -56 * u), 7.5 * u, QColor(110, 60, 120));
    banana(p, bowl + QPointF(-40 * u, -72 * u), 110 * u, 8);
    pear(p, rng, bowl + QPointF(50 * u, -48 * u), 26 * u);
    orange(p, rng, bowl + QPointF(-10 * u, -30 * u), 30 * u);
    apple(p, rng, bowl + QPointF(40 * u, -14 * u), 30 * u, QColor(196, 40, 40), QColor(250, 200, 80));
    apple(p, rng, bowl + QPointF(-52 * u, -8 * u), 26 * u, QColor(150, 180, 60), QColor(220, 80, 40));
    grapes(p, rng, bowl + QPointF(78 * u, -6 * u), 6.5 * u, QColor(150, 170, 80));
    QLinearGradient bg(bowl.x() - br, 0, bowl.x() + br, 0);
    bg.setColorAt(0, QColor(230, 236, 240));
    bg.setColorAt(0.3, QColor(252, 252, 250));
    bg.setColorAt(1, QColor(140, 150, 170));
    QPainterPath foot;
    foot.moveTo(bowl + QPointF(-14 * u, 44 * u));
    foot.cubicTo(bowl + QPointF(-10 * u, 58 * u), bowl + QPointF(-30 * u, 62 * u), bowl + QPointF(-32 * u, 68 * u));
    foot.lineTo(bowl + QPointF(32 * u, 68 * u));
    foot.cubicTo(bowl + QPointF(30 * u, 62 * u), bowl + QPointF(10 * u, 58 * u), bowl + QPointF(14 * u, 44 * u));
    foot.closeSubpath();
    p.setBrush(bg);
    p.drawPath(foot);
    p.setBrush(QColor(40, 70, 150));
    p.drawRect(QRectF(bowl.x() - 31 * u, bowl.y() + 64 * u, 62 * u, 2 * u));
    QPainterPath front;
    front.moveTo(bowl + QPointF(-br, 0));
    front.cubicTo(bowl + QPointF(-br * 0.9, br * 0.75), bowl + QPointF(br * 0.9, br * 0.75), bowl + QPointF(br, 0));
    front.cubicTo(bowl + QPointF(br * 0.6, br * 0.3), bowl + QPointF(-br * 0.6, br * 0.3), bowl + QPointF(-br, 0));
    p.setBrush(bg);
    p.drawPath(front);
    p.save();
    p.setClipPath(front);
    // Blue painted garland.
    p.setPen(QPen(QColor(40, 70, 150), 2.4 * u));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 10; ++k) {
        const double fx = bowl.x() - br + k * br / 4.5;
        p.drawArc(QRectF(fx, bowl.y() + 12 * u, br / 4.5, 18 * u), 180 * 16, 180 * 16);
    }
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 10; ++k) {
        const double fx = bowl.x() - br + (k + 0.5) * br / 4.5;
        p.setBrush(QColor(40, 70, 150));
        for (int j = 0; j < 5; ++j) {
            const double a = j * 2 * Pi / 5;
            p.drawEllipse(QPointF(fx + std::cos(a) * 3 * u, bowl.y() + 38 * u + std::sin(a) * 3 * u), 2 * u, 2 * u);
        }
        p.setBrush(QColor(230, 190, 80));
        p.drawEllipse(QPointF(fx, bowl.y() + 38 * u), 1.4 * u, 1.4 * u);
    }
    p.setBrush(QColor(40, 70, 150));
    p.drawRect(QRectF(bowl.x() - br, bowl.y() + 4 * u, 2 * br, 3 * u));
    p.restore();
    highlight(p, bowl + QPointF(-50 * u, 30 * u), 14 * u, 160);

    // Fruit and cherries on the cloth.
    shadow(p, QPointF(300 * u, 318 * u), 34 * u, 8 * u);
    orange(p, rng, QPointF(296 * u, 296 * u), 26 * u);
    // A cut lemon.
    shadow(p, QPointF(96 * u, 312 * u), 30 * u, 7 * u);
    p.setBrush(QColor(240, 210, 60));
    p.drawEllipse(QPointF(94 * u, 300 * u), 26 * u, 17 * u);
    p.setBrush(QColor(252, 240, 170));
    p.drawEllipse(QPointF(98 * u, 298 * u), 19 * u, 14 * u);
    p.setPen(QPen(QColor(250, 250, 230), 1.2 * u));
    for (int k = 0; k < 8; ++k) {
        const double a = k * Pi / 4;
        p.drawLine(QPointF(98 * u, 298 * u), QPointF(98 * u + std::cos(a) * 17 * u, 298 * u + std::sin(a) * 12.5 * u));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 230));
    p.drawEllipse(QPointF(98 * u, 298 * u), 3 * u, 2 * u);
    // Cherries in pairs.
    for (const QPointF& at : {QPointF(170 * u, 330 * u), QPointF(216 * u, 342 * u), QPointF(40 * u, 344 * u)}) {
        p.setPen(QPen(QColor(90, 110, 40), 1.4 * u, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath stems;
        stems.moveTo(at);
        stems.quadTo(at + QPointF(8 * u, -22 * u), at + QPointF(14 * u, -26 * u));
        stems.moveTo(at + QPointF(16 * u, 4 * u));
        stems.quadTo(at + QPointF(16 * u, -16 * u), at + QPointF(14 * u, -26 * u));
        p.drawPath(stems);
        p.setPen(Qt::NoPen);
        shadow(p, at + QPointF(10 * u, 8 * u), 16 * u, 4 * u);
        for (const QPointF& q : {at, at + QPointF(16 * u, 4 * u)}) {
            QRadialGradient g(q + QPointF(-2 * u, -2 * u), 9 * u);
            g.setColorAt(0, QColor(240, 90, 90));
            g.setColorAt(0.6, QColor(170, 20, 40));
            g.setColorAt(1, QColor(80, 0, 20));
            p.setBrush(g);
            p.drawEllipse(q, 7 * u, 6.6 * u);
            p.setBrush(QColor(255, 230, 230, 200));
            p.drawEllipse(q + QPointF(-2.5 * u, -2.5 * u), 1.6 * u, 1.1 * u);
        }
    }
    // A knife on the cloth.
    p.save();
    p.translate(250 * u, 350 * u);
    p.rotate(-12);
    p.setBrush(QColor(100, 60, 40));
    p.drawRoundedRect(QRectF(0, -3 * u, 40 * u, 7 * u), 3 * u, 3 * u);
    p.setBrush(QColor(230, 200, 120));
    p.drawEllipse(QPointF(8 * u, 0.5 * u), 1.2 * u, 1.2 * u);
    p.drawEllipse(QPointF(30 * u, 0.5 * u), 1.2 * u, 1.2 * u);
    QPainterPath blade;
    blade.moveTo(40 * u, -3 * u);
    blade.lineTo(100 * u, -2 * u);
    blade.quadTo(104 * u, 2 * u, 96 * u, 4 * u);
    blade.lineTo(40 * u, 4 * u);
    blade.closeSubpath();
    QLinearGradient kg(0, -3 * u, 0, 4 * u);
    kg.setColorAt(0, QColor(240, 240, 240));
    kg.setColorAt(1, QColor(140, 140, 150));
    p.setBrush(kg);
    p.drawPath(blade);
    p.restore();
    return c.finish();
}

}  // namespace pictures
