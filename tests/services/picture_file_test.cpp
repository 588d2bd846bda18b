// A player's picture file: cut to its middle square, scaled down on reading,
// and refused with Invalid picture when it is none or is cut short.

#include "errors/failure.h"
#include "services/picture_file.h"
#include "support/files.h"
#include "support/pictures.h"
#include "services/picture_square.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Left third red, middle third green, right third blue.
QImage thirds(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int x = 0; x < w; ++x) {
        const QRgb c = x < w / 3 ? qRgb(220, 0, 0) : x < 2 * w / 3 ? qRgb(0, 200, 0) : qRgb(0, 0, 220);
        for (int y = 0; y < h; ++y)
            img.setPixel(x, y, c);
    }
    return img;
}

QByteArray encode(const QImage& img, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format, 90);
    return bytes;
}

int failureNumber(const QString& path)
{
    try {
        pictures::loadPuzzlePicture(path);
    } catch (const errors::Failure& f) {
        return f.number();
    }
    return 0;
}

class PictureFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
};

TEST_F(PictureFile, CutsTheMiddleSquareAndScalesItDown)
{
    const struct {
        const char* name;
        QSize size;
        const char* format;
        int side;
    } cases[] = {
        {"wide.jpg", {3000, 2000}, "JPEG", pictures::kPuzzlePictureMaxSide},
        {"tall.JPG", {600, 900}, "JPEG", 600},
        {"small.bmp", {300, 200}, "BMP", 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = put(c.name, encode(thirds(c.size.width(), c.size.height()), c.format));
        const QImage picture = pictures::loadPuzzlePicture(path);
        ASSERT_EQ(picture.size(), QSize(c.side, c.side));
        if (c.size.width() > c.size.height()) {
            // Only the green middle third and a little of each side remain.
            EXPECT_GT(qGreen(picture.pixel(c.side / 2, c.side / 2)), 150);
            EXPECT_LT(qBlue(picture.pixel(c.side / 2, c.side / 2)), 60);
        }
    }
}

TEST_F(PictureFile, RefusesWhatIsNoWholePicture)
{
    const QByteArray jpeg = encode(thirds(800, 600), "JPEG");
    const QByteArray bmp = encode(thirds(80, 60), "BMP");
    const struct {
        const char* name;
        QByteArray bytes;
        int number;
    } cases[] = {
        {"notes.jpg", "these are words, not a picture", errors::ErrInvalidPicture},
        {"empty.jpg", "", errors::ErrInvalidPicture},
        {"half.jpg", jpeg.left(jpeg.size() / 2), errors::ErrInvalidPicture},
        {"no-end.jpg", jpeg.left(jpeg.size() - 2), errors::ErrInvalidPicture},
        {"half.bmp", bmp.left(bmp.size() / 2), errors::ErrInvalidPicture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failureNumber(put(c.name, c.bytes)), c.number);
    }
    EXPECT_EQ(failureNumber(dir.filePath("missing.jpg")), errors::ErrFileNotFound);
    EXPECT_EQ(failureNumber(dir.path()), errors::ErrFileNotFound);
    // Whole, with bytes after its end marker: read as it is.
    EXPECT_EQ(failureNumber(put("tail.jpg", jpeg + "trailing bytes")), 0);
}

// Every pixel different, so that a cut one pixel off shows.
QImage noise(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 7 + y * 13) % 256, (x * 31) % 256, (y * 17 + x) % 256));
    return img;
}

