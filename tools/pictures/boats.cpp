#include "boats.h"

#include "paint.h"

namespace pictures {

namespace {

void drawBoat(QPainter& p, Rng& rng, double s, const BoatLook& look, bool full)
{
    p.setPen(Qt::NoPen);
    // Hull: a raised bow at the right.
    QPainterPath hull;
    hull.moveTo(-30, -9);
    hull.quadTo(0, -6, 31, -14);
    hull.quadTo(27, -2, 20, 2);
    hull.lineTo(-24, 2);
    hull.quadTo(-30, -2, -30, -9);
    QLinearGradient hg(0, -12, 0, 2);
    hg.setColorAt(0, shade(look.hull, 1.1));
    hg.setColorAt(1, shade(look.hull, 0.7));
    p.setBrush(hg);
    p.drawPath(hull);
    // Painted band under the gunwale.
    QPainterPath band;
    band.moveTo(-30, -9);
    band.quadTo(0, -6, 31, -14);
    band.lineTo(30.2, -12);
    band.quadTo(0, -3.6, -29.5, -6.8);
    band.closeSubpath();
    p.setBrush(look.band);
    p.drawPath(band);
    p.setBrush(shade(look.hull, 0.5));
    p.drawRect(QRectF(-26, 0.5, 46, 1.5));
    if (!full)
        return;
    // Portholes and fenders.
    p.setBrush(shade(look.band, 0.6));
    for (double hx : {-18.0, -10.0, 14.0})
        p.drawEllipse(QPointF(hx, -2.5), 1.1, 1.1);
    p.setBrush(QColor(40, 36, 34));
    for (double fx : {-14.0, 2.0})
        p.drawEllipse(QPointF(fx, -4), 1.8, 2.4);
    // Wheelhouse.
    if (!look.sail) {
        p.setBrush(look.cabin);
        p.drawRect(QRectF(-20, -22, 15, 14));
        p.setBrush(shade(look.cabin, 0.8));
        p.drawRect(QRectF(-5, -22, 3, 14));
        p.setBrush(QColor(60, 90, 110));
        p.drawRect(QRectF(-18, -19.5, 4, 4.5));
        p.drawRect(QRectF(-12, -19.5, 4.5, 4.5));
        p.setBrush(QColor(220, 236, 240, 120));
        p.drawRect(QRectF(-18, -19.5, 1.6, 4.5));
        p.setBrush(look.roof);
        p.drawRect(QRectF(-22, -24, 21, 2.6));
        // Mast, boom and rigging.
        p.setBrush(QColor(90, 70, 52));
        p.drawRect(QRectF(9, -50, 1.6, 42));
        p.drawRect(QRectF(-1.5, -26, 1.2, 18));
        p.setPen(QPen(QColor(70, 60, 50, 200), 0.35));
        p.drawLine(QPointF(9.8, -50), QPointF(30, -14));
        p.drawLine(QPointF(9.8, -50), QPointF(-28, -9));
        p.drawLine(QPointF(9.8, -34), QPointF(-0.5, -26));
        p.drawLine(QPointF(9.8, -42), QPointF(24, -16));
        p.setPen(Qt::NoPen);
        // Pennant.
        QPainterPath flag;
        flag.moveTo(10.6, -50);
        flag.quadTo(15, -49, 19, -47.5);
        flag.lineTo(10.6, -46);
        flag.closeSubpath();
        p.setBrush(look.flag);
        p.drawPath(flag);
        // Floats and a net heap.
        p.setBrush(QColor(236, 120, 60));
        p.drawEllipse(QPointF(16, -9.5), 1.6, 1.6);
        p.drawEllipse(QPointF(20, -10.5), 1.6, 1.6);
        p.setBrush(QColor(110, 130, 120));
        p.drawEllipse(QPointF(5, -9), 4, 1.8);
    } else {
        p.setBrush(QColor(90, 70, 52));
        p.drawRect(QRectF(-2, -62, 1.6, 54));
        QPainterPath main;
        main.moveTo(-0.8, -60);
        main.quadTo(12, -36, 16, -10);
        main.lineTo(-0.8, -10);
        main.closeSubpath();
        QLinearGradient sg(-1, 0, 16, 0);
        sg.setColorAt(0, look.sailColour);
        sg.setColorAt(1, shade(look.sailColour, 0.85));
        p.setBrush(sg);
        p.drawPath(main);
        QPainterPath jib;
        jib.moveTo(-2.4, -58);
        jib.quadTo(-14, -34, -24, -11);
        jib.lineTo(-2.4, -11);
        jib.closeSubpath();
        p.setBrush(shade(look.sailColour, 0.92));
        p.drawPath(jib);
        p.setPen(QPen(shade(look.sailColour, 0.75), 0.3));
        for (int k = 1; k < 5; ++k)
            p.drawLine(QPointF(-0.8, -10 - k * 10), QPointF(-0.8 + 16 * (1 - k * 0.2) * 0.9, -10 - k * 10 + 2));
        p.setPen(Qt::NoPen);
        p.setBrush(look.flag);
        p.drawRect(QRectF(-1.2, -66, 5, 3));
    }
    (void)rng;
}

}  // namespace

void boat(QPainter& p, Rng& rng, double x, double y, double s, const BoatLook& look, bool mirrored)
{
    p.save();
    p.translate(x, y);
    p.scale(mirrored ? -s : s, s);
    drawBoat(p, rng, s, look, true);
    p.restore();
}

void boatReflection(QPainter& p, Rng& rng, double x, double y, double s, const BoatLook& look,
                    bool mirrored, const QColor& water)
{
    p.save();
    p.translate(x, y + 2 * s);
    p.scale(mirrored ? -s : s, -s * 0.9);
    p.setOpacity(0.55);
    drawBoat(p, rng, s, look, true);
    p.restore();
    // Wavelets cut the reflection into strips.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < int(30 * s); ++i) {
        const double wy = y + 3 * s + rng.range(0, 50 * s);
        const double wx = x + rng.range(-34, 34) * s;
        p.setBrush(withAlpha(water, 150));
        p.drawRoundedRect(QRectF(wx, wy, rng.range(6, 18) * s, rng.range(0.6, 1.4) * s), 0.5 * s, 0.5 * s);
    }
    p.restore();
}

}  // namespace pictures
