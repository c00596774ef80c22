// The division by a constant without the division instruction must answer exactly as the
// instruction: for divisors that shift, that multiply and that divide, for the dividends
// at the edges of the 32-bit range and around multiples of the divisor, and when the
// divisors it keeps numbers for crowd each other out.
#include "ConstantDivision.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using arithmetic::bits;
using arithmetic::wrap;

constexpr TUint32 kMin = 0x80000000u, kMax = 0x7FFFFFFFu;

std::vector<TUint32> dividendsFor(TUint32 b, std::mt19937& random) {
    std::vector<TUint32> dividends = {0, 1, bits(-1), kMin, kMax, kMin + 1, kMax - 1};
    for (const TUint32 near : {b, 0u - b, 2 * b, kMax - kMax % b, kMin + b})
        for (const TUint32 offset : {0u - 1u, 0u, 1u})
            dividends.push_back(near + offset);
    for (int i = 0; i < 2000; ++i)
        dividends.push_back(random());
    return dividends;
}

void expectAsTheInstruction(ConstantDivision& divisions, TUint32 b, std::mt19937& random) {
    for (const TUint32 a : dividendsFor(b, random)) {
        ASSERT_EQ(divisions.quotient(a, b), bits(arithmetic::divide(wrap(a), wrap(b))))
            << wrap(a) << " / " << wrap(b);
        ASSERT_EQ(divisions.remainder(a, b), bits(arithmetic::remainder(wrap(a), wrap(b))))
            << wrap(a) << " rem " << wrap(b);
    }
}

TEST(ConstantDivisionTest, AnswersAsTheDivisionInstruction) {
    std::mt19937 random(7);
    ConstantDivision divisions;
    std::vector<TUint32> divisors = {3,          5,         6,    7,        10,
                                     12,         60,        641,  1000,     1000000,
                                     1000000007, kMax - 1,  kMax, bits(-1), bits(-2),
                                     bits(-3),   bits(-10), kMin, kMin + 1, 0x40000001u};
    for (TUint32 power = 1; power <= 0x40000000u; power *= 2)
        divisors.push_back(power);
    for (int i = 0; i < 200; ++i)
        divisors.push_back(random() | 1u);
    for (const TUint32 b : divisors)
        expectAsTheInstruction(divisions, b, random);
}

TEST(ConstantDivisionTest, DivisorsThatShareAKeptNumberTakeTurns) {
    ConstantDivision divisions;
    for (int round = 0; round < 3; ++round)
        for (const TUint32 b : {3u, 19u, 35u, 51u, 1000000003u}) // all 3 mod 16
            for (const TUint32 a : {0u, 100u, bits(-100), kMin, kMax}) {
                ASSERT_EQ(divisions.quotient(a, b), bits(arithmetic::divide(wrap(a), wrap(b))));
                ASSERT_EQ(divisions.remainder(a, b), bits(arithmetic::remainder(wrap(a), wrap(b))));
            }
}

} // namespace
