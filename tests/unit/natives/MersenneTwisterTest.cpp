// The math natives' random generator: its seeding by the multiplier 69069, and its draws
// against the standard library's MT19937 started from the same state.
#include "random/MersenneTwister.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// The standard engine in the state of a freshly seeded generator. Its text form is the
// 624 state words followed by the position of the next word, 624: all used up, so that
// the first draw regenerates the state.
std::mt19937 standardEngineFrom(const MersenneTwister::State& state) {
    std::stringstream text;
    for (const TUint32 word : state)
        text << word << ' ';
    text << MersenneTwister::kStateWords;
    std::mt19937 engine;
    text >> engine;
    EXPECT_FALSE(text.fail());
    return engine;
}

void expectSameDraws(TUint32 seed, int draws) {
    MersenneTwister generator(seed);
    std::mt19937 engine = standardEngineFrom(MersenneTwister::seededState(seed));
    for (int i = 0; i < draws; ++i)
        ASSERT_EQ(generator.next(), engine()) << "draw " << i << " from seed " << seed;
}

// Each word is the one before times 69069, modulo 2^32; the seed is the first.
TEST(MersenneTwister, SeedingKeepsTheSeedAndMultipliesEachWordBy69069) {
    struct Word {
        TUint32 seed;
        std::size_t index;
        TUint32 value;
    };
    for (const Word word :
         {Word{1, 0, 1}, Word{1, 1, 69069}, Word{1, 2, 475559465}, Word{1, 3, 2801775573},
          Word{1, 623, 3311171525}, Word{5489, 0, 5489}, Word{5489, 1, 379119741},
          Word{5489, 2, 3300754713}, Word{5489, 623, 3013871349}})
        EXPECT_EQ(MersenneTwister::seededState(word.seed)[word.index], word.value)
            << "word " << word.index << " from seed " << word.seed;
}

// Over several regenerations of the state for seed 1. A seed of 0 gives a state of zeros,
// which draws only zeros.
TEST(MersenneTwister, DrawsMatchTheStandardEngine) {
    expectSameDraws(1, 3 * 624 + 5);
    for (const TUint32 seed : {0u, 4357u, 0xFFFFFFFFu, 0x80000000u, 123456789u})
        expectSameDraws(seed, 700);
}

} // namespace
