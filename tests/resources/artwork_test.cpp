// The wallpaper tiles (BITMAP 101-115) and the window artwork under :/art.
#include "widgets/art_render.h"
#include "widgets/controls.h"
#include "mainwindow/frame.h"
#include "mainwindow/frame_art.h"
#include "services/resources.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QWidget>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct TileRow {
    int number;
    int width, height;
    int bits;
};

// Sizes as the wallpaper painting expects them; 4-, 8- and 24-bit bitmaps mixed.
constexpr TileRow kTiles[] = {
    {101, 100, 95, 8},  {102, 50, 94, 4},   {103, 250, 86, 24}, {104, 75, 75, 8},
    {105, 100, 100, 8}, {106, 101, 61, 8},  {107, 30, 10, 4},   {108, 75, 75, 8},
    {109, 75, 75, 24},  {110, 96, 48, 8},   {111, 100, 200, 8}, {112, 52, 48, 4},
    {113, 75, 75, 8},   {114, 175, 175, 8}, {115, 100, 200, 24},
};

struct BmpHeader {
    int width = 0, height = 0, bits = 0;
};

std::optional<BmpHeader> bmpHeader(const QByteArray& bytes)
{
    if (bytes.size() < 30 || !bytes.startsWith("BM"))
        return std::nullopt;
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    BmpHeader h;
    h.width = qFromLittleEndian<qint32>(d + 18);
    h.height = std::abs(qFromLittleEndian<qint32>(d + 22));
    h.bits = qFromLittleEndian<quint16>(d + 28);
    return h;
}

// Mean colour step between two rows (vertical) or two columns of the picture.
double lineStep(const QImage& img, bool vertical, int a, int b)
{
    const int m = vertical ? img.width() : img.height();
    double sum = 0;
    for (int k = 0; k < m; ++k) {
        const QRgb p = vertical ? img.pixel(k, a) : img.pixel(a, k);
        const QRgb q = vertical ? img.pixel(k, b) : img.pixel(b, k);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
               + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * m);
}

}  // namespace

TEST(WallpaperTiles, HaveTheirNumberSizeAndBitDepth)
{
    for (const TileRow& t : kTiles) {
        SCOPED_TRACE(t.number);
        const auto h = bmpHeader(resources::load("BITMAP", t.number));
        ASSERT_TRUE(h.has_value()) << "not a bitmap";
        EXPECT_EQ(h->width, t.width);
        EXPECT_EQ(h->height, t.height);
        EXPECT_EQ(h->bits, t.bits);
        EXPECT_EQ(resources::loadBitmap(t.number).size(), QSize(t.width, t.height));
    }
}

// Repeated edge to edge a tile shows no seam: the step from its last row to its
// first (and last column to first) is no larger than the usual step between
// neighbouring rows (columns) inside it.
TEST(WallpaperTiles, RepeatWithoutASeam)
{
    constexpr double kSlack = 2.0;  // colour levels of 255
    for (const TileRow& t : kTiles) {
        const QImage img = resources::loadBitmap(t.number).convertToFormat(QImage::Format_RGB32);
        for (bool vertical : {false, true}) {
            SCOPED_TRACE(::testing::Message() << t.number << (vertical ? " top/bottom" : " left/right"));
            const int n = vertical ? img.height() : img.width();
            std::vector<double> inner;
            for (int i = 0; i + 1 < n; ++i)
                inner.push_back(lineStep(img, vertical, i, i + 1));
            std::sort(inner.begin(), inner.end());
            const double typical = inner[(inner.size() - 1) * 3 / 4];
            EXPECT_LE(lineStep(img, vertical, n - 1, 0), typical + kSlack);
        }
    }
}

