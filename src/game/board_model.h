#pragma once
// The board's data and rules, without any window: which piece each place
// holds, where the empty place is, whether a game runs, and the rules that
// decide a slide move, one step of the shuffle's walk and a solved board.
//
// Places are counted row by row from the top left: place k lies in row
// k div N and column k mod N. Piece p belongs at place p - 1.

#include "game/board.h"

#include <array>
#include <cstdint>

namespace game {

class BoardModel {
public:
    int16_t N = 5;                          // places per side, 3 to 8
    std::array<int16_t, MaxPlaces> Tag{};   // piece number held by each place, or EmptyTag
    int16_t EmptyIndex = 0;                 // the empty place in slide mode
    bool BoardLocked = true;                // no game runs: presses on pieces are ignored
    int32_t Seconds = 0;                    // elapsed seconds at the last clock tick
    int16_t PickCount = 0;                  // swap mode: 1 while a first piece is selected
    int16_t FirstPick = 0;                  // swap mode: the selected place
    bool FirstResetDone = false;            // the first reset of a run does nothing

    // N x N.
    int places() const { return int(N) * N; }
    // N to the fourth: the counted steps of the shuffle's walk.
    long long walkSteps() const { return static_cast<long long>(places()) * places(); }

    // The ordered board's tags: place k holds piece k + 1; the empty place is
    // the last one.
    void setInOrder();

    // Slide mode: whether place k is one of the four orthogonal neighbours of
    // the empty place. Rows and columns are compared, never index differences,
    // so the last place of a row is no neighbour of the first of the next.
    bool isSlideNeighbour(int k) const;

    // One draw u in [0, 1) of the walk: d = integer part of u x 4 picks left,
    // right, up or down, applied to the walking empty place at column x, row y
    // when it stays on an n x n board. Returns the place the empty place moves
    // to, or -1 when the draw would leave the board (x and y unchanged).
    static int walkTarget(int16_t n, double u, int16_t& x, int16_t& y);

    // Every place from 0 to N² - 2 holds its own piece; the empty tag counts
    // 0. The last place is not examined.
    bool isSolved() const;
};

}  // namespace game
