#include "services/random.h"

#include "services/seams.h"

#include <chrono>
#include <random>

namespace Allgemein {

namespace {

std::mt19937_64& engine()
{
    static std::mt19937_64 e{static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count())};
    return e;
}

}  // namespace

double Rnd()
{
    if (const auto& scripted = services::seams().rnd)
        return scripted();
    // 53 random bits: uniform in [0, 1), never 1.
    return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
}

void Randomize()
{
    if (services::seams().rnd)
        return;
    const auto now = static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const uint64_t state = engine()();
    std::seed_seq seq{static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32),
                      static_cast<uint32_t>(state), static_cast<uint32_t>(state >> 32)};
    engine().seed(seq);
}

}  // namespace Allgemein
