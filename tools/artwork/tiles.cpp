// The fifteen wallpaper tiles, BITMAP 101 to 115. Each is drawn seamless: the
// shapes are drawn wrapped around the tile and every texture repeats with it.
#include "tiles.h"

#include "paint_kit.h"

#include <QPainterPath>
#include <QTransform>

namespace artwork {

namespace {

constexpr double Pi = 3.14159265358979323846;

QPainter* begin(QPainter& p, QImage& img)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    return &p;
}

// Per-pixel shading with s × s samples per pixel.
QImage perPixel(int w, int h, int s, const std::function<QColor(double, double)>& f)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double r = 0, g = 0, b = 0;
            for (int j = 0; j < s; ++j)
                for (int i = 0; i < s; ++i) {
                    const QColor c = f(x + (i + 0.5) / s, y + (j + 0.5) / s);
                    r += c.redF();
                    g += c.greenF();
                    b += c.blueF();
                }
            const double n = s * s;
            img.setPixel(x, y, qRgb(int(std::lround(r / n * 255)), int(std::lround(g / n * 255)),
                                    int(std::lround(b / n * 255))));
        }
    return img;
}

// A pointed leaf lying along +x from the origin.
QPainterPath leaf(double len, double wid)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(len * 0.3, -wid, len * 0.75, -wid * 0.8, len, 0);
    path.cubicTo(len * 0.75, wid * 0.8, len * 0.3, wid, 0, 0);
    return path;
}

void drawLeaf(QPainter& p, QPointF at, double angle, double len, double wid, const QColor& fill,
              const QColor& vein)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(leaf(len, wid));
    p.setPen(QPen(vein, std::max(0.5, wid * 0.22), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(len * 0.1, 0), QPointF(len * 0.8, 0));
    p.restore();
}

QPainterPath star(QPointF c, double outer, double inner, int points, double rotationDeg)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = (rotationDeg - 90 + i * 180.0 / points) * Pi / 180;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// A small cabbage rose seen from above, radius r.
void drawRose(QPainter& p, QPointF c, double r, const QColor& petal, const QColor& deep)
{
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(petal, 0.92));
    p.drawEllipse(QPointF(0, 0), r, r * 0.94);
    // Outer petals: five overlapping lobes.
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.rotate(i * 72 + 15);
        p.setBrush(mix(petal, QColor(Qt::white), 0.08));
        p.drawEllipse(QPointF(0, -r * 0.45), r * 0.55, r * 0.5);
        p.restore();
    }
    p.setBrush(petal);
    p.drawEllipse(QPointF(0, 0), r * 0.62, r * 0.6);
    // The curled heart.
    p.setPen(QPen(deep, std::max(0.6, r * 0.13), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-r * 0.55, -r * 0.5, r * 1.1, r * 1.0), 200 * 16, 150 * 16);
    p.drawArc(QRectF(-r * 0.32, -r * 0.34, r * 0.64, r * 0.6), 20 * 16, 200 * 16);
    p.drawArc(QRectF(-r * 0.16, -r * 0.16, r * 0.32, r * 0.3), 180 * 16, 220 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(QColor(Qt::white), 0.35));
    p.drawEllipse(QPointF(-r * 0.35, -r * 0.55), r * 0.2, r * 0.12);
    p.restore();
}

void drawForgetMeNot(QPainter& p, QPointF c, double r, const QColor& petal, const QColor& eye)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        const double a = (i * 72 - 90) * Pi / 180;
        p.drawEllipse(QPointF(c.x() + r * 0.62 * std::cos(a), c.y() + r * 0.62 * std::sin(a)), r * 0.5,
                      r * 0.5);
    }
    p.setBrush(eye);
    p.drawEllipse(c, r * 0.32, r * 0.32);
    p.restore();
}

