// Writes the wallpaper tiles (resources/BITMAP/101-115.bmp), the empty-place
// picture (resources/art/leer.bmp) and the PNG render of the application icon
// (resources/art/icon/tavoro.png). Deterministic: the same Qt gives the same
// files byte for byte.
//
// Usage: tavoro_artwork <resources folder>
#include "paint_kit.h"
#include "seams.h"
#include "tiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cstdio>

using namespace artwork;

namespace {

int storedBits(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(30);
    return head.size() < 30 ? -1 : uchar(head[28]) | (uchar(head[29]) << 8);
}

bool writeBmp(const QImage& img, const QString& file, int bits)
{
    QDir().mkpath(QFileInfo(file).path());
    if (!img.save(file, "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    const int got = storedBits(file);
    if (got != bits) {
        std::fprintf(stderr, "%s: stored with %d bits, wanted %d\n", qPrintable(file), got, bits);
        return false;
    }
    return true;
}

// The empty place: a calm recessed slot in a dark wooden board, with a faint
// puzzle-piece emboss; 50 x 50 in 16 colours.
QImage emptyPlace()
{
    const int s = 50;
    QImage img = canvas(s, s, hex("#5f4c3b"));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient floor(0, 0, s, s);
    floor.setColorAt(0, hex("#4d3d30"));
    floor.setColorAt(1, hex("#6a5644"));
    p.fillRect(QRectF(0, 0, s, s), floor);
    // Bevel: shadow falls on the top and left walls of the slot, light on the others.
    QPainterPath topLeft;
    topLeft.moveTo(0, 0);
    topLeft.lineTo(s, 0);
    topLeft.lineTo(s - 5, 5);
    topLeft.lineTo(5, 5);
    topLeft.lineTo(5, s - 5);
    topLeft.lineTo(0, s);
    topLeft.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(hex("#352a21"));
    p.drawPath(topLeft);
    QPainterPath bottomRight;
    bottomRight.moveTo(s, s);
    bottomRight.lineTo(0, s);
    bottomRight.lineTo(5, s - 5);
    bottomRight.lineTo(s - 5, s - 5);
    bottomRight.lineTo(s - 5, 5);
    bottomRight.lineTo(s, 0);
    bottomRight.closeSubpath();
    p.setBrush(hex("#85705a"));
    p.drawPath(bottomRight);
    p.setPen(QPen(hex("#2b221b"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5.5, 5.5, s - 11, s - 11));
    // Emboss of a puzzle piece.
    QPainterPath piece;
    const double a = 17, b = 33;
    piece.moveTo(a, a);
    piece.lineTo(21, a);
    piece.cubicTo(21, 12.5, 29, 12.5, 29, a);
    piece.lineTo(b, a);
    piece.lineTo(b, 21);
    piece.cubicTo(37.5, 21, 37.5, 29, b, 29);
    piece.lineTo(b, b);
    piece.lineTo(a, b);
    piece.closeSubpath();
    p.setPen(QPen(hex("#7b6753"), 1.2));
    p.drawPath(piece.translated(0.6, 0.6));
    p.setPen(QPen(hex("#41342a"), 1.2));
    p.drawPath(piece);
    p.end();
    addGrain(img, 4.0, 7, 10, 10);
    return quantize(img, 16);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (const TileSpec& t : tileSpecs()) {
        const QImage drawn = t.draw();
        if (drawn.width() != t.width || drawn.height() != t.height) {
            std::fprintf(stderr, "tile %d drawn at the wrong size\n", t.number);
            ok = false;
            continue;
        }
        const QImage stored = encodeTile(drawn, t.bits);
        const QString file = QStringLiteral("%1/BITMAP/%2.bmp").arg(root).arg(t.number);
        ok = writeBmp(stored, file, t.bits) && ok;
        const SeamSteps h = seamSteps(stored, false), v = seamSteps(stored, true);
        std::printf("%d %3dx%-3d %2d bit %3d colours  seams x %.1f (typ %.1f max %.1f)  "
                    "y %.1f (typ %.1f max %.1f)  %s\n",
                    t.number, t.width, t.height, t.bits, stored.colorCount(), h.wrap, h.typical,
                    h.largest, v.wrap, v.typical, v.largest, t.name);
    }
    ok = writeBmp(emptyPlace(), root + "/art/leer.bmp", 4) && ok;

    QSvgRenderer icon(root + "/art/icon/tavoro.svg");
    if (icon.isValid()) {
        QImage png(256, 256, QImage::Format_ARGB32_Premultiplied);
        png.fill(Qt::transparent);
        QPainter p(&png);
        p.setRenderHint(QPainter::Antialiasing);
        icon.render(&p, QRectF(0, 0, 256, 256));
        p.end();
        ok = png.convertToFormat(QImage::Format_ARGB32).save(root + "/art/icon/tavoro.png", "PNG") && ok;
    } else {
        std::fprintf(stderr, "art/icon/tavoro.svg missing or invalid: no PNG written\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
