// The program's one gameplay random stream, 0..32767, seeded once at start-up.
#pragma once

#include <cstdint>

void seedGameRandom(uint32_t seed);
int drawGameRandom();