// ---- 101: rosebud sprigs and forget-me-nots on cream -------------------------
QImage tile101()
{
    const int w = 100, h = 95;
    QImage img = canvas(w, h, hex("#efe6d1"));
    addGrain(img, 3.0, 11, 5, 5);
    QPainter p;
    begin(p, img);
    const QColor rose = hex("#c8928a"), roseDeep = hex("#a76b63");
    const QColor green = hex("#8f9f72"), vein = hex("#76865b"), stem = hex("#7f8e63");
    const QColor blue = hex("#9bafc2"), eye = hex("#e0c274");
    auto sprig = [&](QPainter& q, QPointF at, double angle, bool flip) {
        q.save();
        q.translate(at);
        q.rotate(angle);
        if (flip)
            q.scale(-1, 1);
        q.scale(1.15, 1.15);
        QPainterPath s;
        s.moveTo(0, 11);
        s.cubicTo(1.5, 5, -1.5, -1, 0, -6);
        q.setPen(QPen(stem, 1.0, Qt::SolidLine, Qt::RoundCap));
        q.setBrush(Qt::NoBrush);
        q.drawPath(s);
        q.setPen(Qt::NoPen);
        drawLeaf(q, QPointF(0.2, 6), 205, 8.5, 2.8, green, vein);
        drawLeaf(q, QPointF(0.3, 2), -28, 7.5, 2.5, green, vein);
        // Sepals and bud.
        drawLeaf(q, QPointF(0, -5.5), -125, 4, 1.3, green, vein);
        drawLeaf(q, QPointF(0, -5.5), -55, 4, 1.3, green, vein);
        QPainterPath bud;
        bud.moveTo(0, -5);
        bud.cubicTo(4.6, -5.5, 4.8, -11.5, 0, -14);
        bud.cubicTo(-4.8, -11.5, -4.6, -5.5, 0, -5);
        q.setBrush(rose);
        q.drawPath(bud);
        q.setPen(QPen(roseDeep, 0.8, Qt::SolidLine, Qt::RoundCap));
        q.setBrush(Qt::NoBrush);
        QPainterPath fold;
        fold.moveTo(-2.8, -8);
        fold.cubicTo(-1, -6.5, 2, -8, 2.4, -11.5);
        q.drawPath(fold);
        q.setPen(Qt::NoPen);
        q.setBrush(alpha(QColor(Qt::white), 0.35));
        q.drawEllipse(QPointF(-1.6, -11), 0.9, 1.6);
        q.restore();
    };
    wrapped(p, w, h, [&](QPainter& q) {
        sprig(q, QPointF(26, 25), -14, false);
        sprig(q, QPointF(76, 72.5), 16, true);
        drawForgetMeNot(q, QPointF(77, 24), 3.4, blue, eye);
        drawForgetMeNot(q, QPointF(27, 71.5), 3.4, blue, eye);
        q.setBrush(hex("#d9c7a4"));
        for (QPointF d : {QPointF(51, 1), QPointF(1, 48.5), QPointF(51, 48.5), QPointF(1, 1)})
            q.drawEllipse(d, 0.9, 0.9);
    });
    p.end();
    return img;
}

// ---- 102: regency stripe, sage on cream --------------------------------------
QImage tile102()
{
    const int w = 50, h = 94;
    QImage img = canvas(w, h, hex("#ece2cb"));
    QPainter p;
    begin(p, img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(16, 0, 18, h), hex("#b5bc9b"));
    p.fillRect(QRect(19, 0, 1, h), hex("#c4c9ab"));
    p.fillRect(QRect(30, 0, 1, h), hex("#c4c9ab"));
    p.fillRect(QRect(12, 0, 2, h), hex("#a2aa86"));
    p.fillRect(QRect(36, 0, 2, h), hex("#a2aa86"));
    p.setRenderHint(QPainter::Antialiasing, true);
    wrapped(p, w, h, [&](QPainter& q) {
        for (double y : {23.5, 70.5}) {
            QPainterPath d;
            d.moveTo(0, y - 4);
            d.lineTo(2.6, y);
            d.lineTo(0, y + 4);
            d.lineTo(-2.6, y);
            d.closeSubpath();
            q.setBrush(hex("#c0ab84"));
            q.drawPath(d);
        }
        q.setBrush(hex("#cdbb97"));
        q.drawEllipse(QPointF(0, 0), 1.1, 1.1);
        q.drawEllipse(QPointF(0, 47), 1.1, 1.1);
    });
    p.end();
    return img;
}

