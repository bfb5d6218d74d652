#include "game/random_source.h"

namespace {
uint32_t randomState = 1;
}

void seedGameRandom(uint32_t seed) {
    randomState = seed;
}

// a linear congruential step; the high bits are the well-mixed ones
int drawGameRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}