TEST_F(PictureFile, TheChosenSquareIsCutPixelForPixel)
{
    using pictures::Square;
    const QImage wide = noise(64, 40);
    const struct {
        const char* name;
        const char* format;
        Square square;
        QRect expected;  // the pixels of `wide` the board gets
    } cases[] = {
        {"a.png", "PNG", {Square::Kind::Region, {0, 0, 40, 40}}, {0, 0, 40, 40}},     // left edge
        {"b.png", "PNG", {Square::Kind::Region, {24, 0, 40, 40}}, {24, 0, 40, 40}},   // right edge
        {"c.bmp", "BMP", {Square::Kind::Region, {9, 13, 21, 21}}, {9, 13, 21, 21}},   // smaller
        {"d.png", "PNG", {}, {12, 0, 40, 40}},                                         // the middle
        // A region that does not fit this picture (the file was replaced) or
        // is no square: the middle.
        {"e.png", "PNG", {Square::Kind::Region, {30, 0, 40, 40}}, {12, 0, 40, 40}},
        {"f.png", "PNG", {Square::Kind::Region, {0, 0, 40, 30}}, {12, 0, 40, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = put(c.name, testsupport::encodePicture(wide, c.format));
        EXPECT_EQ(pictures::loadPuzzlePicture(path, c.square), wide.copy(c.expected));
    }
    // Stretched: the whole picture squeezed into a square as wide as it is.
    const QImage stretched =
        pictures::loadPuzzlePicture(dir.filePath("a.png"), {Square::Kind::Stretch, {}});
    EXPECT_EQ(stretched.size(), QSize(64, 64));
    // The whole picture for the chooser, scaled to fit with its proportions.
    QSize upright;
    const QImage whole = pictures::loadWholePicture(dir.filePath("a.png"), 32, &upright);
    EXPECT_EQ(upright, QSize(64, 40));
    EXPECT_EQ(whole.size(), QSize(32, 20));
}

// The square is chosen on the upright picture; the file's pixels lie turned.
TEST_F(PictureFile, TheSquareOfATurnedPhotoIsTheOneChosenUpright)
{
    using pictures::Square;
    // Stored 90 x 40: red, green and blue thirds from left to right.
    const QImage stored = thirds(90, 40);
    const struct {
        quint16 orientation;
        QRect region;  // of the upright 40 x 90 picture
        const char* centre;
    } cases[] = {
        {6, {0, 0, 40, 40}, "red"},     // turned clockwise: the left third is on top
        {6, {0, 50, 40, 40}, "blue"},
        {8, {0, 0, 40, 40}, "blue"},    // turned anticlockwise: the right third is on top
        {8, {0, 50, 40, 40}, "red"},
        {3, {0, 0, 40, 40}, "blue"},    // upside down (90 x 40): the right third is at the left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.orientation << " " << c.region.y());
        const QString path = put("turned.jpg", testsupport::jpegWithOrientation(stored, c.orientation));
        QSize upright;
        pictures::loadWholePicture(path, 100, &upright);
        EXPECT_EQ(upright, c.orientation == 3 ? QSize(90, 40) : QSize(40, 90));
        const QImage picture = pictures::loadPuzzlePicture(path, {Square::Kind::Region, c.region});
        ASSERT_EQ(picture.size(), QSize(40, 40));
        const QRgb centre = picture.pixel(20, 20);
        const QString colour = qRed(centre) > 150 ? "red" : qGreen(centre) > 150 ? "green"
                             : qBlue(centre) > 150 ? "blue" : "?";
        EXPECT_EQ(colour, c.centre);
    }
}

TEST_F(PictureFile, TheSquareOfEachFileIsKeptInItsFolder)
{
    using pictures::Square;
    const QString a = dir.filePath("IMG 1.jpg"), b = dir.filePath("x=y é.png");
    EXPECT_EQ(pictures::storedSquare(a), Square{});
    const Square region{Square::Kind::Region, {10, 0, 300, 300}};
    const Square stretch{Square::Kind::Stretch, {}};
    ASSERT_TRUE(pictures::storeSquare(a, region));
    ASSERT_TRUE(pictures::storeSquare(b, stretch));
    EXPECT_EQ(pictures::storedSquare(a), region);
    EXPECT_EQ(pictures::storedSquare(b), stretch);
    EXPECT_EQ(pictures::storedSquare(dir.filePath("IMG 1.JPG")), Square{});  // names by their case
    const QByteArray file = testsupport::readFile(pictures::squaresFile(dir.path()));
    EXPECT_TRUE(file.contains("IMG 1.jpg=10,0,300\n")) << file.constData();
    EXPECT_TRUE(file.contains("x=y \xc3\xa9.png=stretch\n")) << file.constData();
    // Stretched, the square is kept for turning back.
    const Square stretchKeeping{Square::Kind::Stretch, {1, 2, 30, 30}};
    ASSERT_TRUE(pictures::storeSquare(dir.filePath("k.png"), stretchKeeping));
    EXPECT_EQ(pictures::storedSquare(dir.filePath("k.png")), stretchKeeping);
    // The middle again takes the line away; the other stays.
    ASSERT_TRUE(pictures::storeSquare(a, Square{}));
    EXPECT_EQ(pictures::storedSquare(a), Square{});
    EXPECT_EQ(pictures::storedSquare(b), stretch);
    // Not written through a folder that is a link.
    QDir().mkpath(dir.filePath("real"));
    ASSERT_TRUE(QFile::link(dir.filePath("real"), dir.filePath("linked")));
    EXPECT_FALSE(pictures::storeSquare(dir.filePath("linked/a.png"), region));
    EXPECT_FALSE(QFileInfo::exists(pictures::squaresFile(dir.filePath("real"))));
    // Lines a hand has spoilt read as the middle.
    ASSERT_TRUE(testsupport::writeFile(pictures::squaresFile(dir.path()),
                                       "a.jpg=1,2\nb.jpg=-1,0,5\nc.jpg=x,y,z\nd.jpg=3,4,5\r\n"
                                       "e.jpg=2147483000,0,2000\nf.jpg=0,0,2147483647\n"));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "e.jpg", "f.jpg"})
        EXPECT_EQ(pictures::storedSquare(dir.filePath(name)), Square{}) << name;
    EXPECT_EQ(pictures::storedSquare(dir.filePath("d.jpg")), (Square{Square::Kind::Region, {3, 4, 5, 5}}));
    // A file far larger than any folder's squares is not read at all.
    QByteArray huge = "d.jpg=3,4,5\n";
    huge.append(QByteArray(2 << 20, '#'));
    ASSERT_TRUE(testsupport::writeFile(pictures::squaresFile(dir.path()), huge));
    EXPECT_EQ(pictures::storedSquare(dir.filePath("d.jpg")), Square{});
}

}  // namespace