// ---- 103: whitewashed brick ---------------------------------------------------
QImage tile103()
{
    const int w = 250, h = 86;
    const double rowH = 21.5, brickW = 62.5, m = 1.15;
    const QColor wash = hex("#ece4d8"), clay = hex("#c48568"), mortar = hex("#cbc2b3");
    return perPixel(w, h, 3, [&](double x, double y) {
        const int row = int(std::floor(y / rowH));
        const double ly = y - row * rowH;
        const double off = (row % 2) ? brickW / 2 : 0;
        const double xs = x - off;
        const int col = int(std::floor(xs / brickW));
        const double lx = xs - col * brickW;
        const int brick = ((col % 4) + 4) % 4;
        const double n1 = periodicFbm(x, y, w, h, 10, 4, 3, 3);
        const double speck = periodicNoise(x, y, w, h, 125, 43, 9);
        if (lx < m || lx > brickW - m || ly < m || ly > rowH - m) {
            return shade(mortar, 1.0 + 0.03 * speck - 0.02);
        }
        const double tone = hash01(brick, row, 7);
        QColor c = mix(wash, clay, 0.06 + 0.16 * std::max(0.0, n1 + 0.2) + 0.22 * tone * tone);
        double f = 1.0 + 0.018 * speck;
        if (ly - m < 1.4)
            f += 0.035;
        if (rowH - m - ly < 1.6)
            f -= 0.07;
        if (lx - m < 1.2)
            f += 0.02;
        if (brickW - m - lx < 1.3)
            f -= 0.045;
        return shade(c, f);
    });
}

// ---- 104: tattersall check ------------------------------------------------------
QImage tile104()
{
    const int w = 75, h = 75;
    QImage img = canvas(w, h, hex("#eee5d1"));
    addGrain(img, 2.5, 21, 15, 15);
    QPainter p;
    begin(p, img);
    const QColor red = alpha(hex("#a8675f"), 0.62), green = alpha(hex("#71866a"), 0.62);
    wrapped(p, w, h, [&](QPainter& q) {
        q.setPen(QPen(red, 1.4));
        q.drawLine(QPointF(18.75, -2), QPointF(18.75, h + 2));
        q.drawLine(QPointF(-2, 18.75), QPointF(w + 2, 18.75));
        q.setPen(QPen(green, 1.4));
        q.drawLine(QPointF(56.25, -2), QPointF(56.25, h + 2));
        q.drawLine(QPointF(-2, 56.25), QPointF(w + 2, 56.25));
        q.setPen(QPen(alpha(hex("#c9b58f"), 0.7), 0.8));
        q.drawLine(QPointF(37.5, -2), QPointF(37.5, h + 2));
        q.drawLine(QPointF(-2, 37.5), QPointF(w + 2, 37.5));
        q.setPen(Qt::NoPen);
    });
    p.end();
    return img;
}

// ---- 105: damask, tone on tone sage -------------------------------------------
QPainterPath damaskHalf()
{
    // The right half of the ornament, centred on (0, 0), about 84 high.
    QPainterPath h;
    // Crown flame.
    h.moveTo(0, -44);
    h.cubicTo(3.5, -39, 5.5, -35, 0.8, -29.5);
    h.lineTo(0, -29.5);
    h.closeSubpath();
    // Tulip cup.
    h.moveTo(0, -27);
    h.cubicTo(5, -28, 10, -26, 11, -20);
    h.cubicTo(8.5, -21, 6.5, -19.5, 6, -16.5);
    h.cubicTo(4, -18, 1.8, -17.5, 0, -15);
    h.closeSubpath();
    // Central vase.
    h.moveTo(0, -13);
    h.cubicTo(6, -11, 9.5, -5, 7, 1);
    h.cubicTo(11, 4, 11, 11, 0, 17);
    h.closeSubpath();
    // Acanthus scroll curling out and up.
    h.moveTo(3, 19);
    h.cubicTo(14, 22, 27, 14, 28, 0);
    h.cubicTo(29, -11, 22, -20, 15.5, -18.5);
    h.cubicTo(10.5, -17.5, 10.5, -10.5, 15, -10);
    h.cubicTo(18.5, -9.5, 19, -14, 16.5, -14.5);
    h.cubicTo(21, -12, 22, -3, 17, 5);
    h.cubicTo(14, 10, 9, 13, 3, 14);
    h.closeSubpath();
    // Little leaf sprouting from the scroll.
    h.moveTo(25, -8);
    h.cubicTo(31, -14, 35, -20, 34, -27);
    h.cubicTo(29, -23, 25.5, -17, 25, -8);
    h.closeSubpath();
    // Lower fan.
    h.moveTo(0, 21);
    h.cubicTo(5, 23, 12, 28, 15, 36);
    h.cubicTo(10, 34, 6, 35, 3.5, 38);
    h.lineTo(0, 41);
    h.closeSubpath();
    h.moveTo(0, 42);
    h.cubicTo(1.8, 43, 2.2, 45, 0, 46.5);
    h.closeSubpath();
    return h;
}

QPainterPath mirrored(const QPainterPath& half)
{
    QPainterPath full = half;
    full.addPath(QTransform::fromScale(-1, 1).map(half));
    full.setFillRule(Qt::WindingFill);
    return full;
}

