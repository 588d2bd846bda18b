// 212: a steam train crossing a stone viaduct in rolling country.

#include "countryside.h"
#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void carriage(QPainter& p, double x, double rail, double len, const QColor& body, const QColor& band)
{
    const double top = rail - 26;
    p.setBrush(QColor(40, 36, 34));
    p.drawRect(QRectF(x + 2, rail - 6, len - 4, 3));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(x, top, len, 20), 2, 2);
    p.setBrush(band);
    p.drawRect(QRectF(x, top + 3, len, 8));
    p.setBrush(shade(body, 0.7));
    QPainterPath roof;
    roof.moveTo(x - 1, top);
    roof.quadTo(x + len / 2, top - 6, x + len + 1, top);
    roof.closeSubpath();
    p.drawPath(roof);
    for (double wx = x + 4; wx < x + len - 6; wx += 8) {
        p.setBrush(QColor(250, 232, 170));
        p.drawRoundedRect(QRectF(wx, top + 4, 5, 6), 1, 1);
        p.setBrush(QColor(120, 80, 60, 150));
        p.drawRect(QRectF(wx, top + 4, 2, 6));
    }
    for (double wx : {x + len * 0.22, x + len * 0.78}) {
        p.setBrush(QColor(30, 28, 28));
        p.drawEllipse(QPointF(wx - 3, rail - 3), 3.2, 3.2);
        p.drawEllipse(QPointF(wx + 4, rail - 3), 3.2, 3.2);
        p.setBrush(QColor(150, 140, 130));
        p.drawEllipse(QPointF(wx - 3, rail - 3), 1, 1);
        p.drawEllipse(QPointF(wx + 4, rail - 3), 1, 1);
    }
}

void engine(QPainter& p, double x, double rail)
{
    const QColor green(40, 110, 70), dark(24, 60, 40), brass(230, 190, 90), red(190, 50, 40);
    // Boiler.
    QLinearGradient bg(0, rail - 30, 0, rail - 12);
    bg.setColorAt(0, shade(green, 1.3));
    bg.setColorAt(0.5, green);
    bg.setColorAt(1, dark);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(x + 6, rail - 30, 38, 18), 8, 8);
    p.setBrush(brass);
    for (double bx : {x + 16, x + 28, x + 40})
        p.drawRect(QRectF(bx, rail - 30, 1.6, 18));
    // Smokebox, chimney, dome.
    p.setBrush(QColor(40, 38, 40));
    p.drawEllipse(QPointF(x + 6, rail - 21), 4, 9);
    p.drawRect(QRectF(x + 10, rail - 42, 6, 13));
    p.drawRect(QRectF(x + 8.5, rail - 43, 9, 3));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(x + 24, rail - 36, 8, 8), 4, 4);
    // Cab.
    p.setBrush(green);
    p.drawRect(QRectF(x + 44, rail - 40, 18, 30));
    p.setBrush(dark);
    p.drawRect(QRectF(x + 42, rail - 43, 22, 4));
    p.setBrush(QColor(250, 230, 170));
    p.drawRoundedRect(QRectF(x + 48, rail - 36, 9, 9), 2, 2);
    p.setBrush(red);
    p.drawRect(QRectF(x + 2, rail - 12, 62, 4));
    // Buffer beam, wheels and rods.
    p.drawRect(QRectF(x - 2, rail - 14, 6, 8));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(x - 2, rail - 12), 1.6, 1.6);
    for (double wx : {x + 20.0, x + 36.0, x + 52.0}) {
        p.setBrush(red);
        p.drawEllipse(QPointF(wx, rail - 7), 7, 7);
        p.setBrush(QColor(50, 20, 20));
        p.drawEllipse(QPointF(wx, rail - 7), 4.5, 4.5);
        p.setBrush(brass);
        p.drawEllipse(QPointF(wx, rail - 7), 1.4, 1.4);
    }
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(x + 19, rail - 9, 34, 1.6));
    p.setBrush(red);
    p.drawEllipse(QPointF(x + 9, rail - 4), 3.4, 3.4);
    // Lamp.
    p.setBrush(QColor(255, 240, 200));
    p.drawEllipse(QPointF(x + 3, rail - 31), 2, 2);
    // Tender.
    p.setBrush(green);
    p.drawRoundedRect(QRectF(x + 66, rail - 30, 26, 22), 2, 2);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(x + 67, rail - 33, 24, 4));
    p.setBrush(brass);
    p.drawRect(QRectF(x + 66, rail - 22, 26, 1.4));
    for (double wx : {x + 72.0, x + 86.0}) {
        p.setBrush(QColor(30, 28, 28));
        p.drawEllipse(QPointF(wx, rail - 5), 4.5, 4.5);
    }
}

}  // namespace

