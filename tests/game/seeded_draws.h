#pragma once
// Draws for the shuffle's walk from a seeded generator: the same seed, the
// same walk.

#include "game/board.h"

#include <memory>
#include <random>

inline game::Board::Draw seeded(unsigned seed)
{
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen] { return std::uniform_real_distribution<double>(0.0, 1.0)(*gen); };
}
