#include "MersenneTwister.h"

namespace {

constexpr std::size_t kOffset = 397;
constexpr TUint32 kMatrix = 0x9908B0DF;
constexpr TUint32 kUpperBit = 0x80000000;
constexpr TUint32 kLowerBits = 0x7FFFFFFF;

TUint32 twisted(TUint32 word, TUint32 nextWord, TUint32 distantWord) {
    const TUint32 joined = (word & kUpperBit) | (nextWord & kLowerBits);
    return distantWord ^ (joined >> 1) ^ ((joined & 1) != 0 ? kMatrix : 0);
}

TUint32 tempered(TUint32 word) {
    word ^= word >> 11;
    word ^= (word << 7) & 0x9D2C5680;
    word ^= (word << 15) & 0xEFC60000;
    return word ^ (word >> 18);
}

} // namespace

MersenneTwister::State MersenneTwister::seededState(TUint32 seed) {
    State words{};
    words[0] = seed;
    for (std::size_t i = 1; i < kStateWords; ++i)
        words[i] = 69069 * words[i - 1];
    return words;
}

void MersenneTwister::regenerate() {
    for (std::size_t i = 0; i < kStateWords; ++i)
        state[i] =
            twisted(state[i], state[(i + 1) % kStateWords], state[(i + kOffset) % kStateWords]);
    index = 0;
}

TUint32 MersenneTwister::next() {
    if (index == kStateWords) regenerate();
    return tempered(state[index++]);
}
