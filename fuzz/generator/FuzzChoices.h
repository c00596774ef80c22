// The choices of a generator, read from the fuzzer's bytes. Once the bytes are used up
// every choice is the smallest, so that a generator always comes to an end.
#pragma once

#include "Types.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <span>

class FuzzChoices {
public:
    FuzzChoices(const TUint8* data, std::size_t size) : bytes(data, size) {}

    // A number from `low` to `high`.
    int number(int low, int high) { return bytes.ConsumeIntegralInRange(low, high); }
    // One of `count` things: 0 to count - 1.
    int index(int count) { return number(0, count - 1); }
    // True once in `times` (with bytes left).
    bool oneIn(int times) { return index(times) == times - 1; }
    bool flag() { return bytes.ConsumeBool(); }
    TUint32 word() { return bytes.ConsumeIntegral<TUint32>(); }
    TUint64 doubleWord() { return bytes.ConsumeIntegral<TUint64>(); }
    template <class T> const T& from(std::span<const T> values) {
        return values[static_cast<std::size_t>(index(static_cast<int>(values.size())))];
    }
    template <class T, std::size_t N> const T& oneOf(const T (&values)[N]) {
        return from(std::span<const T>(values));
    }
    // A 32-bit value that often sits on a boundary where code goes wrong.
    TUint32 interestingWord();
    bool exhausted() { return bytes.remaining_bytes() == 0; }

private:
    FuzzedDataProvider bytes;
};