QImage tile105()
{
    const int w = 100, h = 100;
    QImage img = canvas(w, h, hex("#a7ac90"));
    addGrain(img, 2.5, 31, 10, 10);
    QPainter p;
    begin(p, img);
    const QPainterPath big = mirrored(damaskHalf());
    QPainterPath small;
    for (int i = 0; i < 4; ++i) {
        QTransform t;
        t.rotate(i * 90);
        QPainterPath petal;
        petal.moveTo(0, -1.5);
        petal.cubicTo(4, -4, 4, -9, 0, -11);
        petal.cubicTo(-4, -9, -4, -4, 0, -1.5);
        small.addPath(t.map(petal));
        QTransform t2;
        t2.rotate(i * 90 + 45);
        small.addEllipse(t2.map(QPointF(0, -7.5)), 1.3, 1.3);
    }
    small.addEllipse(QPointF(0, 0), 1.6, 1.6);
    small.setFillRule(Qt::WindingFill);
    const QColor motif = hex("#bbbfa5"), edge = hex("#9ba085");
    wrapped(p, w, h, [&](QPainter& q) {
        q.save();
        q.translate(50, 50);
        q.scale(1.0, 1.0);
        q.setPen(QPen(edge, 1.3));
        q.setBrush(Qt::NoBrush);
        q.drawPath(big);
        q.setPen(Qt::NoPen);
        q.setBrush(motif);
        q.drawPath(big);
        q.restore();
        q.save();
        q.translate(0, 0);
        q.setPen(QPen(edge, 1.2));
        q.drawPath(small);
        q.setPen(Qt::NoPen);
        q.setBrush(motif);
        q.drawPath(small);
        q.restore();
    });
    p.end();
    return img;
}

// ---- 106: garden trellis with roses --------------------------------------------
QImage tile106()
{
    const int w = 101, h = 61;
    QImage img = canvas(w, h, hex("#e8dfca"));
    addGrain(img, 2.5, 41, 10, 6);
    QPainter p;
    begin(p, img);
    const QColor lath = hex("#a9b08f"), lathDark = hex("#8f987a");
    const QColor petal = hex("#cf9d90"), heart = hex("#dcb56a");
    const QColor green = hex("#8fa079"), vein = hex("#7a8b66");
    wrapped(p, w, h, [&](QPainter& q) {
        q.setPen(QPen(lathDark, 2.4, Qt::SolidLine, Qt::FlatCap));
        q.drawLine(QPointF(0, 0), QPointF(w, h));
        q.drawLine(QPointF(0, h), QPointF(w, 0));
        q.setPen(QPen(lath, 1.2, Qt::SolidLine, Qt::FlatCap));
        q.drawLine(QPointF(0, 0), QPointF(w, h));
        q.drawLine(QPointF(0, h), QPointF(w, 0));
        q.setPen(Qt::NoPen);
        const double ang1 = std::atan2(double(h), double(w)) * 180 / Pi;
        // Leaves halfway along each lath.
        for (QPointF m : {QPointF(w * 0.25, h * 0.25), QPointF(w * 0.75, h * 0.75)}) {
            drawLeaf(q, m, ang1 - 60, 6.5, 2.2, green, vein);
            drawLeaf(q, m, ang1 + 120, 6.5, 2.2, green, vein);
        }
        for (QPointF m : {QPointF(w * 0.75, h * 0.25), QPointF(w * 0.25, h * 0.75)}) {
            drawLeaf(q, m, -ang1 + 60, 6.5, 2.2, green, vein);
            drawLeaf(q, m, -ang1 - 120, 6.5, 2.2, green, vein);
        }
        // A small rose where the laths cross.
        for (QPointF c : {QPointF(0, 0), QPointF(w / 2.0, h / 2.0)}) {
            for (int i = 0; i < 4; ++i)
                drawLeaf(q, c, 45 + i * 90, 8.5, 2.4, green, vein);
            drawRose(q, c, 4.6, petal, shade(petal, 0.78));
            q.setBrush(heart);
            q.drawEllipse(c, 0.9, 0.9);
        }
    });
    p.end();
    return img;
}