namespace {

struct ArtRow {
    const char* path;  // under :/art
    int width, height;
    // A point that must stay see-through and one that must be covered, in
    // the picture's own pixels; (-1, -1) when not checked.
    QPoint clear{-1, -1};
    QPoint covered{-1, -1};
};

const std::vector<ArtRow>& artRows()
{
    static const std::vector<ArtRow> rows = {
        {"toolbar/start.svg", 28, 28},
        {"toolbar/end.svg", 28, 28},
        {"toolbar/preview.svg", 28, 28},
        {"toolbar/picture.svg", 28, 28},
        {"toolbar/wallpaper.svg", 28, 28},
        {"toolbar/slide.svg", 28, 28},
        {"toolbar/swap.svg", 28, 28},
        {"toolbar/options.svg", 28, 28},
        {"toolbar/champions.svg", 28, 28},
        {"toolbar/help.svg", 28, 28},
        {"flags/de.svg", 38, 25, {-1, -1}, {19, 12}},
        {"flags/gb.svg", 38, 25, {-1, -1}, {19, 12}},
        {"flags/se.svg", 38, 25, {-1, -1}, {19, 12}},
        {"flags/it.svg", 38, 25, {-1, -1}, {19, 12}},
        {"flags/es.svg", 38, 25, {-1, -1}, {19, 12}},
        {"flags/fr.svg", 38, 25, {-1, -1}, {19, 12}},
        // The frame's side is see-through beyond its mitres, its corner
        // beyond the carved block.
        {"furniture/rahmen_seite.svg", 300, 31, {1, 29}, {150, 15}},  // mitred ends
        {"furniture/rahmen_ecke.svg", 60, 60, {55, 55}, {12, 12}},
        {"furniture/kommode.svg", 315, 120, {0, 0}, {157, 60}},
        // The clock's display window is dark and covered under the time label.
        {"furniture/uhr.svg", 108, 69, {0, 0}, {54, 32}},
        {"furniture/schrank.svg", 96, 313, {0, 0}, {48, 240}},
        {"furniture/kaktus.svg", 94, 178, {0, 0}, {38, 150}},
        {"furniture/teddy.svg", 162, 171, {0, 0}, {81, 56}},
        {"furniture/kalender.svg", 105, 140, {0, 0}, {52, 76}},
        {"leer.bmp", 50, 50},
        {"picwindow/tab0.svg", 180, 34},
        {"picwindow/tab1.svg", 180, 34},
        {"picwindow/prev.svg", 32, 32},
        {"picwindow/next.svg", 32, 32},
        {"picwindow/album.svg", 500, 330},
        {"about/image1.svg", 128, 128},
        {"about/image2.svg", 160, 96},
        {"icon/tavoro.svg", 256, 256},
        {"icon/tavoro.png", 256, 256},
    };
    return rows;
}

QImage renderSvg(QSvgRenderer& svg, QSize size)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p, QRectF(QPointF(0, 0), size));
    return img;
}

}  // namespace

TEST(WindowArtwork, EveryPictureLoadsAtItsSize)
{
    for (const ArtRow& a : artRows()) {
        SCOPED_TRACE(a.path);
        const QString file = QStringLiteral(":/art/") + QLatin1String(a.path);
        QImage img;
        if (file.endsWith(".svg")) {
            QSvgRenderer svg(file);
            ASSERT_TRUE(svg.isValid());
            EXPECT_EQ(svg.defaultSize(), QSize(a.width, a.height));
            img = renderSvg(svg, svg.defaultSize());
        } else {
            ASSERT_TRUE(img.load(file));
            EXPECT_EQ(img.size(), QSize(a.width, a.height));
        }
        if (a.clear.x() >= 0)
            EXPECT_EQ(qAlpha(img.pixel(a.clear)), 0) << "should be see-through at " << a.clear.x()
                                                     << "," << a.clear.y();
        if (a.covered.x() >= 0)
            EXPECT_EQ(qAlpha(img.pixel(a.covered)), 255) << "should be covered at " << a.covered.x()
                                                         << "," << a.covered.y();
    }
}

TEST(WindowArtwork, EmptyPlaceIsASixteenColourBitmap)
{
    QFile f(":/art/leer.bmp");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto h = bmpHeader(f.readAll());
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->bits, 4);
}

