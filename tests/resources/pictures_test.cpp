// The sixteen built-in puzzle pictures: sizes and depths as listed, each
// loadable, and each cut 8 x 8 into cells a player can tell apart.

#include "services/resources.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Picture {
    int number;
    int width, height;
    int bits;
};

const Picture Pictures[] = {
    {201, 400, 400, 8}, {202, 384, 384, 8}, {203, 400, 380, 8}, {204, 360, 360, 8},
    {205, 350, 350, 8}, {206, 320, 320, 8}, {207, 400, 400, 8}, {208, 375, 375, 8},
    {209, 392, 392, 8}, {210, 336, 336, 8}, {211, 300, 300, 8}, {212, 400, 390, 8},
    {213, 320, 320, 8}, {214, 383, 374, 8}, {215, 360, 360, 4}, {216, 400, 400, 8},
};

// A cell is flat when the brightness of its pixels barely varies; a flat
// colour with the paper grain and dithering of these pictures spreads about 2.
constexpr double LeastSpread = 5.0;
// Two cells are nearly the same when their 4 x 4 grids of mean colours differ
// by less than this on average (0-255 a channel); a uniform sky or a repeated
// pattern comes out near 1.
constexpr double LeastDifference = 3.0;

int32_t le32(const QByteArray& b, int at)
{
    return int32_t(uint32_t(uchar(b[at])) | uint32_t(uchar(b[at + 1])) << 8 |
                   uint32_t(uchar(b[at + 2])) << 16 | uint32_t(uchar(b[at + 3])) << 24);
}

class PuzzlePicture : public ::testing::TestWithParam<Picture> {};

}  // namespace

TEST_P(PuzzlePicture, HeaderGivesSizeAndDepth)
{
    const Picture pic = GetParam();
    const QByteArray bytes = resources::load("BITMAP", pic.number);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(bytes, 18), pic.width);
    EXPECT_EQ(std::abs(le32(bytes, 22)), pic.height);
    EXPECT_EQ(uchar(bytes[28]) | uchar(bytes[29]) << 8, pic.bits);
    EXPECT_EQ(le32(bytes, 30), 0) << "stored uncompressed";
    // Square or nearly, between 300 and 400 pixels a side.
    EXPECT_GE(std::min(pic.width, pic.height), 300);
    EXPECT_LE(std::max(pic.width, pic.height), 400);
    EXPECT_LE(std::abs(pic.width - pic.height), 20);
}

TEST_P(PuzzlePicture, LoadsAsABitmap)
{
    const Picture pic = GetParam();
    const QImage img = resources::loadBitmap(pic.number);
    EXPECT_EQ(img.size(), QSize(pic.width, pic.height));
    EXPECT_LE(img.colorCount(), 1 << pic.bits);
}

TEST_P(PuzzlePicture, EveryCellOfAnEightByEightCutStandsApart)
{
    const Picture pic = GetParam();
    const QImage img = resources::loadBitmap(pic.number).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    const int n = 8, cw = img.width() / n, ch = img.height() / n;
    std::vector<std::array<double, 48>> grids(n * n);
    for (int i = 0; i < n * n; ++i) {
        const int x0 = (i % n) * cw, y0 = (i / n) * ch;
        double sum = 0, sum2 = 0;
        std::array<double, 48> grid{};
        for (int y = 0; y < ch; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y0 + y));
            for (int x = 0; x < cw; ++x) {
                const QRgb px = line[x0 + x];
                const double l = 0.299 * qRed(px) + 0.587 * qGreen(px) + 0.114 * qBlue(px);
                sum += l;
                sum2 += l * l;
                const size_t k = size_t((y * 4 / ch) * 4 + x * 4 / cw) * 3;
                grid[k] += qRed(px);
                grid[k + 1] += qGreen(px);
                grid[k + 2] += qBlue(px);
            }
        }
        const double count = double(cw) * ch;
        const double spread = std::sqrt(std::max(0.0, sum2 / count - (sum / count) * (sum / count)));
        EXPECT_GE(spread, LeastSpread) << "cell " << i << " is flat";
        for (double& v : grid)
            v /= count / 16;
        grids[size_t(i)] = grid;
    }
    for (int a = 0; a < n * n; ++a)
        for (int b = a + 1; b < n * n; ++b) {
            double d = 0;
            for (size_t k = 0; k < 48; ++k)
                d += std::abs(grids[size_t(a)][k] - grids[size_t(b)][k]);
            EXPECT_GE(d / 48, LeastDifference) << "cells " << a << " and " << b << " look alike";
        }
}

INSTANTIATE_TEST_SUITE_P(Builtin, PuzzlePicture, ::testing::ValuesIn(Pictures),
                         [](const ::testing::TestParamInfo<Picture>& info) {
                             return "Bitmap" + std::to_string(info.param.number);
                         });

TEST(PuzzlePictures, OneIsFourBitAndOneHasSidesNoBoardSizeDivides)
{
    int fourBit = 0, awkward = 0;
    for (const Picture& pic : Pictures) {
        fourBit += pic.bits == 4;
        bool divides = false;
        for (int n = 3; n <= 8; ++n)
            divides = divides || pic.width % n == 0 || pic.height % n == 0;
        awkward += !divides;
    }
    EXPECT_EQ(fourBit, 1);
    EXPECT_GE(awkward, 1);
}
