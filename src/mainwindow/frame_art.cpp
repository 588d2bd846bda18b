#include "mainwindow/frame_art.h"

#include <QPainter>
#include <QPolygonF>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cmath>

namespace mainwindow {

namespace {

// The side artwork in its own units: 300 long, 31 thick, mitred at both ends.
constexpr double kThick = 31.0;
// Every piece begins and ends on the beads' pitch of 5.6, so that the beads
// run on evenly from piece to piece; the bead lengths lie clear of the mitres
// and of the shell's ornaments.
constexpr double kEnd = 51.5;            // the left end with its mitre
constexpr double kEndRightFrom = 264.3;  // the right end with its mitre
constexpr double kEndRight = 35.7;
constexpr double kTile = 44.8;           // eight beads from kEnd, repeated as often as needed
constexpr double kMiddleFrom = 96.3;     // the shell with its leaf sprays
constexpr double kMiddle = 106.4;
constexpr double kShade = 22.0;        // depth of the light and shade on each side

// Renders the part [from, from + width) of the side artwork into `target`,
// a little beyond its own edges so that pieces meet without a seam.
void piece(QSvgRenderer& side, QPainter& p, double from, double width, const QRectF& target)
{
    const double overlap = 0.75;  // units
    const double sx = target.width() / width;
    p.save();
    // Clipped on whole pixels: the pieces overlap by up to a pixel, opaque on
    // both sides, so no seam shows where they meet.
    const double left = std::floor(target.left()), right = std::ceil(target.right());
    p.setClipRect(QRectF(left, 0, right - left, std::ceil(target.height())), Qt::IntersectClip);
    side.setViewBox(QRectF(from - overlap, 0, width + 2 * overlap, kThick));
    side.render(&p, target.adjusted(-overlap * sx, 0, overlap * sx, 0));
    p.restore();
}

// One side, drawn as the top one in its own coordinates: `length` long,
// `thick` thick, its ends mitred towards the neighbours' thicknesses.
void drawSide(QSvgRenderer& side, QPainter& p, double length, double thick, double prevThick,
              double nextThick, QColor light)
{
    const double s = thick / kThick;
    const double endLeft = kEnd * prevThick / kThick;
    const double endRight = kEndRight * nextThick / kThick;
    const double middle = kMiddle * s;
    const double gap = (length - endLeft - endRight - middle) / 2;
    if (gap <= 0) {
        piece(side, p, 0, 300, QRectF(0, 0, length, thick));
    } else {
        piece(side, p, 0, kEnd, QRectF(0, 0, endLeft, thick));
        piece(side, p, kEndRightFrom, kEndRight, QRectF(length - endRight, 0, endRight, thick));
        const double middleLeft = endLeft + gap;
        piece(side, p, kMiddleFrom, kMiddle, QRectF(middleLeft, 0, middle, thick));
        const int tiles = std::max(1, int(std::lround(gap / (kTile * s))));
        const double tile = gap / tiles;
        for (int i = 0; i < tiles; ++i) {
            piece(side, p, kEnd, kTile, QRectF(endLeft + i * tile, 0, tile, thick));
            piece(side, p, kEnd, kTile, QRectF(middleLeft + middle + i * tile, 0, tile, thick));
        }
    }
    const double d = kShade / kThick;
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(length, 0),
                             QPointF(length - d * nextThick, d * thick),
                             QPointF(d * prevThick, d * thick)}));
}

}  // namespace

QImage renderFrame(QSize size, const QRectF& opening, qreal dpr, const QString& artRoot)
{
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    if (size.isEmpty())
        return image;
    const double W = size.width(), H = size.height();
    QRectF o = opening;
    if (o.isEmpty())
        o = QRectF(W * kThick / 300, H * kThick / 300, W * (1 - 2 * kThick / 300),
                   H * (1 - 2 * kThick / 300));
    // Thickness of top, right, bottom and left, clockwise.
    const std::array<double, 4> t = {std::max(1.0, o.top()), std::max(1.0, W - o.right()),
                                     std::max(1.0, H - o.bottom()), std::max(1.0, o.left())};
    const std::array<double, 4> length = {W, H, W, H};
    // The light falls from the top left.
    const std::array<QColor, 4> light = {QColor(255, 246, 216, 33), QColor(30, 20, 6, 26),
                                         QColor(30, 20, 6, 46), QColor(255, 246, 216, 15)};
    const std::array<QTransform, 4> turn = {
        QTransform(), QTransform().translate(W, 0).rotate(90),
        QTransform().translate(W, H).rotate(180), QTransform().translate(0, H).rotate(270)};

    QSvgRenderer side(artRoot + QStringLiteral("/furniture/rahmen_seite.svg"));
    QSvgRenderer corner(artRoot + QStringLiteral("/furniture/rahmen_ecke.svg"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        p.setTransform(turn[i]);
        drawSide(side, p, length[i], t[i], t[(i + 3) % 4], t[(i + 1) % 4], light[i]);
    }
    // The corner blocks, each as wide as the side it stands on and as high
    // as the side before it.
    for (int i = 0; i < 4; ++i) {
        p.setTransform(turn[i]);
        const double sx = t[(i + 3) % 4] / kThick;
        const double sy = t[i] / kThick;
        corner.render(&p, QRectF(0, 0, 60 * sx, 60 * sy));
    }
    return image;
}

}  // namespace mainwindow
