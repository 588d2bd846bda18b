// 216: a village street of half-timbered houses leading to the church.

#include "paint.h"
#include "scenes.h"

#include <QTransform>

namespace pictures {

namespace {

// The street seen from eye height: world X across (the house fronts stand at
// -1 and +1), Y up, z away from the viewer.
struct View {
    double cx, cy, f, eye;
    QPointF at(double X, double Y, double z) const { return {cx + X / z * f, cy - (Y - eye) / z * f}; }
};

const std::vector<QColor> Plaster = {QColor(244, 230, 200), QColor(240, 210, 170), QColor(236, 200, 196),
                                     QColor(226, 226, 200), QColor(246, 220, 150), QColor(210, 226, 230)};

// One house front drawn flat, 100 units to a world unit: u along the street
// from its near end, v up from the ground.
void facade(QPainter& p, Rng& rng, double len, double height, const QColor& plaster, bool shop)
{
    const double L = len * 100, H = height * 100, gable = L * 0.45;
    const QColor beam(86, 54, 36);
    QPainterPath wall;
    wall.moveTo(0, 0);
    wall.lineTo(0, H);
    wall.lineTo(L / 2, H + gable);
    wall.lineTo(L, H);
    wall.lineTo(L, 0);
    wall.closeSubpath();
    p.setBrush(plaster);
    p.drawPath(wall);
    // Stone ground floor.
    p.setBrush(QColor(190, 170, 150));
    p.drawRect(QRectF(0, 0, L, 36));
    p.setPen(QPen(QColor(150, 130, 110), 1.2));
    for (double y = 6; y < 36; y += 7)
        for (double x = (int(y) % 2) * 6; x < L; x += 12)
            p.drawRect(QRectF(x, y - 6, 12, 7));
    p.setPen(Qt::NoPen);
    // Timber frame above.
    p.setBrush(beam);
    p.drawRect(QRectF(0, 34, L, 5));
    p.drawRect(QRectF(0, H * 0.62, L, 4));
    p.drawRect(QRectF(0, H - 4, L, 4));
    const int bays = std::max(2, int(L / 32));
    for (int k = 0; k <= bays; ++k)
        p.drawRect(QRectF(k * L / bays - 2, 34, 4, H - 34));
    p.setPen(QPen(beam, 3.2));
    for (int k = 0; k < bays; ++k) {
        const double x0 = k * L / bays, x1 = (k + 1) * L / bays;
        if (k % 2 == 0)
            p.drawLine(QPointF(x0, 39), QPointF(x1, H * 0.62));
        else
            p.drawLine(QPointF(x1, 39), QPointF(x0, H * 0.62));
    }
    p.drawLine(QPointF(0, H), QPointF(L / 2, H + gable));
    p.drawLine(QPointF(L, H), QPointF(L / 2, H + gable));
    p.drawLine(QPointF(L / 2, H), QPointF(L / 2, H + gable));
    p.drawLine(QPointF(L * 0.25, H + gable * 0.5), QPointF(L * 0.75, H + gable * 0.5));
    p.setPen(Qt::NoPen);
    // Roof edge boards over the gable.
    p.setPen(QPen(QColor(150, 60, 40), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-6, H - 4), QPointF(L / 2, H + gable + 6));
    p.drawLine(QPointF(L + 6, H - 4), QPointF(L / 2, H + gable + 6));
    p.setPen(Qt::NoPen);
    // Windows of the upper floors, with shutters and geraniums.
    const QColor shutter = rng.pick(std::vector<QColor>{QColor(60, 110, 80), QColor(60, 90, 140), QColor(160, 60, 50)});
    for (int floor = 0; floor < 2; ++floor) {
        const double y = floor == 0 ? H * 0.36 + 12 : H * 0.72 + 6;
        const double wh = floor == 0 ? 22 : 18;
        for (int k = 0; k < bays; ++k) {
            const double x = (k + 0.5) * L / bays - 8;
            p.setBrush(shutter);
            p.drawRect(QRectF(x - 7, y, 6, wh));
            p.drawRect(QRectF(x + 17, y, 6, wh));
            p.setBrush(QColor(240, 236, 220));
            p.drawRect(QRectF(x - 1, y - 1, 18, wh + 2));
            p.setBrush(rng.chance(0.3) ? QColor(250, 220, 140) : QColor(70, 90, 110));
            p.drawRect(QRectF(x + 1, y + 1, 6.5, wh / 2 - 1.5));
            p.drawRect(QRectF(x + 8.5, y + 1, 6.5, wh / 2 - 1.5));
            p.drawRect(QRectF(x + 1, y + wh / 2 + 0.5, 6.5, wh / 2 - 1.5));
            p.drawRect(QRectF(x + 8.5, y + wh / 2 + 0.5, 6.5, wh / 2 - 1.5));
            if (floor == 0) {
                p.setBrush(QColor(120, 80, 50));
                p.drawRect(QRectF(x - 2, y - 6, 20, 5));
                for (int m = 0; m < 7; ++m) {
                    p.setBrush(m % 2 ? QColor(220, 40, 40) : QColor(60, 120, 50));
                    p.drawEllipse(QPointF(x + m * 2.8, y - 1), 2.6, 2.6);
                }
            }
        }
    }
    // Ground floor: a door and a shop window or a small window.
    const double door = L * 0.15;
    p.setBrush(QColor(110, 60, 40));
    p.drawRoundedRect(QRectF(door, 0, 16, 30), 3, 3);
    p.setBrush(QColor(230, 190, 90));
    p.drawEllipse(QPointF(door + 12, 14), 1.4, 1.4);
    if (shop) {
        p.setBrush(QColor(60, 50, 50));
        p.drawRect(QRectF(door + 24, 4, L - door - 34, 24));
        p.setBrush(QColor(250, 220, 150));
        p.drawRect(QRectF(door + 26, 6, L - door - 38, 20));
        for (int k = 0; k < 6; ++k) {
            p.setBrush(rng.pick(std::vector<QColor>{QColor(200, 80, 60), QColor(240, 200, 80), QColor(120, 80, 50), QColor(90, 130, 70)}));
            p.drawEllipse(QPointF(door + 32 + k * (L - door - 48) / 5, 10), 3.5, 3.5);
        }
    } else {
        p.setBrush(QColor(240, 236, 220));
        p.drawRect(QRectF(door + 28, 10, 18, 16));
        p.setBrush(QColor(70, 90, 110));
        p.drawRect(QRectF(door + 30, 12, 14, 12));
    }
    // Weathering of the plaster.
    for (int k = 0; k < 30; ++k) {
        p.setBrush(QColor(120, 100, 80, 25));
        p.drawEllipse(QPointF(rng.range(0, L), rng.range(40, H)), rng.range(3, 9), rng.range(2, 6));
    }
}

}  // namespace

QImage villageStreet(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(216);
    const double u = w / 400.0;
    const View view{200 * u, 196 * u, 200 * u, 0.5};

    skyGradient(c, 0, view.cy + 10,
                {{0, QColor(90, 146, 200)}, {0.7, QColor(180, 210, 230)}, {1, QColor(246, 232, 206)}}, 0.5, 161);
    p.setPen(Qt::NoPen);
    cloud(p, rng, 200 * u, 26 * u, 100 * u, 30 * u, QColor(255, 250, 240), QColor(206, 204, 216));
    cloud(p, rng, 160 * u, 80 * u, 60 * u, 20 * u, QColor(255, 250, 240), QColor(206, 204, 216), 230);
    cloud(p, rng, 250 * u, 110 * u, 50 * u, 16 * u, QColor(255, 250, 240), QColor(206, 204, 216), 220);

    grain(c, QRect(0, 0, w, int(view.cy)), 0.07, 14, 2161);
    // The cobbled street and its pavements.
    c.perPixel(QRect(0, int(view.cy), w, h - int(view.cy)), [&](double x, double y, QRgb& px) {
        if (y <= view.cy + 0.5)
            return;
        const double z = view.f * view.eye / (y - view.cy);
        const double X = (x - view.cx) * z / view.f;
        QColor col;
        if (std::abs(X) > 0.78) {
            // Flagstones.
            const double a = (std::abs(X) - 0.78) / 0.22, b = z / 0.35;
            const double fa = a - std::floor(a), fb = b - std::floor(b);
            const double edge = std::min({fa, 1 - fa, fb, 1 - fb});
            col = mix(QColor(200, 190, 170), QColor(170, 160, 146), hash2(int(std::floor(b)), int(X > 0), 3));
            col = mix(QColor(110, 100, 90), col, smooth(0.0, 0.08 * z, edge));
        } else {
            const double sx = 0.075, sz = 0.055;
            const double row = std::floor(z / sz);
            const double off = hash2(int(row), 0, 4) * sx;
            const double col0 = std::floor((X + off) / sx);
            const double jx = (hash2(int(col0), int(row), 5) - 0.5) * 0.2, jz = (hash2(int(col0), int(row), 6) - 0.5) * 0.2;
            const double fa = (X + off) / sx - col0, fb = z / sz - row;
            const double dx = fa - 0.5 - jx, dy = fb - 0.5 - jz;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double tone = hash2(int(col0), int(row), 9);
            QColor stone = mix(QColor(176, 156, 134), QColor(120, 116, 118), tone);
            stone = mix(stone, QColor(196, 150, 116), hash2(int(col0), int(row), 10) * 0.5);
            const double lit = 1.15 - (dx + dy) * 0.6;
            col = mix(QColor(86, 76, 66), shade(stone, lit), smooth(0.52, 0.38 - 0.01 / z, d));
            // Damp patches and worn tracks.
            const double damp = fbm(X * 4, z * 2.5, 3, 17);
            col = shade(col, 0.85 + damp * 0.3);
            const double track = std::exp(-std::pow((std::abs(X) - 0.42) / 0.1, 2));
            col = mix(col, shade(col, 1.12), track * 0.5);
            // The drain channel down the middle.
            if (std::abs(X) < 0.035)
                col = mix(QColor(110, 100, 92), QColor(150, 140, 130), std::abs(X) / 0.035);
        }
        // The far street fades into the haze.
        col = mix(col, QColor(220, 210, 196), smooth(3, 14, z) * 0.5);
        px = col.rgb();
    });
    // A gutter of setts along the kerb.
    // The church closing the street.
    {
        const double z = 13;
        const QPointF base = view.at(0, 0, z);
        const double s = view.f / z;
        p.setBrush(QColor(236, 222, 196));
        p.drawRect(QRectF(base.x() - 0.9 * s, base.y() - 1.4 * s, 1.8 * s, 1.4 * s));
        p.setBrush(QColor(220, 204, 176));
        p.drawRect(QRectF(base.x() - 0.3 * s, base.y() - 3.4 * s, 0.6 * s, 2.0 * s));
        QPolygonF spire;
        spire << QPointF(base.x() - 0.36 * s, base.y() - 3.4 * s) << QPointF(base.x(), base.y() - 5.0 * s)
              << QPointF(base.x() + 0.36 * s, base.y() - 3.4 * s);
        p.setBrush(QColor(70, 120, 110));
        p.drawPolygon(spire);
        p.setBrush(QColor(250, 240, 210));
        p.drawEllipse(QPointF(base.x(), base.y() - 2.9 * s), 0.16 * s, 0.16 * s);
        p.setBrush(QColor(90, 60, 50));
        p.drawRoundedRect(QRectF(base.x() - 0.12 * s, base.y() - 2.4 * s, 0.24 * s, 0.4 * s), 0.1 * s, 0.1 * s);
        p.drawRoundedRect(QRectF(base.x() - 0.25 * s, base.y() - 0.6 * s, 0.5 * s, 0.6 * s), 0.2 * s, 0.2 * s);
        QPolygonF roof;
        roof << QPointF(base.x() - 1.0 * s, base.y() - 1.4 * s) << QPointF(base.x(), base.y() - 2.0 * s)
             << QPointF(base.x() + 1.0 * s, base.y() - 1.4 * s);
        p.setBrush(QColor(170, 80, 60));
        p.drawPolygon(roof);
    }
    // House fronts, far to near on both sides.
    struct House { double z0, z1, height; int colour; bool shop; };
    for (int side : {-1, 1}) {
        std::vector<House> row;
        double z = 0.45;
        while (z < 13) {
            const double len = rng.range(0.9, 1.5) * (0.7 + z * 0.08);
            row.push_back({z, z + len, rng.range(1.3, 1.9), rng.below(int(Plaster.size())), rng.chance(0.5)});
            z += len;
        }
        for (auto it = row.rbegin(); it != row.rend(); ++it) {
            const House& hs = *it;
            const double top = hs.height + (hs.z1 - hs.z0) * 0.45;
            QPolygonF local;
            local << QPointF(0, 0) << QPointF((hs.z1 - hs.z0) * 100, 0) << QPointF((hs.z1 - hs.z0) * 100, top * 100)
                  << QPointF(0, top * 100);
            QPolygonF screen;
            screen << view.at(side, 0, hs.z0) << view.at(side, 0, hs.z1) << view.at(side, top, hs.z1)
                   << view.at(side, top, hs.z0);
            QTransform t;
            if (!QTransform::quadToQuad(local, screen, t))
                continue;
            p.save();
            p.setWorldTransform(t * QTransform::fromScale(Canvas::Scale, Canvas::Scale));
            facade(p, rng, hs.z1 - hs.z0, hs.height, Plaster[size_t(hs.colour)], hs.shop);
            // Haze in the distance.
            const double haze = smooth(2, 13, (hs.z0 + hs.z1) / 2) * 0.6;
            p.setBrush(QColor(226, 220, 210, int(haze * 255)));
            QPainterPath wall;
            const double L = (hs.z1 - hs.z0) * 100, H = hs.height * 100;
            wall.moveTo(-8, 0);
            wall.lineTo(-8, H);
            wall.lineTo(L / 2, H + L * 0.45 + 8);
            wall.lineTo(L + 8, H);
            wall.lineTo(L + 8, 0);
            wall.closeSubpath();
            p.drawPath(wall);
            p.restore();
        }
    }
    // Bunting across the street.
    const std::vector<QColor> flags = {QColor(220, 60, 50), QColor(250, 200, 60), QColor(60, 120, 190), QColor(70, 150, 80),
                                       QColor(250, 246, 236)};
    for (double z : {1.6, 3.2, 5.5}) {
        const QPointF a = view.at(-1, 1.25, z), b = view.at(1, 1.25, z);
        const double sag = 24 * u / z;
        p.setPen(QPen(QColor(80, 70, 60), std::max(0.4, 1.2 * u / z)));
        p.setBrush(Qt::NoBrush);
        QPainterPath line;
        line.moveTo(a);
        line.quadTo((a + b) / 2 + QPointF(0, sag * 2), b);
        p.drawPath(line);
        p.setPen(Qt::NoPen);
        const int n = 16;
        for (int k = 1; k < n; ++k) {
            const QPointF q = line.pointAtPercent(double(k) / n);
            const double fs = 9 * u / z;
            QPolygonF tri;
            tri << q + QPointF(-fs * 0.5, 0) << q + QPointF(fs * 0.5, 0) << q + QPointF(0, fs * 1.2);
            p.setBrush(flags[size_t(k) % flags.size()]);
            p.drawPolygon(tri);
        }
    }
    // Hanging signs and a lantern on brackets, near the viewer.
    for (const auto& [X, z, colour] : {std::tuple{-1.0, 1.3, QColor(200, 150, 60)}, std::tuple{1.0, 2.1, QColor(70, 110, 80)},
                                       std::tuple{-1.0, 3.8, QColor(150, 60, 50)}}) {
        const QPointF wall = view.at(X, 1.05, z), tip = view.at(X * 0.72, 1.05, z);
        const double s = view.f / z;
        p.setPen(QPen(QColor(40, 34, 30), std::max(0.6, 0.03 * s)));
        p.drawLine(wall, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        const QRectF board((wall.x() + tip.x()) / 2 - 0.11 * s, wall.y() + 0.04 * s, 0.22 * s, 0.18 * s);
        p.drawRoundedRect(board, 0.03 * s, 0.03 * s);
        p.setBrush(QColor(240, 220, 160));
        p.drawEllipse(board.center(), 0.05 * s, 0.05 * s);
    }
    {
        const QPointF wall = view.at(1, 1.0, 1.0), tip = view.at(0.8, 1.0, 1.0);
        p.setPen(QPen(QColor(40, 34, 30), 2.4 * u));
        p.drawLine(wall, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 34, 30));
        p.drawRect(QRectF(tip.x() - 8 * u, tip.y(), 16 * u, 26 * u));
        QRadialGradient g(tip + QPointF(0, 14 * u), 18 * u);
        g.setColorAt(0, QColor(255, 240, 190));
        g.setColorAt(0.4, QColor(255, 220, 140, 200));
        g.setColorAt(1, QColor(255, 220, 140, 0));
        p.setBrush(g);
        p.drawEllipse(tip + QPointF(0, 14 * u), 18 * u, 18 * u);
    }
    // Villagers: a woman with a basket, a man with a hat, and pigeons.
    auto person = [&](double X, double z, const QColor& coat, const QColor& skirt, bool basket, bool hat) {
        const QPointF at = view.at(X, 0, z);
        const double s = view.f / z;
        p.setBrush(QColor(60, 50, 40, 70));
        p.drawEllipse(at, 0.14 * s, 0.03 * s);
        p.setBrush(QColor(60, 44, 36));
        p.drawRect(QRectF(at.x() - 0.05 * s, at.y() - 0.2 * s, 0.035 * s, 0.2 * s));
        p.drawRect(QRectF(at.x() + 0.015 * s, at.y() - 0.2 * s, 0.035 * s, 0.2 * s));
        QPolygonF body;
        body << at + QPointF(-0.12 * s, -0.18 * s) << at + QPointF(0.12 * s, -0.18 * s) << at + QPointF(0.07 * s, -0.62 * s)
             << at + QPointF(-0.07 * s, -0.62 * s);
        p.setBrush(skirt);
        p.drawPolygon(body);
        p.setBrush(coat);
        p.drawRoundedRect(QRectF(at.x() - 0.085 * s, at.y() - 0.66 * s, 0.17 * s, 0.26 * s), 0.04 * s, 0.04 * s);
        p.setBrush(QColor(240, 200, 170));
        p.drawEllipse(at + QPointF(0, -0.74 * s), 0.055 * s, 0.065 * s);
        if (hat) {
            p.setBrush(QColor(60, 50, 40));
            p.drawRect(QRectF(at.x() - 0.08 * s, at.y() - 0.79 * s, 0.16 * s, 0.02 * s));
            p.drawRect(QRectF(at.x() - 0.05 * s, at.y() - 0.86 * s, 0.1 * s, 0.07 * s));
        } else {
            p.setBrush(QColor(140, 80, 40));
            p.drawEllipse(at + QPointF(0, -0.78 * s), 0.06 * s, 0.045 * s);
            p.setBrush(QColor(250, 246, 236));
            p.drawRect(QRectF(at.x() - 0.07 * s, at.y() - 0.4 * s, 0.14 * s, 0.2 * s));
        }
        if (basket) {
            p.setBrush(QColor(190, 140, 70));
            p.drawRoundedRect(QRectF(at.x() + 0.08 * s, at.y() - 0.44 * s, 0.14 * s, 0.09 * s), 0.02 * s, 0.02 * s);
            p.setBrush(QColor(220, 60, 50));
            p.drawEllipse(at + QPointF(0.12 * s, -0.45 * s), 0.025 * s, 0.025 * s);
            p.setBrush(QColor(240, 200, 60));
            p.drawEllipse(at + QPointF(0.17 * s, -0.45 * s), 0.025 * s, 0.025 * s);
        }
    };
    person(0.35, 3.0, QColor(60, 90, 140), QColor(60, 60, 80), false, true);
    person(-0.3, 1.7, QColor(170, 60, 50), QColor(90, 110, 150), true, false);
    for (int k = 0; k < 5; ++k) {
        const QPointF at = view.at(rng.range(-0.2, 0.6), 0, rng.range(0.8, 1.3));
        const double s = view.f / 1.0;
        p.setBrush(QColor(130, 130, 146));
        p.drawEllipse(at + QPointF(0, -0.03 * s), 0.04 * s, 0.025 * s);
        p.setBrush(QColor(100, 110, 130));
        p.drawEllipse(at + QPointF(0.035 * s, -0.055 * s), 0.017 * s, 0.017 * s);
        p.setBrush(QColor(230, 150, 60));
        p.drawEllipse(at + QPointF(0.05 * s, -0.052 * s), 0.008 * s, 0.005 * s);
    }
    // Flower tubs and a cat on the doorstep.
    for (const auto& [X, z] : {std::pair{-0.88, 0.9}, std::pair{0.9, 1.5}, std::pair{-0.9, 2.6}, std::pair{0.88, 0.65}}) {
        const QPointF at = view.at(X, 0, z);
        const double s = view.f / z;
        p.setBrush(QColor(150, 80, 50));
        p.drawRoundedRect(QRectF(at.x() - 0.07 * s, at.y() - 0.12 * s, 0.14 * s, 0.12 * s), 0.02 * s, 0.02 * s);
        for (int k = 0; k < 14; ++k) {
            p.setBrush(k % 3 == 0 ? QColor(60, 110, 50) : (k % 3 == 1 ? QColor(230, 60, 80) : QColor(250, 200, 60)));
            p.drawEllipse(at + QPointF(rng.range(-0.08, 0.08) * s, -0.14 * s - rng.range(0, 0.08) * s), 0.025 * s, 0.025 * s);
        }
    }
    {
        const QPointF at = view.at(-0.86, 0, 1.8);
        const double s = view.f / 1.8;
        p.setBrush(QColor(60, 50, 46));
        p.drawEllipse(at + QPointF(0, -0.06 * s), 0.07 * s, 0.06 * s);
        p.drawEllipse(at + QPointF(0.02 * s, -0.14 * s), 0.04 * s, 0.04 * s);
        QPolygonF ears;
        ears << at + QPointF(-0.01 * s, -0.17 * s) << at + QPointF(0.0, -0.21 * s) << at + QPointF(0.02 * s, -0.17 * s);
        p.drawPolygon(ears);
        ears.translate(0.035 * s, 0);
        p.drawPolygon(ears);
        p.setPen(QPen(QColor(60, 50, 46), 0.02 * s, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath tail;
        tail.moveTo(at + QPointF(-0.06 * s, -0.02 * s));
        tail.quadTo(at + QPointF(-0.14 * s, 0), at + QPointF(-0.12 * s, -0.1 * s));
        p.drawPath(tail);
        p.setPen(Qt::NoPen);
    }
    return c.finish();
}

}  // namespace pictures
