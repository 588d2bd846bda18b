// 205: a ginger cat by the fire on a braided rug.

#include "paint.h"
#include "scenes.h"

namespace pictures {

namespace {

void flame(QPainter& p, QPointF base, double w, double h, const QColor& outer, const QColor& inner)
{
    QPainterPath f;
    f.moveTo(base + QPointF(-w, 0));
    f.cubicTo(base + QPointF(-w * 1.1, -h * 0.5), base + QPointF(-w * 0.2, -h * 0.6), base + QPointF(w * 0.1, -h));
    f.cubicTo(base + QPointF(w * 0.3, -h * 0.6), base + QPointF(w * 1.2, -h * 0.4), base + QPointF(w, 0));
    f.closeSubpath();
    QLinearGradient g(0, base.y(), 0, base.y() - h);
    g.setColorAt(0, inner);
    g.setColorAt(1, withAlpha(outer, 200));
    p.setBrush(g);
    p.drawPath(f);
}

}  // namespace

QImage catOnRug(int w, int h)
{
    Canvas c(w, h);
    QPainter& p = c.p;
    Rng rng(205);
    const double u = w / 350.0;
    const double floorY = 250 * u;
    const QPointF fire(118 * u, 214 * u);

    // Wallpaper: dusky green with a trellis of small leaves, lit by the fire.
    c.perPixel(QRect(0, 0, w, int(floorY) + 1), [&](double x, double y, QRgb& px) {
        const double a = std::fmod(x + y + 1000, 28 * u) / (28 * u), b = std::fmod(x - y + 1000, 28 * u) / (28 * u);
        const double line = std::min({a, 1 - a, b, 1 - b});
        QColor col = mix(QColor(150, 140, 90), QColor(70, 90, 70), smooth(0.0, 0.06, line));
        const double glow = 1.25 - std::hypot(x - fire.x(), y - fire.y()) / (260 * u);
        col = shade(col, std::max(0.45, glow) + (fbm(x / 20.0, y / 20.0, 3, 5) - 0.5) * 0.1);
        px = col.rgb();
    });
    p.setPen(Qt::NoPen);
    for (double y = 0; y < floorY; y += 28 * u)
        for (double x = std::fmod(y, 56 * u) < 1 ? 0 : 14 * u; x < w; x += 28 * u) {
            const double glow = std::max(0.45, 1.25 - std::hypot(x - fire.x(), y - fire.y()) / (260 * u));
            p.setBrush(shade(QColor(200, 110, 80), glow));
            p.drawEllipse(QPointF(x, y), 3 * u, 3 * u);
            p.setBrush(shade(QColor(250, 210, 140), glow));
            p.drawEllipse(QPointF(x, y), 1.2 * u, 1.2 * u);
        }
    // The fireplace: brick surround, mantel, firebox.
    const QRectF surround(20 * u, 70 * u, 196 * u, floorY - 70 * u);
    c.perPixel(surround.toAlignedRect(), [&](double x, double y, QRgb& px) {
        if (!surround.contains(x, y))
            return;
        const double row = std::floor(y / (8 * u));
        const double off = (int(row) % 2) * 8 * u;
        const double cell = std::floor((x + off) / (16 * u));
        const double fx = std::fmod(x + off, 16 * u) / (16 * u), fy = std::fmod(y, 8 * u) / (8 * u);
        QColor brick = mix(QColor(170, 80, 56), QColor(130, 60, 46), hash2(int(cell), int(row), 3));
        brick = shade(brick, 0.85 + 0.3 * fbm(x / 3.0, y / 3.0, 2, 4));
        const double mortar = std::min({fx, 1 - fx, fy * 0.5, (1 - fy) * 0.5});
        QColor col = mix(QColor(190, 170, 150), brick, smooth(0.0, 0.06, mortar));
        const double glow = 1.35 - std::hypot(x - fire.x(), y - fire.y()) / (200 * u);
        px = shade(col, std::max(0.5, glow)).rgb();
    });
    const QRectF box(62 * u, 150 * u, 112 * u, floorY - 150 * u);
    QPainterPath opening;
    opening.moveTo(box.bottomLeft());
    opening.lineTo(box.left(), box.top() + 20 * u);
    opening.quadTo(box.center().x(), box.top() - 14 * u, box.right(), box.top() + 20 * u);
    opening.lineTo(box.bottomRight());
    opening.closeSubpath();
    QRadialGradient inside(fire, 80 * u);
    inside.setColorAt(0, QColor(120, 50, 20));
    inside.setColorAt(1, QColor(30, 16, 14));
    p.setBrush(inside);
    p.drawPath(opening);
    // Logs and flames.
    p.setBrush(QColor(90, 56, 36));
    p.drawRoundedRect(QRectF(80 * u, 228 * u, 78 * u, 12 * u), 6 * u, 6 * u);
    p.setBrush(QColor(110, 70, 44));
    p.save();
    p.translate(118 * u, 224 * u);
    p.rotate(-12);
    p.drawRoundedRect(QRectF(-40 * u, -6 * u, 80 * u, 12 * u), 6 * u, 6 * u);
    p.setBrush(QColor(200, 160, 110));
    p.drawEllipse(QPointF(40 * u, 0), 4 * u, 6 * u);
    p.restore();
    QRadialGradient halo(fire, 70 * u);
    halo.setColorAt(0, QColor(255, 200, 100, 160));
    halo.setColorAt(1, QColor(255, 160, 60, 0));
    p.setBrush(halo);
    p.drawEllipse(fire, 70 * u, 70 * u);
    for (int k = 0; k < 9; ++k) {
        const double fx = 86 * u + k * 8 * u + rng.range(-3, 3) * u;
        const double fh = (30 + 30 * std::sin(k * 0.5 + 0.3)) * u * rng.range(0.8, 1.2);
        flame(p, QPointF(fx, 230 * u), 8 * u, fh, QColor(230, 80, 30), QColor(255, 200, 80));
    }
    for (int k = 0; k < 6; ++k) {
        const double fx = 96 * u + k * 10 * u + rng.range(-2, 2) * u;
        flame(p, QPointF(fx, 232 * u), 5 * u, rng.range(14, 30) * u, QColor(255, 170, 60), QColor(255, 246, 190));
    }
    p.setBrush(QColor(40, 36, 36));
    p.drawRect(QRectF(70 * u, 238 * u, 96 * u, 4 * u));
    for (double bx = 74 * u; bx < 166 * u; bx += 10 * u)
        p.drawRect(QRectF(bx, 226 * u, 2.4 * u, 14 * u));
    // Mantel and what stands on it.
    p.setBrush(QColor(120, 76, 50));
    p.drawRect(QRectF(12 * u, 60 * u, 212 * u, 12 * u));
    p.setBrush(QColor(150, 100, 66));
    p.drawRect(QRectF(12 * u, 60 * u, 212 * u, 3 * u));
    // Clock.
    p.setBrush(QColor(110, 70, 40));
    p.drawRoundedRect(QRectF(96 * u, 16 * u, 44 * u, 44 * u), 20 * u, 20 * u);
    p.setBrush(QColor(250, 240, 210));
    p.drawEllipse(QPointF(118 * u, 36 * u), 14 * u, 14 * u);
    p.setPen(QPen(QColor(40, 30, 30), 1.4 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(118 * u, 36 * u), QPointF(118 * u, 27 * u));
    p.drawLine(QPointF(118 * u, 36 * u), QPointF(124 * u, 39 * u));
    for (int k = 0; k < 12; ++k) {
        const double a = k * Pi / 6;
        p.drawPoint(QPointF(118 * u + std::cos(a) * 11 * u, 36 * u + std::sin(a) * 11 * u));
    }
    p.setPen(Qt::NoPen);
    // Candlesticks and a jug of flowers.
    for (double cx : {40.0, 196.0}) {
        p.setBrush(QColor(220, 180, 90));
        p.drawRect(QRectF((cx - 2) * u, 40 * u, 4 * u, 20 * u));
        p.drawEllipse(QPointF(cx * u, 58 * u), 7 * u, 2.5 * u);
        p.setBrush(QColor(250, 244, 226));
        p.drawRect(QRectF((cx - 2.5) * u, 18 * u, 5 * u, 22 * u));
        QRadialGradient cg(QPointF(cx * u, 12 * u), 10 * u);
        cg.setColorAt(0, QColor(255, 240, 180, 230));
        cg.setColorAt(1, QColor(255, 200, 120, 0));
        p.setBrush(cg);
        p.drawEllipse(QPointF(cx * u, 12 * u), 10 * u, 10 * u);
        p.setBrush(QColor(255, 220, 120));
        p.drawEllipse(QPointF(cx * u, 14 * u), 2 * u, 4 * u);
    }
    p.setBrush(QColor(70, 110, 150));
    p.drawRoundedRect(QRectF(156 * u, 40 * u, 18 * u, 20 * u), 6 * u, 6 * u);
    for (int k = 0; k < 10; ++k) {
        p.setBrush(k % 2 ? QColor(250, 220, 80) : QColor(240, 120, 120));
        p.drawEllipse(QPointF(165 * u + rng.range(-12, 12) * u, 34 * u + rng.range(-10, 4) * u), 3.4 * u, 3.4 * u);
    }
    // A picture on the wall to the right.
    p.setBrush(QColor(160, 120, 60));
    p.drawRect(QRectF(250 * u, 30 * u, 80 * u, 64 * u));
    p.setBrush(QColor(230, 210, 170));
    p.drawRect(QRectF(256 * u, 36 * u, 68 * u, 52 * u));
    p.setBrush(QColor(120, 70, 60));
    p.drawEllipse(QPointF(290 * u, 60 * u), 12 * u, 16 * u);
    p.setBrush(QColor(240, 210, 180));
    p.drawEllipse(QPointF(290 * u, 54 * u), 6 * u, 7 * u);

    // A standard lamp with a fringed shade in the corner.
    {
        const double lx = 322 * u;
        QRadialGradient lampGlow(QPointF(lx, 140 * u), 90 * u);
        lampGlow.setColorAt(0, QColor(255, 220, 150, 150));
        lampGlow.setColorAt(1, QColor(255, 200, 120, 0));
        p.setBrush(lampGlow);
        p.drawEllipse(QPointF(lx, 140 * u), 90 * u, 90 * u);
        QLinearGradient pole(lx - 3 * u, 0, lx + 3 * u, 0);
        pole.setColorAt(0, QColor(240, 200, 110));
        pole.setColorAt(1, QColor(130, 90, 40));
        p.setBrush(pole);
        p.drawRect(QRectF(lx - 2.5 * u, 150 * u, 5 * u, floorY - 146 * u));
        p.drawEllipse(QPointF(lx, floorY + 2 * u), 16 * u, 4 * u);
        p.drawEllipse(QPointF(lx, 200 * u), 5 * u, 3 * u);
        QPolygonF shadeShape;
        shadeShape << QPointF(lx - 16 * u, 108 * u) << QPointF(lx + 16 * u, 108 * u) << QPointF(lx + 30 * u, 150 * u)
                   << QPointF(lx - 30 * u, 150 * u);
        QLinearGradient sg(lx - 30 * u, 0, lx + 30 * u, 0);
        sg.setColorAt(0, QColor(250, 220, 150));
        sg.setColorAt(0.5, QColor(250, 200, 120));
        sg.setColorAt(1, QColor(200, 130, 70));
        p.setBrush(sg);
        p.drawPolygon(shadeShape);
        p.setBrush(QColor(170, 60, 50));
        p.drawRect(QRectF(lx - 30 * u, 146 * u, 60 * u, 4 * u));
        p.drawRect(QRectF(lx - 16 * u, 108 * u, 32 * u, 3 * u));
        p.setPen(QPen(QColor(170, 60, 50), 1.0 * u));
        for (double fx = lx - 29 * u; fx < lx + 30 * u; fx += 2.5 * u)
            p.drawLine(QPointF(fx, 150 * u), QPointF(fx, 157 * u));
        p.setPen(Qt::NoPen);
    }
    // Floorboards and the braided rug.
    c.perPixel(QRect(0, int(floorY), w, h - int(floorY)), [&](double x, double y, QRgb& px) {
        if (y < floorY)
            return;
        const double t = (y - floorY) / (h - floorY);
        const double board = std::floor((x - w / 2) / ((22 + t * 20) * u) + 100);
        const double grainv = fbm(x / 30.0, y / 1.5, 3, uint32_t(board) + 50);
        QColor col = mix(QColor(120, 70, 40), QColor(160, 100, 56), grainv);
        col = shade(col, 0.8 + hash2(int(board), 0, 6) * 0.3);
        const double seam = std::fmod((x - w / 2) / ((22 + t * 20) * u) + 100, 1.0);
        if (seam < 0.04)
            col = shade(col, 0.5);
        const double glow = 1.2 - std::hypot(x - fire.x(), y - fire.y()) / (260 * u);
        px = shade(col, std::max(0.5, glow)).rgb();
    });
    const QPointF rugC(220 * u, 306 * u);
    const std::vector<QColor> braid = {QColor(180, 60, 50), QColor(60, 100, 130), QColor(220, 180, 90),
                                       QColor(110, 130, 70), QColor(150, 80, 110), QColor(230, 210, 170)};
    for (int ring = 9; ring >= 0; --ring) {
        const double rx = (30 + ring * 12) * u, ry = (10 + ring * 5.2) * u;
        const QColor col = braid[size_t(ring) % braid.size()];
        p.setBrush(col);
        p.drawEllipse(rugC, rx, ry);
        p.setPen(QPen(shade(col, 0.7), 1.6 * u, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(rugC, rx - 5 * u, ry - 2.5 * u);
        p.setPen(Qt::NoPen);
    }
    // A ball of wool with its thread.
    p.setPen(QPen(QColor(90, 130, 190), 1.2 * u));
    p.setBrush(Qt::NoBrush);
    QPainterPath thread;
    thread.moveTo(60 * u, 318 * u);
    thread.cubicTo(100 * u, 350 * u, 130 * u, 300 * u, 170 * u, 332 * u);
    p.drawPath(thread);
    p.setPen(Qt::NoPen);
    QRadialGradient wool(QPointF(52 * u, 308 * u), 22 * u);
    wool.setColorAt(0, QColor(140, 180, 230));
    wool.setColorAt(1, QColor(50, 80, 140));
    p.setBrush(wool);
    p.drawEllipse(QPointF(56 * u, 312 * u), 18 * u, 17 * u);
    p.setPen(QPen(QColor(40, 70, 130), 0.9 * u));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 7; ++k)
        p.drawArc(QRectF((40 + k * 2) * u, (296 + k) * u, 30 * u, 30 * u), (20 + k * 30) * 16, 120 * 16);
    p.setPen(Qt::NoPen);

    // The cat, sitting, warmed on its left by the fire.
    p.save();
    p.translate(236 * u, 318 * u);
    p.scale(u * 0.95, u * 0.95);
    p.setBrush(QColor(50, 30, 20, 100));
    p.drawEllipse(QPointF(10, 0), 80, 12);
    const QColor fur(226, 140, 60), furDark(176, 90, 40), white(250, 240, 226);
    QPainterPath body;
    body.moveTo(-62, 0);
    body.cubicTo(-80, -60, -58, -112, -26, -126);
    body.lineTo(26, -126);
    body.cubicTo(58, -112, 80, -60, 62, 0);
    body.closeSubpath();
    QPainterPath head;
    head.moveTo(-50, -150);
    head.cubicTo(-52, -188, -22, -198, 0, -198);
    head.cubicTo(22, -198, 52, -188, 50, -150);
    head.cubicTo(48, -116, 22, -104, 0, -104);
    head.cubicTo(-22, -104, -48, -116, -50, -150);
    // Tail curling round in front.
    p.setPen(QPen(furDark, 18, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath tail;
    tail.moveTo(56, -12);
    tail.cubicTo(96, -10, 80, 14, 20, 10);
    tail.cubicTo(-10, 8, -40, 10, -58, 2);
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    auto furFill = [&](const QPainterPath& part) {
        QLinearGradient g(-70, 0, 70, 0);
        g.setColorAt(0, QColor(255, 190, 110));
        g.setColorAt(0.45, fur);
        g.setColorAt(1, furDark);
        p.setBrush(g);
        p.drawPath(part);
    };
    furFill(body);
    // Tabby stripes on the flanks.
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(170, 80, 34, 200), 7, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 5; ++k) {
        p.drawArc(QRectF(-100, -110 + k * 22, 70, 40), 300 * 16, 90 * 16);
        p.drawArc(QRectF(30, -110 + k * 22, 70, 40), 150 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(0, -96), 26, 36);
    p.restore();
    // Front legs and paws.
    for (int side : {-1, 1}) {
        QLinearGradient lg(side * 22 - 10, 0, side * 22 + 10, 0);
        lg.setColorAt(0, QColor(255, 200, 140));
        lg.setColorAt(1, side < 0 ? fur : furDark);
        p.setBrush(lg);
        p.drawRoundedRect(QRectF(side * 20 - 9, -64, 18, 64), 9, 9);
        p.setBrush(white);
        p.drawEllipse(QPointF(side * 20, -4), 12, 7);
        p.setPen(QPen(QColor(200, 180, 170), 1));
        p.drawLine(QPointF(side * 20 - 4, -8), QPointF(side * 20 - 4, -1));
        p.drawLine(QPointF(side * 20 + 4, -8), QPointF(side * 20 + 4, -1));
        p.setPen(Qt::NoPen);
    }
    // Tail tip over the paws.
    p.setPen(QPen(fur, 16, Qt::SolidLine, Qt::RoundCap));
    QPainterPath tip;
    tip.moveTo(-20, 10);
    tip.cubicTo(-40, 12, -56, 6, -62, -4);
    p.drawPath(tip);
    p.setPen(QPen(QColor(170, 80, 34), 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(-34, 4), QPointF(-36, 16));
    p.drawLine(QPointF(-48, 0), QPointF(-52, 12));
    p.setPen(Qt::NoPen);
    // Ears.
    for (int side : {-1, 1}) {
        QPolygonF ear;
        ear << QPointF(side * 46, -166) << QPointF(side * 40, -218) << QPointF(side * 10, -190);
        p.setBrush(side < 0 ? fur : furDark);
        p.drawPolygon(ear);
        QPolygonF inner;
        inner << QPointF(side * 40, -172) << QPointF(side * 38, -206) << QPointF(side * 18, -188);
        p.setBrush(QColor(240, 170, 160));
        p.drawPolygon(inner);
    }
    furFill(head);
    p.save();
    p.setClipPath(head);
    // The M on the forehead and cheek stripes.
    p.setPen(QPen(QColor(170, 80, 34), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -196), QPointF(0, -170));
    p.drawLine(QPointF(-12, -194), QPointF(-8, -172));
    p.drawLine(QPointF(12, -194), QPointF(8, -172));
    p.drawLine(QPointF(-24, -190), QPointF(-18, -174));
    p.drawLine(QPointF(24, -190), QPointF(18, -174));
    for (int side : {-1, 1}) {
        p.drawLine(QPointF(side * 52, -148), QPointF(side * 36, -144));
        p.drawLine(QPointF(side * 52, -138), QPointF(side * 38, -138));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(-10, -124), 14, 12);
    p.drawEllipse(QPointF(10, -124), 14, 12);
    p.drawEllipse(QPointF(0, -112), 12, 8);
    p.restore();
    // Eyes.
    for (int side : {-1, 1}) {
        const QPointF e(side * 19, -154);
        QPainterPath almond;
        almond.moveTo(e + QPointF(-12, 0));
        almond.quadTo(e + QPointF(0, -12), e + QPointF(12, 0));
        almond.quadTo(e + QPointF(0, 11), e + QPointF(-12, 0));
        QRadialGradient ig(e, 12);
        ig.setColorAt(0, QColor(230, 220, 90));
        ig.setColorAt(1, QColor(100, 150, 60));
        p.setBrush(ig);
        p.drawPath(almond);
        p.setPen(QPen(QColor(50, 30, 20), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(almond);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 16, 14));
        p.drawEllipse(e, 3, 8);
        p.setBrush(QColor(255, 255, 250));
        p.drawEllipse(e + QPointF(-3, -3), 2, 2);
    }
    // Nose, mouth, whiskers.
    QPolygonF nose;
    nose << QPointF(-6, -134) << QPointF(6, -134) << QPointF(0, -127);
    p.setBrush(QColor(220, 120, 120));
    p.drawPolygon(nose);
    p.setPen(QPen(QColor(90, 50, 40), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0, -127), QPointF(0, -121));
    p.drawArc(QRectF(-10, -126, 10, 8), 180 * 16, 180 * 16);
    p.drawArc(QRectF(0, -126, 10, 8), 180 * 16, 180 * 16);
    p.setPen(QPen(QColor(255, 250, 240, 220), 0.9));
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k)
            p.drawLine(QPointF(side * 14, -124 + k * 3), QPointF(side * 64, -134 + k * 9));
    p.setPen(Qt::NoPen);
    // Fur: short strokes over body and head.
    for (const QPainterPath* part : {&body, &head}) {
        p.save();
        p.setClipPath(*part);
        const QRectF b = part->boundingRect();
        for (int k = 0; k < 500; ++k) {
            const QPointF a(rng.range(b.left(), b.right()), rng.range(b.top(), b.bottom()));
            const double lit = (a.x() + 60) / 120;
            p.setPen(QPen(lit < 0.4 ? QColor(255, 210, 150, 120) : QColor(150, 70, 30, 110), 1.0));
            p.drawLine(a, a + QPointF(a.x() * 0.05 + rng.range(-1, 1), rng.range(3, 6)));
        }
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.restore();
    return c.finish();
}

}  // namespace pictures