// ---- 107: pin dots with a ticking thread ----------------------------------------
QImage tile107()
{
    const int w = 30, h = 10;
    QImage img = canvas(w, h, hex("#e9ddc5"));
    QPainter p;
    begin(p, img);
    wrapped(p, w, h, [&](QPainter& q) {
        q.setPen(QPen(hex("#d8c9ab"), 1.0));
        q.drawLine(QPointF(0, -1), QPointF(0, h + 1));
        q.setPen(Qt::NoPen);
        q.setBrush(hex("#b29d79"));
        for (QPointF c : {QPointF(15, 2.5), QPointF(15, 7.5)}) {
            QPainterPath d;
            d.moveTo(c.x(), c.y() - 1.7);
            d.lineTo(c.x() + 1.7, c.y());
            d.lineTo(c.x(), c.y() + 1.7);
            d.lineTo(c.x() - 1.7, c.y());
            d.closeSubpath();
            q.drawPath(d);
        }
    });
    p.end();
    return img;
}

// ---- 108: golden stars on a dusk blue ---------------------------------------------
QImage tile108()
{
    const int w = 75, h = 75;
    QImage img = canvas(w, h, hex("#46526b"));
    addGrain(img, 3.0, 51, 15, 15);
    QPainter p;
    begin(p, img);
    const QColor gold = hex("#d9c07f"), pale = hex("#c4bb9c");
    wrapped(p, w, h, [&](QPainter& q) {
        for (auto [c, rot] : {std::pair{QPointF(18.75, 18.75), -8.0}, std::pair{QPointF(56.25, 56.25), 10.0}}) {
            q.setBrush(alpha(gold, 0.05));
            q.drawEllipse(c, 9.5, 9.5);
            q.setBrush(gold);
            q.drawPath(star(c, 7.4, 3.0, 5, rot));
            q.setBrush(alpha(QColor(Qt::white), 0.28));
            q.drawPath(star(c + QPointF(-0.6, -0.7), 3.2, 1.3, 5, rot));
        }
        for (QPointF c : {QPointF(56.25, 18.75), QPointF(18.75, 56.25)}) {
            q.setBrush(pale);
            q.drawPath(star(c, 3.6, 0.9, 4, 0));
        }
        q.setBrush(alpha(pale, 0.85));
        for (QPointF c : {QPointF(37.5, 6), QPointF(6, 37.5), QPointF(37.5, 37.5 + 31.5),
                          QPointF(37.5 + 31.5, 37.5), QPointF(33, 31), QPointF(44, 43)})
            q.drawEllipse(c, 0.9, 0.9);
    });
    p.end();
    return img;
}

// ---- 109: basket weave ------------------------------------------------------------
QImage tile109()
{
    const int w = 75, h = 75;
    const double block = 37.5, strandW = 12.5;
    const QColor dark = hex("#9a8260"), light = hex("#dcc7a0"), gap = hex("#86704f");
    return perPixel(w, h, 3, [&](double px, double py) {
        // Shifted by half a block, so that the wrap runs through the middle of
        // the strands and not along a block's edge.
        const double x = px + block / 2, y = py + block / 2;
        const int bx = int(std::floor(x / block)), by = int(std::floor(y / block));
        const bool horizontal = ((bx + by) % 2) == 0;
        const double along = horizontal ? x - bx * block : y - by * block;
        const double across = horizontal ? y - by * block : x - bx * block;
        const int strand = int(std::floor(across / strandW));
        const double t = (across - strand * strandW) / strandW;
        if (t < 0.05 || t > 0.95)
            return gap;
        const double profile = std::sin(Pi * t);
        const double d = std::min(along, block - along);
        const double tuck = 1 - 0.32 * std::exp(-d / 3.2);
        const double fibre = horizontal ? periodicNoise(x, y, w, h, 5, 90, 61 + strand)
                                        : periodicNoise(x, y, w, h, 90, 5, 71 + strand);
        return mix(dark, light, 0.3 + 0.55 * profile * tuck + 0.07 * fibre);
    });
}

// ---- 110: fish scales ------------------------------------------------------------
QImage tile110()
{
    const int w = 96, h = 48;
    QImage img = canvas(w, h, hex("#93a7a1"));
    QPainter p;
    begin(p, img);
    const double R = 24;
    const QColor top = hex("#a5b7b1"), bottom = hex("#8a9f99"), line = hex("#e7e0cd");
    // Rows from the top down, so each row overlaps the one above.
    for (int row = -3; row <= 3; ++row) {
        const double cy = row * 24.0 + R;
        const double offset = (((row % 2) + 2) % 2) ? 24.0 : 0.0;
        for (int col = -2; col <= 3; ++col) {
            const QPointF c(col * 48.0 + offset, cy);
            QLinearGradient g(c.x(), c.y() - R, c.x(), c.y());
            g.setColorAt(0, top);
            g.setColorAt(1, bottom);
            p.setPen(QPen(line, 1.5));
            p.setBrush(g);
            p.drawEllipse(c, R - 0.75, R - 0.75);
            p.setPen(QPen(alpha(line, 0.55), 0.9));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, R - 6, R - 6);
            p.setPen(Qt::NoPen);
            p.setBrush(alpha(line, 0.7));
            p.drawEllipse(QPointF(c.x(), c.y() - R + 11), 1.2, 1.2);
        }
    }
    p.end();
    return img;
}

