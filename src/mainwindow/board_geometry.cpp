#include "mainwindow/board_geometry.h"

#include "platform/numbers.h"

#include <algorithm>

namespace mainwindow {

int16_t BoardGeometry::boardSideFor(double innerHeight)
{
    return numbers::CInt(innerHeight * 0.7);
}

int16_t BoardGeometry::boardLeftFor(double innerWidth, int16_t boardSide)
{
    return numbers::CInt((innerWidth - boardSide) / 1.8);
}

int16_t BoardGeometry::cellSizeFor(int16_t boardSide, int16_t n)
{
    return numbers::CInt(static_cast<double>(boardSide) / n);
}

void BoardGeometry::setBoard(double innerWidth, double innerHeight)
{
    BoardSide = boardSideFor(innerHeight);
    // A window taller than wide: the board as wide as the room leaves beside
    // the preview and the toolbar, as on the smallest room (800 x 600).
    if (innerHeight > innerWidth)
        BoardSide = std::min<int16_t>(BoardSide, numbers::CInt(std::max(innerWidth - 380, 60.0)));
    BoardLeft = boardLeftFor(innerWidth, BoardSide);
}

void BoardGeometry::setCells(int16_t n)
{
    CellSize = cellSizeFor(BoardSide, n);
}

int16_t BoardGeometry::placeLeft(int16_t n, int k) const
{
    // Integer sums and products stay 16-bit: CInt fails with Overflow beyond.
    return numbers::CInt(int32_t(CellSize) * (k % n) + n + BoardLeft);
}

float BoardGeometry::placeTop(int16_t n, int k) const
{
    const int16_t rows = numbers::CInt(int32_t(CellSize) * (k / n) + n);
    return static_cast<float>(rows + BoardSide * 0.07);
}

}  // namespace mainwindow
