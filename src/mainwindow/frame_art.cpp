#include "mainwindow/frame_art.h"

#include "mainwindow/frame_parts.h"
#include "widgets/seams.h"

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

using namespace frameparts;

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
    const SideLayout at(length, thick, prevThick, nextThick);
    if (at.gap <= 0) {
        piece(side.whole, p, 0, 300, QRectF(0, 0, length, thick));
    } else {
        piece(side.leftEnd, p, 0, kEnd, QRectF(0, 0, at.endLeft, thick));
        piece(side.rightEnd, p, kEndRightFrom, kEndRight,
              QRectF(length - at.endRight, 0, at.endRight, thick));
        piece(side.middle, p, kMiddleFrom, kMiddle, QRectF(at.middleLeft, 0, at.middle, thick));
        tileRun(side.tile, p, at.endLeft, at.tiles, at.tile, thick, dpr, side.copied);
        tileRun(side.tile, p, at.middleLeft + at.middle, at.tiles, at.tile, thick, dpr, side.copied);
    }
    paintLight(p, length, thick, prevThick, nextThick, light);
}

void paintGround(QPainter& p, const Sides& sides)
{
    // An opaque ground under the artwork, whose bands and sides meet on
    // antialiased edges: no line of the wallpaper shows through there.
    QPainterPath ring;
    ring.addRect(QRectF(0, 0, sides.width, sides.height));
    ring.addRect(sides.opening);
    p.fillPath(ring, kGround);
}

}  // namespace

QImage renderFrame(QSize size, const QRectF& opening, qreal dpr, const QString& artRoot,
                   SidePieces pieces)
{
    if (pieces == SidePieces::Rasters) {
        // The bands, each copied to its place.
        const FrameBands bands = renderFrameBands(size, opening, dpr, artRoot);
        QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (int i = 0; i < 4; ++i)
            if (!bands.band[i].isNull())
                p.drawImage(QRect(bands.at[i], bands.band[i].size()), bands.band[i]);
        p.end();
        image.setDevicePixelRatio(dpr);
        return image;
    }
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    if (size.isEmpty())
        return image;
    const Sides sides(size, opening);
    const auto& t = sides.thick;
    const QString sidePath = artRoot + QStringLiteral("/furniture/rahmen_seite.svg");
    widgets::seams().svgRendered(sidePath, size);
    SideArt side(sidePath, pieces == SidePieces::Whole ? SidePieces::Whole : SidePieces::Trimmed);
    QSvgRenderer corner(artRoot + QStringLiteral("/furniture/rahmen_ecke.svg"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintGround(p, sides);
    for (int i = 0; i < 4; ++i) {
        p.setTransform(sides.turn[i]);
        drawSide(side, p, sides.length[i], t[i], sides.before(i), sides.after(i), sides.light[i], dpr);
    }
    // The corner blocks, each as wide as the side it stands on and as high
    // as the side before it.
    for (int i = 0; i < 4; ++i) {
        p.setTransform(sides.turn[i]);
        const double sx = sides.before(i) / kThick;
        const double sy = t[i] / kThick;
        corner.render(&p, QRectF(0, 0, kCorner * sx, kCorner * sy));
    }
    return image;
}

FrameBands renderFrameBands(QSize size, const QRectF& opening, qreal dpr, const QString& artRoot)
{
    FrameBands out;
    if (size.isEmpty())
        return out;
    const Sides sides(size, opening);
    const std::array<QRect, 4> places = bandPlaces(sides, dpr);
    for (int i = 0; i < 4; ++i)
        out.at[i] = places[i].topLeft();
    if (!composeFrameBands(sides, dpr, out.band)) {
        // Drawn from the artwork and cut.
        const QImage whole = renderFrame(size, opening, dpr, artRoot, SidePieces::Trimmed);
        for (int i = 0; i < 4; ++i)
            out.band[i] = whole.copy(places[i]);
    }
    for (QImage& band : out.band)
        band.setDevicePixelRatio(dpr);
    return out;
}

void frameparts::paintLight(QPainter& p, double length, double thick, double before, double after,
                            QColor light)
{
    const double d = kShade / kThick;
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(length, 0),
                             QPointF(length - d * after, d * thick),
                             QPointF(d * before, d * thick)}));
}

}  // namespace mainwindow
