// A player's picture file: cut to its middle square, scaled down on reading,
// and refused with Invalid picture when it is none or is cut short.

#include "errors/failure.h"
#include "services/picture_file.h"
#include "support/files.h"

#include <QBuffer>
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

}  // namespace
