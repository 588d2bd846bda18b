#pragma once
// Where the board lies on the main window, in pixels of its client area.
//
//   BoardSide = nearest(0.7 x inner height)
//   BoardLeft = nearest((inner width - BoardSide) / 1.8)
//   CellSize  = nearest(BoardSide / N)
//   place at row r, column c: width = height = CellSize,
//     left = CellSize x c + N + BoardLeft            (16-bit integer arithmetic)
//     top  = CellSize x r + N + BoardSide x 0.07     (the last term is not rounded)
//
// nearest() rounds halves to the even neighbour and fails with Overflow (6)
// outside 16 bits, as numbers::CInt does.

#include <cstdint>

namespace mainwindow {

struct BoardGeometry {
    int16_t BoardSide = 0;
    int16_t BoardLeft = 0;
    int16_t CellSize = 0;

    static int16_t boardSideFor(double innerHeight);
    static int16_t boardLeftFor(double innerWidth, int16_t boardSide);
    static int16_t cellSizeFor(int16_t boardSide, int16_t n);

    // BoardSide and BoardLeft from the client size (CellSize stays).
    void setBoard(double innerWidth, double innerHeight);
    // CellSize for n places per side.
    void setCells(int16_t n);

    // Place k of an n x n board (row k div n, column k mod n).
    int16_t placeLeft(int16_t n, int k) const;
    float placeTop(int16_t n, int k) const;
};

}  // namespace mainwindow
