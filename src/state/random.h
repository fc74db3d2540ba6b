// The game's one random generator: a 32-bit linear congruential seed advanced by
// seed * 134775813 + 1, exactly as the classic Pascal runtime does it, so that a seeded run
// can predict every draw.
#pragma once

#include <cstdint>

extern uint32_t RandSeed;

// Uniform integer 0 .. n - 1; Random(0) and Random(1) advance the seed and give 0.
int32_t Random(int32_t n);

// Seed from the clock.
void Randomize();
