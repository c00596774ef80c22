// The MT19937 pseudo-random generator as published in 1998: 624 words of state, seeded
// by the multiplier 69069, the standard regeneration and tempering. Each draw is one
// unsigned 32-bit number.
#pragma once

#include "Types.h"

#include <array>
#include <cstddef>

class MersenneTwister {
public:
    static constexpr std::size_t kStateWords = 624;
    using State = std::array<TUint32, kStateWords>;

    // Word 0 is the seed and every further word 69069 times the one before it, modulo
    // 2^32. A seed of 0 gives a state of zeros, whose draws are all 0.
    static State seededState(TUint32 seed);

    explicit MersenneTwister(TUint32 seed) : state(seededState(seed)) {}

    // The first draw regenerates the whole state.
    TUint32 next();

private:
    void regenerate();

    State state;
    std::size_t index = kStateWords; // the next word to temper
};
