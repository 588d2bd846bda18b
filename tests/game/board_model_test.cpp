#include "game/board_model.h"

#include <gtest/gtest.h>

using game::BoardModel;
using game::EmptyTag;

TEST(BoardModel, SlideNeighboursAreFoundByRowAndColumn)
{
    struct Case {
        int empty;
        int k;
        bool neighbour;
    };
    const Case cases[] = {
        {15, 11, true},  {15, 14, true},                     // above and left of the last place
        {15, 10, false}, {15, 13, false}, {15, 3, false},    // diagonal, two away, same column far up
        {15, 15, false},                                     // the empty place itself
        {7, 8, false},   {8, 7, false},                      // right edge / next row's first place
        {7, 6, true},    {7, 3, true},    {7, 11, true},     // left, above, below
        {0, 1, true},    {0, 4, true},    {0, 5, false},
    };
    BoardModel b;
    b.N = 4;
    for (const Case& c : cases) {
        b.EmptyIndex = static_cast<int16_t>(c.empty);
        EXPECT_EQ(b.isSlideNeighbour(c.k), c.neighbour) << "empty " << c.empty << ", place " << c.k;
    }
}

TEST(BoardModel, AWalkDrawMovesTheEmptyPlaceOnlyWhereTheBoardGoes)
{
    struct Case {
        int16_t x, y;
        double u;
        int target;  // -1: the draw would leave the board
        int16_t xAfter, yAfter;
    };
    const Case cases[] = {
        {0, 0, 0.10, -1, 0, 0},  {0, 0, 0.30, 1, 1, 0},   // left blocked, right
        {0, 0, 0.60, -1, 0, 0},  {0, 0, 0.90, 4, 0, 1},   // up blocked, down
        {3, 3, 0.00, 14, 2, 3},  {3, 3, 0.49, -1, 3, 3},  // left, right blocked
        {3, 3, 0.50, 11, 3, 2},  {3, 3, 0.99, -1, 3, 3},  // up, down blocked
    };
    for (const Case& c : cases) {
        int16_t x = c.x, y = c.y;
        EXPECT_EQ(BoardModel::walkTarget(4, c.u, x, y), c.target) << c.x << "," << c.y << " u " << c.u;
        EXPECT_EQ(x, c.xAfter);
        EXPECT_EQ(y, c.yAfter);
    }
}

TEST(BoardModel, SolvedWhenEveryPlaceButTheLastHoldsItsPiece)
{
    BoardModel b;
    b.N = 3;
    b.setInOrder();
    EXPECT_EQ(b.EmptyIndex, 8);
    EXPECT_EQ(b.Tag[8], 9);
    EXPECT_EQ(b.Tag[9], EmptyTag);
    EXPECT_TRUE(b.isSolved());

    b.Tag[8] = EmptyTag;  // the last place is not examined
    EXPECT_TRUE(b.isSolved());
    b.Tag[8] = 5;
    EXPECT_TRUE(b.isSolved());

    b.setInOrder();
    b.Tag[3] = EmptyTag;  // an empty place elsewhere counts 0
    EXPECT_FALSE(b.isSolved());

    b.setInOrder();
    std::swap(b.Tag[0], b.Tag[1]);
    EXPECT_FALSE(b.isSolved());
    EXPECT_EQ(b.walkSteps(), 81);
}