QImage countryTrain(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(212);
    const double u = w / 400.0, v = h / 390.0;
    const double horizon = 132 * v;

    skyGradient(c, 0, horizon,
                {{0, QColor(96, 150, 200)}, {0.7, QColor(180, 210, 226)}, {1, QColor(244, 230, 200)}}, 0.45, 121);
    p.setPen(Qt::NoPen);
    const QColor cl(255, 250, 240), cs(204, 200, 214);
    cloud(p, rng, 80 * u, 30 * v, 120 * u, 36 * v, cl, cs);
    cloud(p, rng, 300 * u, 44 * v, 140 * u, 40 * v, cl, cs);
    cloud(p, rng, 190 * u, 90 * v, 80 * u, 22 * v, cl, cs, 220);
    cloud(p, rng, 20 * u, 100 * v, 60 * u, 20 * v, cl, cs, 210);
    cloud(p, rng, 390 * u, 104 * v, 60 * u, 18 * v, cl, cs, 220);
    grain(c, QRect(0, 0, w, int(horizon)), 0.07, 14, 2121);
    p.setBrush(QColor(130, 156, 170));
    p.drawPath(ridge(0, w, horizon - 8 * v, 12 * v, 80 * u, 14, horizon + 10 * v));
    fields(c, rng, horizon, 345 * v, 7, 7);
    // Trees in clumps over the hills.
    for (int i = 0; i < 16; ++i) {
        const double y = rng.range(150, 240) * v;
        leafyTree(p, rng, rng.range(0, w), y, (10 + (y / v - 150) * 0.25) * v,
                  {QColor(50, 86, 50), QColor(80, 120, 60), QColor(120, 150, 70)}, QColor(90, 70, 50));
    }
    // The river in the valley.
    QPainterPath river;
    river.moveTo(150 * u, 250 * v);
    river.cubicTo(190 * u, 280 * v, 120 * u, 320 * v, 160 * u, h + 2);
    river.lineTo(300 * u, h + 2);
    river.cubicTo(230 * u, 320 * v, 250 * u, 280 * v, 175 * u, 250 * v);
    river.closeSubpath();
    QLinearGradient rg(0, 250 * v, 0, h);
    rg.setColorAt(0, QColor(170, 200, 214));
    rg.setColorAt(1, QColor(70, 120, 150));
    p.setBrush(rg);
    p.drawPath(river);
    p.save();
    p.setClipPath(river);
    for (int i = 0; i < 160; ++i) {
        p.setBrush(rng.chance(0.5) ? QColor(230, 240, 240, 120) : QColor(40, 80, 110, 90));
        const double y = rng.range(250, 390) * v;
        p.drawRoundedRect(QRectF(rng.range(120, 320) * u, y, rng.range(4, 16) * u, (0.6 + (y / v - 250) / 140) * v), 0.5, 0.5);
    }
    p.restore();

    // The viaduct: a row of arches of warm stone.
    const double deck = 232 * v, foot = 330 * v;
    QPainterPath via;
    via.addRect(QRectF(-2, deck, w + 4, foot - deck));
    const double span = 50 * u;
    for (int k = 0; k < 9; ++k) {
        const double ax = -10 * u + k * span;
        QPainterPath arch;
        arch.moveTo(ax + 8 * u, foot + 2);
        arch.lineTo(ax + 8 * u, deck + 40 * v);
        arch.arcTo(QRectF(ax + 8 * u, deck + 22 * v, span - 16 * u, 36 * v), 180, -180);
        arch.lineTo(ax + span - 8 * u, foot + 2);
        arch.closeSubpath();
        via = via.subtracted(arch);
    }
    QImage mask(c.img.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.scale(Canvas::Scale, Canvas::Scale);
        mp.fillPath(via, Qt::white);
    }
    c.perPixel(QRect(0, int(deck) - 1, w, int(foot - deck) + 3), [&](double x, double y, QRgb& px) {
        const int m = qGray(mask.pixel(std::clamp(int(x * Canvas::Scale), 0, mask.width() - 1),
                                       std::clamp(int(y * Canvas::Scale), 0, mask.height() - 1)));
        if (m == 0)
            return;
        const double row = std::floor(y / (5 * v));
        const double off = (int(row) % 2) * 5 * u;
        const double col = std::floor((x + off) / (10 * u));
        const double fx = std::fmod(x + off, 10 * u) / (10 * u), fy = std::fmod(y, 5 * v) / (5 * v);
        QColor stone = mix(QColor(214, 180, 140), QColor(170, 130, 100), hash2(int(col), int(row), 7));
        stone = shade(stone, 0.9 + 0.2 * fbm(x / 2.0, y / 2.0, 2, 8));
        const double mortar = std::min({fx, 1 - fx, fy, 1 - fy});
        QColor out = mix(QColor(130, 110, 96), stone, smooth(0.0, 0.12, mortar));
        out = shade(out, 1.0 - (y - deck) / (foot - deck) * 0.25);
        px = mix(QColor(px), out, m / 255.0).rgb();
    });
    p.setBrush(QColor(150, 120, 96));
    p.drawRect(QRectF(0, deck - 4 * v, w, 5 * v));
    p.setBrush(QColor(200, 170, 130));
    p.drawRect(QRectF(0, deck - 5 * v, w, 1.5 * v));

    // The train, from the engine on the left.
    const double rail = deck - 4 * v;
    p.save();
    p.translate(0, 0);
    p.scale(u, v);
    engine(p, 70, rail / v);
    const std::vector<std::pair<QColor, QColor>> liveries = {
        {QColor(120, 40, 40), QColor(236, 220, 180)}, {QColor(120, 40, 40), QColor(236, 220, 180)},
        {QColor(120, 40, 40), QColor(236, 220, 180)}};
    for (int k = 0; k < 3; ++k)
        carriage(p, 166 + k * 72, rail / v, 68, liveries[size_t(k)].first, liveries[size_t(k)].second);
    p.restore();
    // The plume of steam rolling back over the carriages.
    for (int k = 0; k < 26; ++k) {
        const double t = k / 25.0;
        const QPointF at((83 + t * 300) * u, (186 - std::sin(t * 2.6) * 40 - t * 10) * v);
        const double r = (7 + t * 22) * u;
        cloud(p, rng, at.x(), at.y(), r * 2, r, QColor(255, 252, 246, 255), QColor(200, 196, 200),
              int(235 - t * 140));
    }

    // Foreground meadow with sheep and a fence.
    QPainterPath bank;
    bank.moveTo(0, 320 * v);
    bank.cubicTo(80 * u, 316 * v, 140 * u, 330 * v, 170 * u, 350 * v);
    bank.lineTo(170 * u, h + 2);
    bank.lineTo(0, h + 2);
    bank.closeSubpath();
    QPainterPath bank2;
    bank2.moveTo(w, 316 * v);
    bank2.cubicTo(340 * u, 318 * v, 280 * u, 330 * v, 256 * u, 352 * v);
    bank2.lineTo(250 * u, h + 2);
    bank2.lineTo(w, h + 2);
    bank2.closeSubpath();
    for (const QPainterPath* b : {&bank, &bank2}) {
        QLinearGradient g(0, 316 * v, 0, h);
        g.setColorAt(0, QColor(140, 176, 80));
        g.setColorAt(1, QColor(80, 120, 50));
        p.setBrush(g);
        p.drawPath(*b);
        p.save();
        p.setClipPath(*b);
        for (int i = 0; i < 900; ++i) {
            const double x = rng.range(0, w), y = rng.range(316, 392) * v;
            p.setPen(QPen(rng.chance(0.5) ? QColor(170, 200, 90) : QColor(70, 110, 40), 0.8 * u));
            p.drawLine(QPointF(x, y), QPointF(x + rng.range(-2, 2) * u, y - rng.range(3, 8) * v));
        }
        p.setPen(Qt::NoPen);
        dots(p, rng, b->boundingRect(), 80, 0.8 * u, 1.8 * u,
             {QColor(250, 250, 240), QColor(250, 220, 60), QColor(230, 90, 90)});
        p.restore();
    }
    auto sheep = [&](QPointF at, double s, bool left) {
        p.save();
        p.translate(at);
        p.scale(left ? -s : s, s);
        p.setBrush(QColor(40, 36, 34));
        p.drawRect(QRectF(-6, 2, 2, 6));
        p.drawRect(QRectF(4, 2, 2, 6));
        p.setBrush(QColor(60, 80, 40, 90));
        p.drawEllipse(QPointF(0, 8), 10, 2);
        for (int k = 0; k < 7; ++k) {
            p.setBrush(k % 2 ? QColor(250, 246, 236) : QColor(226, 220, 206));
            p.drawEllipse(QPointF(-7 + k * 2.3, -1 + (k % 2) * 1.5), 4, 4);
        }
        p.setBrush(QColor(40, 36, 34));
        p.drawEllipse(QPointF(10, -2), 3, 2.4);
        p.drawEllipse(QPointF(8, -4), 1.5, 0.8);
        p.restore();
    };
    sheep(QPointF(40 * u, 350 * v), 1.2 * u, false);
    sheep(QPointF(96 * u, 366 * v), 1.5 * u, true);
    sheep(QPointF(330 * u, 344 * v), 1.1 * u, true);
    sheep(QPointF(290 * u, 372 * v), 1.6 * u, false);
    sheep(QPointF(370 * u, 376 * v), 1.4 * u, false);
    // Fence posts and wire on the left bank.
    p.setPen(QPen(QColor(110, 80, 50), 1.6 * u));
    for (double fx = 6 * u; fx < 150 * u; fx += 22 * u) {
        const double fy = 334 * v + fx / u * 0.08 * v;
        p.drawLine(QPointF(fx, fy), QPointF(fx, fy - 14 * v));
    }
    p.setPen(QPen(QColor(110, 90, 70), 0.6 * u));
    p.drawLine(QPointF(6 * u, 324 * v), QPointF(148 * u, 336 * v));
    p.drawLine(QPointF(6 * u, 329 * v), QPointF(148 * u, 341 * v));
    p.setPen(Qt::NoPen);
    // Big trees at the edges.
    leafyTree(p, rng, 392 * u, 360 * v, 170 * v,
              {QColor(40, 74, 44), QColor(60, 100, 52), QColor(96, 136, 70), QColor(140, 170, 84)}, QColor(90, 70, 50));
    return c.finish();
}

}  // namespace pictures
