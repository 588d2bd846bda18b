#include "game/board_model.h"

#include <cmath>

namespace game {

void BoardModel::setInOrder()
{
    const int n2 = places();
    for (int k = 0; k < MaxPlaces; ++k)
        Tag[k] = k < n2 ? static_cast<int16_t>(k + 1) : EmptyTag;
    EmptyIndex = static_cast<int16_t>(n2 - 1);
}

bool BoardModel::isSlideNeighbour(int k) const
{
    if (N < 1)
        return false;
    const int xE = EmptyIndex % N, yE = EmptyIndex / N;
    const int xK = k % N, yK = k / N;
    return ((xK == xE + 1 || xK == xE - 1) && yK == yE)
        || ((yK == yE + 1 || yK == yE - 1) && xK == xE);
}

int BoardModel::walkTarget(int16_t n, double u, int16_t& x, int16_t& y)
{
    const int d = static_cast<int>(std::floor(u * 4));
    if (d == 0 && x > 0)
        --x;
    else if (d == 1 && x < n - 1)
        ++x;
    else if (d == 2 && y > 0)
        --y;
    else if (d == 3 && y < n - 1)
        ++y;
    else
        return -1;
    return y * n + x;
}

bool BoardModel::isSolved() const
{
    const int last = places() - 1;
    for (int k = 0; k < last; ++k) {
        if (Tag[k] != k + 1)
            return false;
    }
    return true;
}

}  // namespace game