// The labels laid over the pictures sit on a ground of their own colour: the
// time display on the clock's dark window, the move count on the calendar's
// white page, the name plate "Tavoro" on its black plate.
TEST(WindowArtwork, LeavesRoomForTheLabelsOnTop)
{
    struct Row {
        const char* path;
        QSize size;
        QRect label;  // in the picture's pixels
        bool dark;
    };
    const Row rows[] = {
        {"furniture/uhr.svg", {108, 69}, QRect((108 - 65) / 2, 25 - 5, 65, 25), true},
        {"furniture/kalender.svg", {105, 140}, QRect(72 - 64, 296 - 240, 89, 41), false},
        {"furniture/kalender.svg", {105, 140}, QRect(80 - 64, 352 - 240, 73, 15), true},
    };
    for (const Row& r : rows) {
        QSvgRenderer svg(QStringLiteral(":/art/") + QLatin1String(r.path));
        const QImage img = renderSvg(svg, r.size);
        for (const QPoint pt : {r.label.topLeft(), r.label.topRight(), r.label.bottomLeft(),
                                r.label.bottomRight(), r.label.center()}) {
            SCOPED_TRACE(::testing::Message() << r.path << " at " << pt.x() << "," << pt.y());
            const QColor c = img.pixelColor(pt);
            EXPECT_EQ(c.alpha(), 255);
            if (r.dark)
                EXPECT_LT(c.lightness(), 40);
            else
                EXPECT_GT(c.lightness(), 245);
        }
    }
}

TEST(WindowArtwork, ArtWithoutARasterIsRenderedFromItsSvg)
{
    // A piece of furniture and a flag at sizes that have no raster made at
    // build time come out at the size asked for; missing art gives nothing.
    for (const auto& [path, size] : {std::pair{QString(":/art/furniture/kommode.svg"), QSize(300, 114)},
                                     std::pair{QString(":/art/flags/se.svg"), QSize(57, 38)}}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_FALSE(widgets::hasArtRaster(path, size, 1));
        const QImage image = widgets::renderArt(path, size).toImage();
        EXPECT_EQ(image.size(), size);
        EXPECT_EQ(image.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255);
    }
    EXPECT_TRUE(widgets::renderArt(":/art/none.svg", QSize(10, 10)).isNull());
}

TEST(WindowArtwork, TheFramesPiecesLeaveOutOnlyWhatTheyDoNotShow)
{
    // Each piece of a side is drawn without the beads that lie outside it:
    // the frame comes out pixel for pixel as drawn from the whole artwork,
    // large and small, square and not.
    const struct { QSize size; QRectF opening; } cases[] = {
        {{827, 827}, {38, 36, 751, 753}},
        {{430, 430}, {37, 39, 356, 354}},
        {{160, 120}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height());
        const QImage pieces = mainwindow::renderFrame(c.size, c.opening, 1.0, ":/art",
                                                      mainwindow::SidePieces::Trimmed);
        const QImage whole = mainwindow::renderFrame(c.size, c.opening, 1.0, ":/art",
                                                     mainwindow::SidePieces::Whole);
        EXPECT_EQ(pieces, whole);
    }
}

