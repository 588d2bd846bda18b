// 202: a fishing harbour with a hillside of coloured houses.

#include "boats.h"
#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

const std::vector<QColor> HouseColours = {
    QColor(222, 170, 86), QColor(196, 82, 62), QColor(236, 214, 170), QColor(86, 150, 150),
    QColor(214, 132, 120), QColor(240, 196, 120), QColor(120, 150, 190), QColor(180, 110, 70),
    QColor(236, 230, 210), QColor(150, 170, 110)};

void house(QPainter& p, Rng& rng, double x, double base, double w, double h, const QColor& wall)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRect(QRectF(x, base - h, w, h));
    // Side in shade.
    p.setBrush(shade(wall, 0.78));
    p.drawRect(QRectF(x + w * 0.82, base - h, w * 0.18, h));
    // Roof: gabled towards the viewer or a long eave.
    const QColor roof = mix(QColor(168, 74, 50), QColor(120, 60, 50), rng.uniform());
    QPainterPath r;
    if (rng.chance(0.55)) {
        r.moveTo(x - 1, base - h);
        r.lineTo(x + w / 2, base - h - w * 0.45);
        r.lineTo(x + w + 1, base - h);
    } else {
        r.moveTo(x - 1.5, base - h);
        r.lineTo(x + w * 0.15, base - h - w * 0.28);
        r.lineTo(x + w * 0.85, base - h - w * 0.28);
        r.lineTo(x + w + 1.5, base - h);
    }
    r.closeSubpath();
    p.setBrush(roof);
    p.drawPath(r);
    p.setPen(QPen(shade(roof, 0.7), 0.4));
    for (double ty = base - h - 1.5; ty > base - h - w * 0.45; ty -= 1.6)
        p.drawLine(QPointF(x, ty), QPointF(x + w, ty));
    p.setPen(Qt::NoPen);
    // Windows with shutters.
    const int cols = std::max(1, int(w / 7));
    const int rows = std::max(1, int(h / 9));
    const QColor shutter = rng.pick(std::vector<QColor>{QColor(60, 110, 90), QColor(60, 90, 140),
                                                        QColor(150, 60, 50), QColor(240, 236, 220)});
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            const double wx = x + (i + 0.5) * w / cols - 1.4;
            const double wy = base - h + 3 + j * (h - 4) / rows;
            p.setBrush(shutter);
            p.drawRect(QRectF(wx - 1.1, wy, 5, 4.2));
            p.setBrush(rng.chance(0.3) ? QColor(250, 220, 150) : QColor(50, 56, 70));
            p.drawRect(QRectF(wx, wy + 0.3, 2.8, 3.6));
        }
    p.restore();
}

}  // namespace