// ---- 111: trailing roses between stripes -------------------------------------------
QImage tile111()
{
    const int w = 100, h = 200;
    QImage img = canvas(w, h, hex("#efe7d5"));
    QPainter p;
    begin(p, img);
    p.fillRect(QRectF(-6, 0, 12, h), hex("#e5dac3"));
    p.fillRect(QRectF(w - 6, 0, 12, h), hex("#e5dac3"));
    p.setPen(QPen(hex("#cdb996"), 1.0));
    for (double x : {17.5, 82.5})
        p.drawLine(QPointF(x, 0), QPointF(x, h));
    p.setPen(Qt::NoPen);
    p.end();
    addGrain(img, 2.5, 81, 10, 20);
    begin(p, img);
    const QColor stem = hex("#7d8c5f"), green = hex("#8d9e6e"), vein = hex("#768659");
    const QColor rose = hex("#c98f86"), deep = hex("#a56a62");
    auto stemX = [&](double y) { return 50 + 10 * std::sin(2 * Pi * y / h); };
    wrapped(p, w, h, [&](QPainter& q) {
        QPainterPath s;
        s.moveTo(stemX(-5), -5);
        for (double y = -5; y <= h + 5; y += 2.5)
            s.lineTo(stemX(y), y);
        q.setPen(QPen(stem, 1.3, Qt::SolidLine, Qt::RoundCap));
        q.setBrush(Qt::NoBrush);
        q.drawPath(s);
        q.setPen(Qt::NoPen);
        // Leaves alternate along the stem.
        for (int i = 0; i < 8; ++i) {
            const double y = 12.5 + i * 25;
            const bool left = i % 2;
            drawLeaf(q, QPointF(stemX(y), y), left ? 215 : -35, 9, 3, green, vein);
        }
        // Two roses on short stalks and two buds.
        for (auto [y, dir] : {std::pair{50.0, -1.0}, std::pair{150.0, 1.0}}) {
            const QPointF base(stemX(y), y);
            const QPointF head(base.x() + dir * 13, y - 6);
            q.setPen(QPen(stem, 1.1, Qt::SolidLine, Qt::RoundCap));
            q.drawLine(base, head);
            q.setPen(Qt::NoPen);
            drawLeaf(q, head + QPointF(dir * 2, 4), dir > 0 ? 30 : 150, 7, 2.4, green, vein);
            drawRose(q, head, 6.8, rose, deep);
        }
        for (auto [y, dir] : {std::pair{100.0, 1.0}, std::pair{0.0, -1.0}}) {
            const QPointF base(stemX(y), y);
            const QPointF bud(base.x() + dir * 9, y - 8);
            q.setPen(QPen(stem, 1.0, Qt::SolidLine, Qt::RoundCap));
            q.drawLine(base, bud);
            q.setPen(Qt::NoPen);
            q.setBrush(rose);
            q.drawEllipse(bud, 2.6, 3.4);
            drawLeaf(q, bud + QPointF(0, 2.5), -60, 3.5, 1.2, green, vein);
            drawLeaf(q, bud + QPointF(0, 2.5), -120, 3.5, 1.2, green, vein);
        }
    });
    p.end();
    return img;
}

// ---- 112: polka dots on dusty rose --------------------------------------------------
QImage tile112()
{
    const int w = 52, h = 48;
    QImage img = canvas(w, h, hex("#c9a49b"));
    QPainter p;
    begin(p, img);
    wrapped(p, w, h, [&](QPainter& q) {
        for (QPointF c : {QPointF(13, 12), QPointF(39, 36)}) {
            q.setBrush(hex("#b8918a"));
            q.drawEllipse(c + QPointF(0.6, 0.7), 5.2, 5.2);
            q.setBrush(hex("#efe3d0"));
            q.drawEllipse(c, 5.0, 5.0);
        }
        q.setBrush(hex("#d8b8ae"));
        for (QPointF c : {QPointF(39, 12), QPointF(13, 36)})
            q.drawEllipse(c, 1.5, 1.5);
    });
    p.end();
    return img;
}

