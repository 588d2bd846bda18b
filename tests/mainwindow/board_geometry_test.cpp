#include "errors/failure.h"
#include "mainwindow/board_geometry.h"

#include <gtest/gtest.h>

using mainwindow::BoardGeometry;

TEST(BoardGeometry, GoldenValues)
{
    struct Case {
        double w, h;
        int16_t n;
        int16_t side, left, cell;
        int16_t firstLeft;
        float firstTop;
        int16_t lastLeft;
        float lastTop;
    };
    const Case cases[] = {
        {684, 470, 5, 329, 197, 66, 202, 28.03f, 466, 292.03f},
        {684, 471, 4, 330, 197, 82, 201, 27.1f, 447, 273.1f},   // 82.5 goes to the even 82
        {800, 553, 8, 387, 229, 48, 237, 35.09f, 573, 371.09f},
        {684, 470, 3, 329, 197, 110, 200, 26.03f, 420, 246.03f},
    };
    for (const Case& c : cases) {
        BoardGeometry geo;
        geo.setBoard(c.w, c.h);
        geo.setCells(c.n);
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " N=" << c.n);
        EXPECT_EQ(geo.BoardSide, c.side);
        EXPECT_EQ(geo.BoardLeft, c.left);
        EXPECT_EQ(geo.CellSize, c.cell);
        const int last = c.n * c.n - 1;
        EXPECT_EQ(geo.placeLeft(c.n, 0), c.firstLeft);
        EXPECT_FLOAT_EQ(geo.placeTop(c.n, 0), c.firstTop);
        EXPECT_EQ(geo.placeLeft(c.n, last), c.lastLeft);
        EXPECT_FLOAT_EQ(geo.placeTop(c.n, last), c.lastTop);
    }
}

TEST(BoardGeometry, SizesBeyondSixteenBitsOverflow)
{
    try {
        BoardGeometry::boardSideFor(50000);
        FAIL() << "no failure";
    } catch (...) {
        EXPECT_EQ(errors::currentFailure().number(), errors::ErrOverflow);
    }
}
