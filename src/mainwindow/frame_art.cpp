#include "mainwindow/frame_art.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegularExpression>
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
constexpr double kOverlap = 0.75;      // how far a piece reaches beyond its own edges, in units
const QColor kGround(0x5e, 0x41, 0x17);  // the darkest gold of the artwork

// The side artwork once for each kind of piece, each without the beads that
// lie wholly outside that piece: they would be clipped away, drawn for
// nothing (the beads are most of the side's drawing, and a side is drawn in
// some twenty pieces).
struct SideArt {
    QSvgRenderer whole, leftEnd, rightEnd, middle, tile;
    bool copied = true;  // the bead lengths copied, not each rendered

    SideArt(const QString& path, SidePieces pieces) : copied(pieces == SidePieces::Trimmed)
    {
        QFile file(path);
        const QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        whole.load(svg);
        if (pieces == SidePieces::Whole) {
            for (QSvgRenderer* r : {&leftEnd, &rightEnd, &middle, &tile})
                r->load(svg);
            return;
        }
        leftEnd.load(near(svg, 0, kEnd));
        rightEnd.load(near(svg, kEndRightFrom, kEndRight));
        middle.load(near(svg, kMiddleFrom, kMiddle));
        tile.load(near(svg, kEnd, kTile));
    }

    // The artwork keeping only the beads within reach of [from, from + width).
    static QByteArray near(const QByteArray& svg, double from, double width)
    {
        static const QRegularExpression bead(
            QStringLiteral(R"re(<use xlink:href="#bead" x="([0-9.]+)"[^>]*/>)re"));
        // A bead's radius, the overlap, and room for a pixel of the clip's
        // rounding at the smallest frame.
        const double reach = 2.15 + kOverlap + 4.0;
        QString text = QString::fromUtf8(svg);
        QString kept;
        qsizetype last = 0;
        for (auto it = bead.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const double x = m.captured(1).toDouble();
            kept += QStringView(text).mid(last, m.capturedStart() - last);
            if (x >= from - reach && x <= from + width + reach)
                kept += m.captured();
            last = m.capturedEnd();
        }
        kept += QStringView(text).mid(last);
        return kept.toUtf8();
    }
};

// Renders the part [from, from + width) of the side artwork into `target`,
// a little beyond its own edges so that pieces meet without a seam.
void piece(QSvgRenderer& side, QPainter& p, double from, double width, const QRectF& target)
{
    const double overlap = kOverlap;
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

// The bead lengths between `from` and `from + count * length`, each on whole
// device pixels. A bead length is rendered once for each of the (at most two)
// widths in pixels the run needs and then copied: the beads are most of a
// side's drawing. With `copied` false each is rendered in its place.
void tileRun(QSvgRenderer& tile, QPainter& p, double from, int count, double length, double thick,
             qreal dpr, bool copied)
{
    std::array<QImage, 2> made;  // the narrower and the wider width
    const int narrow = int(std::floor(length * dpr));
    for (int i = 0; i < count; ++i) {
        const int x0 = int(std::lround((from + i * length) * dpr));
        const int x1 = int(std::lround((from + (i + 1) * length) * dpr));
        const int w = x1 - x0;
        QImage& image = made[w > narrow ? 1 : 0];
        if (image.width() != w || !copied) {
            image = QImage(w, int(std::ceil(thick * dpr)), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter q(&image);
            q.setRenderHint(QPainter::Antialiasing);
            piece(tile, q, kEnd, kTile, QRectF(0, 0, w, thick * dpr));
        }
        p.drawImage(QRectF(x0 / dpr, 0, w / dpr, image.height() / dpr), image);
    }
}
// One side, drawn as the top one in its own coordinates: `length` long,
// `thick` thick, its ends mitred towards the neighbours' thicknesses.
void drawSide(SideArt& side, QPainter& p, double length, double thick, double prevThick,
              double nextThick, QColor light, qreal dpr)
{
    const double s = thick / kThick;
    const double endLeft = kEnd * prevThick / kThick;
    const double endRight = kEndRight * nextThick / kThick;
    const double middle = kMiddle * s;
    const double gap = (length - endLeft - endRight - middle) / 2;
    if (gap <= 0) {
        piece(side.whole, p, 0, 300, QRectF(0, 0, length, thick));
    } else {
        piece(side.leftEnd, p, 0, kEnd, QRectF(0, 0, endLeft, thick));
        piece(side.rightEnd, p, kEndRightFrom, kEndRight, QRectF(length - endRight, 0, endRight, thick));
        const double middleLeft = endLeft + gap;
        piece(side.middle, p, kMiddleFrom, kMiddle, QRectF(middleLeft, 0, middle, thick));
        const int tiles = std::max(1, int(std::lround(gap / (kTile * s))));
        const double tile = gap / tiles;
        tileRun(side.tile, p, endLeft, tiles, tile, thick, dpr, side.copied);
        tileRun(side.tile, p, middleLeft + middle, tiles, tile, thick, dpr, side.copied);
    }
    const double d = kShade / kThick;
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(length, 0),
                             QPointF(length - d * nextThick, d * thick),
                             QPointF(d * prevThick, d * thick)}));
}

}  // namespace

QImage renderFrame(QSize size, const QRectF& opening, qreal dpr, const QString& artRoot,
                   SidePieces pieces)
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

    SideArt side(artRoot + QStringLiteral("/furniture/rahmen_seite.svg"), pieces);
    QSvgRenderer corner(artRoot + QStringLiteral("/furniture/rahmen_ecke.svg"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // An opaque ground under the artwork, whose bands and sides meet on
    // antialiased edges: no line of the wallpaper shows through there.
    QPainterPath ring;
    ring.addRect(QRectF(0, 0, W, H));
    ring.addRect(o);
    p.fillPath(ring, kGround);
    for (int i = 0; i < 4; ++i) {
        p.setTransform(turn[i]);
        drawSide(side, p, length[i], t[i], t[(i + 3) % 4], t[(i + 1) % 4], light[i], dpr);
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
