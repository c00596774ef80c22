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

TEST(MersenneTwister, SeedingMultipliesEachWordBy69069) {
    const MersenneTwister::State state = MersenneTwister::seededState(1);
    EXPECT_EQ(state[0], 1u);
    EXPECT_EQ(state[1], 69069u);
    EXPECT_EQ(state[2], 475559465u);  // 69069^2 = 4770526761, less 2^32
    EXPECT_EQ(state[3], 2801775573u); // 69069^3 modulo 2^32
    EXPECT_EQ(state[623], 3311171525u);
}

TEST(MersenneTwister, SeedingKeepsTheSeedAsTheFirstWord) {
    const MersenneTwister::State state = MersenneTwister::seededState(5489);
    EXPECT_EQ(state[0], 5489u);
    EXPECT_EQ(state[1], 379119741u);
    EXPECT_EQ(state[2], 3300754713u);
    EXPECT_EQ(state[623], 3013871349u);
}

TEST(MersenneTwister, DrawsMatchTheStandardEngineOverSeveralRegenerations) {
    expectSameDraws(1, 3 * 624 + 5);
}

TEST(MersenneTwister, DrawsMatchTheStandardEngineForOtherSeeds) {
    for (const TUint32 seed : {4357u, 0xFFFFFFFFu, 0x80000000u, 123456789u})
        expectSameDraws(seed, 700);
}

TEST(MersenneTwister, ASeedOfZeroDrawsOnlyZeros) {
    MersenneTwister generator(0);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(generator.next(), 0u);
}

TEST(MersenneTwister, GeneratorsWithOneSeedDrawTheSameSequence) {
    MersenneTwister first(42);
    MersenneTwister second(42);
    MersenneTwister other(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const TUint32 draw = first.next();
        ASSERT_EQ(draw, second.next());
        differs = differs || draw != other.next();
    }
    EXPECT_TRUE(differs);
}

} // namespace
