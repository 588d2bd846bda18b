#include "errors/failure.h"
#include "services/picture_clip.h"

#include <gtest/gtest.h>
#include <vector>

using pictures::PictureClip;

namespace {

// Every pixel a colour of its own position.
QImage positionPicture(int w, int h, int salt = 0)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256 + 2 * (y / 256) + salt) % 256));
    return img;
}

PictureClip clip(const QImage& picture, int16_t n)
{
    PictureClip c;
    c.setPicture(picture);
    c.setCols(n);
    c.setRows(n);
    return c;
}

int failureNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const errors::Failure& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(PictureClip, CutsEqualCellsRowByRow)
{
    const QImage picture = positionPicture(300, 300);
    const PictureClip c = clip(picture, 3);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(c.cellRect(i), QRect(100 * (i % 3), 100 * (i / 3), 100, 100)) << i;
    EXPECT_EQ(c.GraphicCell(4), picture.copy(100, 100, 100, 100));  // the centre
    EXPECT_EQ(c.Picture(), picture);
}

TEST(PictureClip, UsesEveryPixelWhenTheSizeIsNoMultiple)
{
    const PictureClip c = clip(positionPicture(383, 374), 8);
    std::vector<int> covered(383 * 374, 0);
    for (int i = 0; i < 64; ++i) {
        const QRect r = c.cellRect(i);
        EXPECT_TRUE(r.width() == 47 || r.width() == 48) << i << " width " << r.width();
        EXPECT_TRUE(r.height() == 46 || r.height() == 47) << i << " height " << r.height();
        EXPECT_EQ(r.x(), c.cellRect(i % 8).x()) << i;  // same column, same pixels
        EXPECT_EQ(r.y(), c.cellRect(8 * (i / 8)).y()) << i;
        EXPECT_EQ(c.GraphicCell(i).size(), r.size());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ++covered[y * 383 + x];
    }
    for (int v : covered)
        ASSERT_EQ(v, 1);
}

TEST(PictureClip, ANewPictureIsCutAfresh)
{
    const QImage first = positionPicture(240, 240, 0);
    const QImage second = positionPicture(240, 240, 77);
    PictureClip c = clip(first, 4);
    c.setPicture(second);
    c.setCols(3);
    c.setRows(3);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(c.GraphicCell(i), second.copy(80 * (i % 3), 80 * (i / 3), 80, 80)) << i;
        EXPECT_NE(c.GraphicCell(i), first.copy(80 * (i % 3), 80 * (i / 3), 80, 80)) << i;
    }
}

TEST(PictureClip, RefusesCellsThatAreNotThere)
{
    PictureClip c = clip(positionPicture(90, 90), 3);
    EXPECT_EQ(failureNumber([&] { c.GraphicCell(9); }), 380);
    EXPECT_EQ(failureNumber([&] { c.GraphicCell(-1); }), 380);
    EXPECT_EQ(failureNumber([&] { c.setCols(0); }), 380);
    EXPECT_TRUE(PictureClip{}.GraphicCell(0).isNull());  // no picture yet: empty cells
}

// A pasted 1 x 1, 2 x 2 or 20000 x 1 picture: every cell of every board size
// shows a part of it, none is cut empty.
TEST(PictureClip, APictureSmallerThanTheBoardCutsNoCellEmpty)
{
    QImage four(2, 2, QImage::Format_RGB32);
    four.setPixel(0, 0, qRgb(255, 0, 0));
    four.setPixel(1, 0, qRgb(0, 255, 0));
    four.setPixel(0, 1, qRgb(0, 0, 255));
    four.setPixel(1, 1, qRgb(255, 255, 0));
    const QImage pictures[] = {positionPicture(1, 1), four, positionPicture(20000, 1),
                               positionPicture(1, 3000)};
    for (const QImage& p : pictures) {
        for (int16_t n = 3; n <= 8; ++n) {
            SCOPED_TRACE(testing::Message() << p.width() << "x" << p.height() << " in " << n);
            const PictureClip c = clip(p, n);
            for (int i = 0; i < n * n; ++i)
                EXPECT_FALSE(c.GraphicCell(i).isNull()) << i;
        }
    }
    // Each pixel as a block: a 4 x 4 board of the 2 x 2 picture shows it.
    const PictureClip c = clip(four, 4);
    EXPECT_EQ(c.Picture(), four);
    const struct { int cell; QRgb colour; } cells[] = {
        {0, qRgb(255, 0, 0)}, {1, qRgb(255, 0, 0)}, {3, qRgb(0, 255, 0)},
        {12, qRgb(0, 0, 255)}, {15, qRgb(255, 255, 0)}, {10, qRgb(255, 255, 0)}};
    for (const auto& k : cells) {
        const QImage cell = c.GraphicCell(k.cell);
        ASSERT_EQ(cell.size(), QSize(1, 1)) << k.cell;
        EXPECT_EQ(cell.pixel(0, 0), k.colour) << k.cell;
    }
}
