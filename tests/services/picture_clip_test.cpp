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