QImage harbour(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(202);
    const double u = w / 384.0;
    const double quay = 214 * u;

    skyGradient(c, 0, 150 * u,
                {{0, QColor(92, 140, 190)}, {0.6, QColor(170, 200, 220)}, {1, QColor(246, 226, 196)}},
                0.4, 12);
    const QColor cl(255, 248, 236), cs(200, 196, 210);
    cloud(p, rng, 60 * u, 30 * u, 110 * u, 34 * u, cl, cs);
    cloud(p, rng, 250 * u, 22 * u, 90 * u, 28 * u, cl, cs, 230);
    cloud(p, rng, 345 * u, 60 * u, 100 * u, 30 * u, cl, cs, 240);
    cloud(p, rng, 160 * u, 70 * u, 60 * u, 18 * u, cl, cs, 200);
    grain(c, QRect(0, 0, w, int(150 * u)), 0.07, 14, 2021);
    // The hill behind the town.
    QLinearGradient hg(0, 60 * u, 0, quay);
    hg.setColorAt(0, QColor(120, 150, 96));
    hg.setColorAt(1, QColor(80, 112, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(hg);
    p.drawPath(ridge(0, w, 92 * u, 22 * u, 140 * u, 5, quay + 2));
    for (int i = 0; i < 26; ++i) {
        const double x = rng.range(0, w);
        leafyTree(p, rng, x, rng.range(100, 130) * u, rng.range(18, 30) * u,
                  {QColor(52, 84, 50), QColor(76, 110, 60), QColor(110, 140, 70)}, QColor(90, 70, 50));
    }
    // Terraces of houses climbing the hill, back to front.
    for (int row = 0; row < 6; ++row) {
        const double base = (122 + row * 17) * u;
        double x = -rng.range(0, 14) * u;
        while (x < w) {
            const double hw = rng.range(16, 28) * u;
            const double hh = rng.range(18, 30) * u;
            if (!(row == 0 && x > 250 * u && x < 290 * u))
                house(p, rng, x, base + rng.range(-2, 2) * u, hw, hh, rng.pick(HouseColours));
            x += hw + rng.range(-2, 3) * u;
        }
    }
    // The church tower.
    p.setBrush(QColor(236, 226, 200));
    p.drawRect(QRectF(258 * u, 60 * u, 22 * u, 70 * u));
    p.setBrush(QColor(200, 190, 166));
    p.drawRect(QRectF(274 * u, 60 * u, 6 * u, 70 * u));
    QPainterPath spire;
    spire.moveTo(255 * u, 62 * u);
    spire.lineTo(269 * u, 24 * u);
    spire.lineTo(283 * u, 62 * u);
    spire.closeSubpath();
    p.setBrush(QColor(70, 120, 110));
    p.drawPath(spire);
    p.setBrush(QColor(60, 50, 44));
    p.drawEllipse(QPointF(269 * u, 76 * u), 5 * u, 5 * u);
    p.setBrush(QColor(250, 240, 210));
    p.drawEllipse(QPointF(269 * u, 76 * u), 4 * u, 4 * u);
    p.setPen(QPen(QColor(60, 50, 44), 0.8 * u));
    p.drawLine(QPointF(269 * u, 76 * u), QPointF(269 * u, 73 * u));
    p.drawLine(QPointF(269 * u, 76 * u), QPointF(271.5 * u, 76 * u));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 50, 44));
    p.drawRoundedRect(QRectF(264 * u, 92 * u, 10 * u, 14 * u), 5 * u, 5 * u);
    // Quay wall of dressed stone.
    p.setBrush(QColor(150, 136, 118));
    p.drawRect(QRectF(0, quay - 14 * u, w, 16 * u));
    for (int row = 0; row < 3; ++row)
        for (double x = -rng.range(0, 10); x < w; x += rng.range(9, 15) * u) {
            const QColor st = mix(QColor(170, 154, 132), QColor(126, 112, 96), rng.uniform());
            p.setBrush(st);
            p.drawRoundedRect(QRectF(x, quay - 14 * u + row * 5.3 * u, rng.range(8, 14) * u, 4.6 * u),
                              1, 1);
        }
    p.setBrush(QColor(196, 184, 160));
    p.drawRect(QRectF(0, quay - 16 * u, w, 2.5 * u));
    // Bollards, crates and lobster pots on the quay.
    for (double bx : {30.0, 120.0, 210.0, 330.0}) {
        p.setBrush(QColor(50, 48, 52));
        p.drawRoundedRect(QRectF(bx * u, quay - 21 * u, 4 * u, 6 * u), 1.5, 1.5);
    }
    for (int i = 0; i < 7; ++i) {
        const double bx = rng.range(50, 360) * u;
        p.setBrush(mix(QColor(176, 130, 80), QColor(130, 90, 60), rng.uniform()));
        p.drawRect(QRectF(bx, quay - 22 * u, 7 * u, 6 * u));
        p.setBrush(QColor(110, 76, 50));
        p.drawRect(QRectF(bx, quay - 19.5 * u, 7 * u, 0.8 * u));
    }

    water(c, quay + 2 * u, h, QColor(40, 110, 128), 0.3, 1.4, 77);
    // Deeper water gets wavelets of its own.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const double y = rng.range(quay + 10 * u, h);
        const double t = (y - quay) / (h - quay);
        const double x = rng.range(-10, w);
        p.setBrush(rng.chance(0.5) ? QColor(230, 240, 236, 70 + int(t * 40))
                                   : QColor(20, 60, 76, 60 + int(t * 50)));
        p.drawRoundedRect(QRectF(x, y, (4 + t * 14) * rng.range(0.6, 1.4), 0.6 + t * 1.2), 0.6, 0.6);
    }
    const QColor sea(40, 100, 118);
    struct B { double x, y, s; BoatLook look; bool mirror; };
    const std::vector<B> fleet = {
        {80 * u, 250 * u, 1.0 * u, {QColor(40, 80, 140), QColor(240, 236, 220), QColor(240, 236, 220), QColor(180, 60, 50), QColor(220, 60, 50)}, false},
        {250 * u, 242 * u, 0.85 * u, {QColor(200, 70, 50), QColor(250, 220, 120), QColor(236, 230, 210), QColor(60, 100, 80), QColor(60, 90, 160)}, true},
        {330 * u, 262 * u, 0.7 * u, {QColor(236, 232, 218), QColor(60, 120, 160), QColor(236, 232, 218), QColor(60, 120, 160), QColor(240, 200, 60)}, false, },
        {170 * u, 318 * u, 1.45 * u, {QColor(60, 120, 90), QColor(240, 200, 80), QColor(240, 230, 200), QColor(190, 70, 50), QColor(230, 70, 60)}, true},
        {325 * u, 350 * u, 1.2 * u, {QColor(230, 180, 60), QColor(50, 70, 110), QColor(244, 236, 214), QColor(50, 70, 110), QColor(50, 120, 180), true, QColor(244, 232, 204)}, false},
    };
    for (const B& b : fleet)
        boatReflection(p, rng, b.x, b.y, b.s, b.look, b.mirror, sea);
    for (const B& b : fleet)
        boat(p, rng, b.x, b.y, b.s, b.look, b.mirror);
    // Mooring ropes to the quay.
    p.setPen(QPen(QColor(120, 100, 70), 0.7 * u));
    p.setBrush(Qt::NoBrush);
    QPainterPath rope;
    rope.moveTo(32 * u, quay - 18 * u);
    rope.quadTo(40 * u, 240 * u, 52 * u, 241 * u);
    rope.moveTo(212 * u, quay - 18 * u);
    rope.quadTo(220 * u, 236 * u, 230 * u, 234 * u);
    p.drawPath(rope);
    // Gulls.
    p.setPen(QPen(QColor(60, 60, 70), 1.0 * u, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const double gx = rng.range(20, 360) * u, gy = rng.range(20, 110) * u, gs = rng.range(3, 6) * u;
        QPainterPath g;
        g.moveTo(gx - gs, gy);
        g.quadTo(gx - gs * 0.5, gy - gs * 0.6, gx, gy);
        g.quadTo(gx + gs * 0.5, gy - gs * 0.6, gx + gs, gy);
        p.drawPath(g);
    }
    // A floating buoy and a gull at rest on a post in front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 56));
    p.drawRect(QRectF(20 * u, 300 * u, 9 * u, h - 300 * u));
    p.setBrush(QColor(140, 108, 76));
    p.drawRect(QRectF(20 * u, 300 * u, 3 * u, h - 300 * u));
    p.setBrush(QColor(246, 246, 240));
    p.drawEllipse(QPointF(25 * u, 293 * u), 6 * u, 4.5 * u);
    p.drawEllipse(QPointF(30 * u, 287 * u), 3 * u, 3 * u);
    p.setBrush(QColor(120, 124, 136));
    p.drawEllipse(QPointF(22 * u, 291 * u), 5 * u, 2.5 * u);
    p.setBrush(QColor(240, 180, 40));
    p.drawRect(QRectF(32.5 * u, 286.5 * u, 3 * u, 1.2 * u));
    p.setBrush(QColor(230, 70, 50));
    p.drawEllipse(QPointF(110 * u, 366 * u), 6 * u, 5 * u);
    p.setBrush(QColor(250, 240, 230));
    p.drawRect(QRectF(104 * u, 364.5 * u, 12 * u, 2 * u));
    return c.finish();
}

}  // namespace pictures