// ---- 113: harlequin diamonds in ochre ----------------------------------------------
QImage tile113()
{
    const int w = 75, h = 75;
    QImage img = canvas(w, h, hex("#c7a872"));
    addGrain(img, 2.0, 91, 15, 15);
    QPainter p;
    begin(p, img);
    const double c = 37.5;
    QPainterPath diamond;
    diamond.moveTo(c, 0);
    diamond.lineTo(w, c);
    diamond.lineTo(c, h);
    diamond.lineTo(0, c);
    diamond.closeSubpath();
    p.setBrush(alpha(hex("#dcc08b"), 0.9));
    p.drawPath(diamond);
    const QColor outline = hex("#eee3c6"), ornament = hex("#b6955f");
    wrapped(p, w, h, [&](QPainter& q) {
        q.setPen(QPen(outline, 1.1));
        q.setBrush(Qt::NoBrush);
        q.drawLine(QPointF(c, 0), QPointF(w, c));
        q.drawLine(QPointF(w, c), QPointF(c, h));
        q.drawLine(QPointF(c, h), QPointF(0, c));
        q.drawLine(QPointF(0, c), QPointF(c, 0));
        q.setPen(Qt::NoPen);
        // A small fleuron in the middle of each diamond.
        for (QPointF m : {QPointF(c, c), QPointF(0, 0)}) {
            q.setBrush(ornament);
            for (int i = 0; i < 4; ++i) {
                q.save();
                q.translate(m);
                q.rotate(i * 90);
                QPainterPath petal;
                petal.moveTo(0, -1);
                petal.cubicTo(2.6, -3, 2.2, -6.5, 0, -7.5);
                petal.cubicTo(-2.2, -6.5, -2.6, -3, 0, -1);
                q.drawPath(petal);
                q.restore();
            }
            q.setBrush(outline);
            q.drawEllipse(m, 1.2, 1.2);
        }
        q.setBrush(outline);
        for (QPointF v : {QPointF(c, 0), QPointF(0, c)})
            q.drawEllipse(v, 1.7, 1.7);
    });
    p.end();
    return img;
}

// ---- 114: paisley in terracotta and olive ------------------------------------------
QPainterPath paisleyShape(double s)
{
    QPainterPath p;
    p.moveTo(0, 30 * s);
    p.cubicTo(-22 * s, 30 * s, -31 * s, 8 * s, -22 * s, -9 * s);
    p.cubicTo(-14 * s, -24 * s, 4 * s, -28 * s, 12 * s, -42 * s);
    p.cubicTo(15 * s, -45 * s, 18 * s, -42 * s, 16 * s, -38 * s);
    p.cubicTo(14 * s, -30 * s, 23 * s, -17 * s, 24 * s, 0);
    p.cubicTo(25 * s, 17 * s, 15 * s, 30 * s, 0, 30 * s);
    p.closeSubpath();
    return p;
}

QImage tile114()
{
    const int w = 175, h = 175;
    QImage img = canvas(w, h, hex("#dcc7aa"));
    addGrain(img, 2.5, 101, 25, 25);
    QPainter p;
    begin(p, img);
    const QColor terra = hex("#bb8167"), cream = hex("#efe3cc"), olive = hex("#939874");
    const QColor ochre = hex("#d6ae6e");
    auto paisley = [&](QPainter& q, QPointF at, double angle, bool flip) {
        q.save();
        q.translate(at);
        q.rotate(angle);
        if (flip)
            q.scale(-1, 1);
        q.setBrush(olive);
        q.drawPath(paisleyShape(1.12));
        q.setBrush(terra);
        q.drawPath(paisleyShape(1.0));
        q.setPen(QPen(cream, 1.2));
        q.setBrush(Qt::NoBrush);
        q.drawPath(paisleyShape(0.8));
        q.setPen(Qt::NoPen);
        // Dots along the inner line.
        q.setBrush(cream);
        const QPainterPath inner = paisleyShape(0.66);
        for (int i = 0; i < 18; ++i)
            q.drawEllipse(inner.pointAtPercent(i / 18.0), 1.1, 1.1);
        // A flower in its belly.
        const QPointF f(0, 8);
        q.setBrush(ochre);
        for (int i = 0; i < 6; ++i) {
            const double a = i * 60 * Pi / 180;
            q.drawEllipse(f + QPointF(4.6 * std::cos(a), 4.6 * std::sin(a)), 3.0, 3.0);
        }
        q.setBrush(cream);
        q.drawEllipse(f, 2.6, 2.6);
        q.setBrush(terra);
        q.drawEllipse(f, 1.1, 1.1);
        // Leaves rising into the tip.
        drawLeaf(q, QPointF(2, -2), -80, 12, 3, olive, shade(olive, 0.8));
        drawLeaf(q, QPointF(5, -12), -55, 8, 2.3, olive, shade(olive, 0.8));
        q.restore();
    };
    auto flower = [&](QPainter& q, QPointF c) {
        q.setBrush(olive);
        for (int i = 0; i < 4; ++i)
            drawLeaf(q, c, 45 + i * 90, 11, 3.2, olive, shade(olive, 0.8));
        q.setBrush(terra);
        for (int i = 0; i < 8; ++i) {
            const double a = i * 45 * Pi / 180;
            q.drawEllipse(c + QPointF(5 * std::cos(a), 5 * std::sin(a)), 2.6, 2.6);
        }
        q.setBrush(cream);
        q.drawEllipse(c, 3.2, 3.2);
        q.setBrush(ochre);
        q.drawEllipse(c, 1.6, 1.6);
    };
    wrapped(p, w, h, [&](QPainter& q) {
        paisley(q, QPointF(45, 48), 28, false);
        paisley(q, QPointF(132, 135), -28, true);
        flower(q, QPointF(133, 42));
        flower(q, QPointF(42, 130));
        q.setBrush(alpha(terra, 0.8));
        for (QPointF c : {QPointF(88, 88), QPointF(0, 88), QPointF(88, 0), QPointF(0, 0)})
            q.drawEllipse(c, 1.8, 1.8);
    });
    p.end();
    return img;
}

