#pragma once
// A shuffle that is a puzzle: the game's walk, walked again from where it
// ended while the board it made lies nearer to solved than half the mean
// distance of a board drawn at random among all boards of its size and
// mode, so that a game never starts a few moves from the picture.

#include "game/board.h"

namespace game {

// Half the mean distance of a random board of that size (2 to 8) and mode,
// in the measure of shuffleDistance.
double shuffleThreshold(int size, Mode mode);

// How far the board stands from solved: exact in swap mode and for slide
// boards up to 3 x 3, the lower bound of the solver for larger slide boards.
int shuffleDistance(const Board& board);

// Whether the board is nearer to solved than the threshold of its size and
// mode.
bool tooNearSolved(const Board& board);

// Board::shuffle, walking again while the board is too near solved.
bool shuffleAsPuzzle(Board& board, const Board::Draw& draw);

}  // namespace game
