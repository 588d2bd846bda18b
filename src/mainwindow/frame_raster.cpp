// The frame put together from rasters of its pieces, drawn from the artwork
// at build time (tools/frameraster) at three pixels to the unit: each piece
// is scaled down to the side's thickness in device pixels, so that the frame
// costs a few scalings and copies at start-up instead of drawing the artwork's
// hundreds of beads.

#include "mainwindow/frame_parts.h"

#include <QFile>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cmath>
#include <vector>

namespace mainwindow::frameparts {

namespace {

// The pieces of a side: each raster holds [from - kOverlap, from + width +
// kOverlap) of the side artwork and more to the next whole pixel.
struct Span {
    const char* name;
    double from, width;
};
constexpr std::array<Span, 4> kSpans = {{{"side-left-end", 0, kEnd},
                                         {"side-right-end", kEndRightFrom, kEndRight},
                                         {"side-middle", kMiddleFrom, kMiddle},
                                         {"side-tile", kEnd, kTile}}};
enum { LeftEnd, RightEnd, Middle, Tile, Corner };
constexpr const char* kCornerName = "corner";

QSize rasterSize(int piece)
{
    if (piece == Corner)
        return QSize(int(kCorner * kRasterScale), int(kCorner * kRasterScale));
    return QSize(int(std::ceil((kSpans[piece].width + 2 * kOverlap) * kRasterScale)),
                 int(kThick * kRasterScale));
}

const char* rasterName(int piece)
{
    return piece == Corner ? kCornerName : kSpans[piece].name;
}

// The rasters as they lie in the program (stored uncompressed): no copy.
const std::array<QImage, 5>& rasters()
{
    static const std::array<QImage, 5> images = [] {
        std::array<QImage, 5> out;
        for (int i = 0; i < 5; ++i) {
            const QResource r(QStringLiteral(":/frame-raster/%1.argb").arg(QLatin1String(rasterName(i))));
            const QSize size = rasterSize(i);
            if (r.isValid() && r.compressionAlgorithm() == QResource::NoCompression
                && r.size() == qint64(size.width()) * size.height() * 4)
                out[i] = QImage(r.data(), size.width(), size.height(), size.width() * 4,
                                QImage::Format_ARGB32_Premultiplied);
        }
        return out;
    }();
    return images;
}

// A piece `units` long in the artwork, drawn over [x, x + width) of a strip
// `height` pixels high, clipped on whole pixels: the pieces overlap by up to
// a pixel, opaque on both sides, so no seam shows where they meet.
void place(QPainter& p, const QImage& raster, double units, double x, double width, int height)
{
    const double perUnit = width / units;
    const int left = int(std::floor(x)), right = int(std::ceil(x + width));
    const QImage scaled = raster.scaled(int(std::lround(raster.width() * perUnit / kRasterScale)),
                                        height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.save();
    p.setClipRect(QRect(left, 0, right - left, height));
    p.drawImage(int(std::lround(x - kOverlap * perUnit)), 0, scaled);
    p.restore();
}

// The bead lengths between `from` and `from + count * length`, each on whole
// pixels, made once for each of the (at most two) widths the run needs.
void tileRun(QPainter& p, const QImage& tile, double from, int count, double length, int height)
{
    std::array<QImage, 2> made;  // the narrower and the wider width
    const int narrow = int(std::floor(length));
    for (int i = 0; i < count; ++i) {
        const int x0 = int(std::lround(from + i * length));
        const int x1 = int(std::lround(from + (i + 1) * length));
        const int w = x1 - x0;
        QImage& image = made[w > narrow ? 1 : 0];
        if (image.width() != w) {
            image = QImage(w, height, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter q(&image);
            place(q, tile, kTile, 0, w, height);
        }
        p.drawImage(x0, 0, image);
    }
}

int stripThickness(double thick)
{
    return int(std::ceil(thick - 1e-6));
}

// Side `i` as the top one, in device pixels.
QImage sideStrip(const std::array<QImage, 5>& r, const Sides& sides, int i, qreal dpr)
{
    const double length = sides.length[i] * dpr, thick = sides.thick[i] * dpr;
    const double before = sides.before(i) * dpr, after = sides.after(i) * dpr;
    QImage strip(int(std::lround(length)), stripThickness(thick), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    const int height = strip.height();
    const SideLayout at(length, thick, before, after);
    QPainter p(&strip);
    place(p, r[LeftEnd], kEnd, 0, at.endLeft, height);
    place(p, r[RightEnd], kEndRight, length - at.endRight, at.endRight, height);
    place(p, r[Middle], kMiddle, at.middleLeft, at.middle, height);
    tileRun(p, r[Tile], at.endLeft, at.tiles, at.tile, height);
    tileRun(p, r[Tile], at.middleLeft + at.middle, at.tiles, at.tile, height);
    p.setRenderHint(QPainter::Antialiasing);
    paintLight(p, length, thick, before, after, sides.light[i]);
    return strip;
}

// Where a piece turned to side `i` lies: against that side's clockwise
// corner.
QPoint turnedPlace(int i, QSize piece, QSize frame)
{
    switch (i) {
    case 1: return {frame.width() - piece.width(), 0};
    case 2: return {frame.width() - piece.width(), frame.height() - piece.height()};
    case 3: return {0, frame.height() - piece.height()};
    default: return {0, 0};
    }
}

QImage turned(QImage image, int i)
{
    return i == 0 ? image : image.transformed(QTransform().rotate(90 * i));
}

}  // namespace

std::array<QRect, 4> bandPlaces(const Sides& sides, qreal dpr)
{
    const QSize frame = QSize(int(sides.width), int(sides.height)) * dpr;
    std::array<int, 4> t;
    for (int i = 0; i < 4; ++i)
        t[i] = std::min(stripThickness(sides.thick[i] * dpr), i % 2 ? frame.width() : frame.height());
    const int between = std::max(0, frame.height() - t[0] - t[2]);
    return {QRect(0, 0, frame.width(), t[0]), QRect(frame.width() - t[1], t[0], t[1], between),
            QRect(0, frame.height() - t[2], frame.width(), t[2]), QRect(0, t[0], t[3], between)};
}

bool composeFrameBands(const Sides& sides, qreal dpr, std::array<QImage, 4>& bands)
{
    const std::array<QImage, 5>& r = rasters();
    for (const QImage& raster : r)
        if (raster.isNull())
            return false;
    for (int i = 0; i < 4; ++i)
        if (sides.thick[i] * dpr > kThick * kRasterScale || sides.layout(i).gap <= 0)
            return false;
    const std::array<QRect, 4> places = bandPlaces(sides, dpr);
    for (const QRect& place : places)
        if (place.isEmpty())
            return false;

    // Each side turned into place, then the corner blocks, each as wide as
    // the side it stands on and as high as the side before it.
    const QSize frame = QSize(int(sides.width), int(sides.height)) * dpr;
    struct Piece {
        QImage image;
        QRect place;
    };
    std::vector<Piece> pieces;
    for (int i = 0; i < 4; ++i) {
        QImage side = turned(sideStrip(r, sides, i, dpr), i);
        pieces.push_back({side, QRect(turnedPlace(i, side.size(), frame), side.size())});
    }
    for (int i = 0; i < 4; ++i) {
        const double wide = kCorner * sides.before(i) / kThick * dpr;
        const double high = kCorner * sides.thick[i] / kThick * dpr;
        QImage corner = turned(r[Corner].scaled(int(std::lround(wide)), int(std::lround(high)),
                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                               i);
        pieces.push_back({corner, QRect(turnedPlace(i, corner.size(), frame), corner.size())});
    }

    for (int b = 0; b < 4; ++b) {
        const QRect& place = places[b];
        QImage band(place.size(), QImage::Format_ARGB32_Premultiplied);
        // The opaque ground under the artwork.
        band.fill(kGround);
        QPainter p(&band);
        p.translate(-place.topLeft());
        for (const Piece& piece : pieces)
            if (piece.place.intersects(place))
                p.drawImage(piece.place.topLeft(), piece.image);
        // The sides are whole pixels thick; the opening takes back what
        // lies in it, on a soft edge.
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(dpr, dpr);
        p.fillRect(sides.opening, Qt::black);
        p.end();
        bands[b] = std::move(band);
    }
    return true;
}

std::array<Raster, 5> drawRasters(const QString& artRoot)
{
    QFile file(artRoot + QStringLiteral("/furniture/rahmen_seite.svg"));
    QSvgRenderer side(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    QSvgRenderer corner(artRoot + QStringLiteral("/furniture/rahmen_ecke.svg"));
    std::array<Raster, 5> out;
    for (int i = 0; i < 5; ++i) {
        QImage image(rasterSize(i), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (i == Corner) {
            corner.render(&p, QRectF(image.rect()));
        } else {
            side.setViewBox(QRectF(kSpans[i].from - kOverlap, 0,
                                   double(image.width()) / kRasterScale, kThick));
            side.render(&p, QRectF(image.rect()));
        }
        p.end();
        out[i] = {rasterName(i), std::move(image)};
    }
    return out;
}

}  // namespace mainwindow::frameparts