TEST(WindowArtwork, TheFramePutTogetherFromRastersLooksAsDrawnFromTheArtwork)
{
    // The frame the game shows is put together from rasters of its pieces
    // made at build time. It differs from the frame drawn from the artwork
    // only by the softness of scaling: little on average, and no piece out of
    // place (a bead length or an end a pixel or two off changes whole blocks).
    // Too thick for the rasters, or a side too short for its ornaments, it is
    // drawn from the artwork.
    // At fractional pixel ratios the sides' edges fall between pixels and
    // soften more.
    const struct { int side; int border; qreal dpr; double meanAtMost; double blockAtMost; } cases[] = {
        {827, 38, 1.0, 4, 9}, {430, 37, 1.0, 4, 9}, {827, 38, 2.0, 4, 9},
        {612, 35, 1.25, 9, 16}, {300, 33, 1.5, 9, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " at " << c.dpr);
        const QRectF opening(c.border, c.border - 2, c.side - 2 * c.border, c.side - 2 * c.border);
        const QSize size(c.side, c.side);
        const QImage put = mainwindow::renderFrame(size, opening, c.dpr, ":/art");
        const QImage drawn = mainwindow::renderFrame(size, opening, c.dpr, ":/art",
                                                     mainwindow::SidePieces::Trimmed);
        ASSERT_EQ(put.size(), drawn.size());
        ASSERT_NE(put, drawn) << "drawn from the artwork, not from the rasters";
        EXPECT_EQ(put.devicePixelRatio(), c.dpr);
        double sum = 0;
        qsizetype counted = 0;
        double worstBlock = 0;
        constexpr int B = 8;
        for (int by = 0; by + B <= put.height(); by += B)
            for (int bx = 0; bx + B <= put.width(); bx += B) {
                std::array<double, 4> block{};
                for (int y = by; y < by + B; ++y)
                    for (int x = bx; x < bx + B; ++x) {
                        const QRgb a = put.pixel(x, y), b = drawn.pixel(x, y);
                        const int d[] = {qRed(a) - qRed(b), qGreen(a) - qGreen(b),
                                         qBlue(a) - qBlue(b), qAlpha(a) - qAlpha(b)};
                        if (qAlpha(a) || qAlpha(b)) {
                            sum += std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2]), std::abs(d[3])});
                            ++counted;
                        }
                        for (int k = 0; k < 4; ++k)
                            block[k] += d[k];
                    }
                for (double v : block)
                    worstBlock = std::max(worstBlock, std::abs(v) / (B * B));
            }
        EXPECT_LE(sum / double(counted), c.meanAtMost);
        EXPECT_LE(worstBlock, c.blockAtMost);
    }
    // A border thicker than the rasters hold, and a frame too small for its
    // ornaments: drawn from the artwork.
    for (const auto& [size, opening] : {std::pair{QSize(1200, 1200), QRectF(100, 100, 1000, 1000)},
                                        std::pair{QSize(60, 300), QRectF()}}) {
        EXPECT_EQ(mainwindow::renderFrame(size, opening, 1.0, ":/art"),
                  mainwindow::renderFrame(size, opening, 1.0, ":/art", mainwindow::SidePieces::Trimmed));
    }
}

TEST(WindowArtwork, TheFramesBorderHasNoGap)
{
    // At every pixel ratio the border is opaque from the outer edge to the
    // opening: no wallpaper shows where the artwork's bands, the pieces of a
    // side or two sides meet.
    const struct { int side; int border; qreal dpr; } cases[] = {
        {827, 38, 1.0}, {430, 37, 1.0}, {300, 33, 1.5}, {827, 38, 2.0}, {612, 35, 1.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " at " << c.dpr);
        const QRectF opening(c.border, c.border - 2, c.side - 2 * c.border, c.side - 2 * c.border);
        const QImage frame = mainwindow::renderFrame(QSize(c.side, c.side), opening, c.dpr, ":/art");
        const int w = frame.width();
        const int inner = int(std::floor((c.border - 2) * c.dpr)) - 1;
        int holes = 0;
        for (int y = 0; y < inner; ++y)
            for (int x = 0; x < w; ++x) {
                // The top border, and the same band down the left.
                holes += qAlpha(frame.pixel(x, y)) != 255;
                holes += qAlpha(frame.pixel(y, x)) != 255;
            }
        EXPECT_EQ(holes, 0);
    }
}

TEST(WindowArtwork, TheFrameControlPaintsTheFrameForItsOpening)
{
    // Painted as drawn for its size and opening, and drawn again when the
    // opening moves.
    const QSize size(300, 300);
    QWidget parent;
    mainwindow::FrameControl frame(&parent);
    frame.resize(size);
    for (const QRectF& opening : {QRectF(36, 38, 226, 226), QRectF(30, 30, 240, 240)}) {
        frame.setOpening(opening);
        QImage painted(size, QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        frame.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_EQ(painted, mainwindow::renderFrame(size, opening, 1.0, ":/art"));
    }
}