// ---- 115: oak panelling ------------------------------------------------------------
QImage tile115()
{
    const int w = 100, h = 200;
    const QColor pale = hex("#d2ad7c"), mid = hex("#bb8f5d"), groove = hex("#6f4d2e");
    return perPixel(w, h, 3, [&](double x, double y) {
        // The grooves lie at 25 and 75, so the wrap runs through the middle of a board.
        const double xs = std::fmod(x - 25 + 100, 100.0);
        const int board = int(xs / 50);
        const double lx = xs - board * 50;
        if (lx < 0.9)
            return groove;
        const double warp = 5.0 * periodicFbm(x, y, w, h, 2, 3, 121 + board, 3);
        const double spacing = 3.3 + board * 0.5;
        const double ring = 0.5 + 0.5 * std::sin((lx + warp) * 2 * Pi / spacing
                                                 + 3 * periodicNoise(x, y, w, h, 3, 4, 131 + board));
        const double streak = periodicFbm(x, y, w, h, 8, 2, 141 + board, 2);
        QColor c = mix(pale, mid, 0.45 + 0.35 * streak);
        double f = 1.0 - 0.11 * std::pow(ring, 5) + 0.02 * periodicNoise(x, y, w, h, 100, 10, 151);
        if (lx < 2.6)
            f -= 0.16 * (2.6 - lx) / 1.7;
        if (lx > 48.4)
            f += 0.08;
        return shade(c, f);
    });
}

}  // namespace

const std::vector<TileSpec>& tileSpecs()
{
    static const std::vector<TileSpec> tileTable = {
        {101, 100, 95, 8, "rosebud sprigs and forget-me-nots on cream", tile101},
        {102, 50, 94, 4, "regency stripe, sage on cream", tile102},
        {103, 250, 86, 24, "whitewashed brick", tile103},
        {104, 75, 75, 8, "tattersall check", tile104},
        {105, 100, 100, 8, "damask, tone on tone sage", tile105},
        {106, 101, 61, 8, "garden trellis with roses", tile106},
        {107, 30, 10, 4, "pin dots with a ticking thread", tile107},
        {108, 75, 75, 8, "golden stars on dusk blue", tile108},
        {109, 75, 75, 24, "basket weave", tile109},
        {110, 96, 48, 8, "fish scales in sea green", tile110},
        {111, 100, 200, 8, "trailing roses between stripes", tile111},
        {112, 52, 48, 4, "polka dots on dusty rose", tile112},
        {113, 75, 75, 8, "harlequin diamonds in ochre", tile113},
        {114, 175, 175, 8, "paisley in terracotta and olive", tile114},
        {115, 100, 200, 24, "oak panelling", tile115},
    };
    return tileTable;
}

QImage encodeTile(const QImage& drawn, int bits)
{
    if (bits == 24)
        return drawn.convertToFormat(QImage::Format_RGB888);
    return quantize(drawn, bits == 4 ? 16 : 256);
}

}  // namespace artwork
