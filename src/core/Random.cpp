#include "core/Random.h"

#include <cstdlib>

namespace {

RandomSource source = nullptr;

}  // namespace

void SeedRandom(unsigned seed) { std::srand(seed); }

int RandomBelow(int n) { return source ? source(n) : std::rand() % n; }

RandomSource SetRandomSource(RandomSource draw) {
    RandomSource previous = source;
    source = draw;
    return previous;
}
