// BlockBitmap: one bit for each 4-byte word of a pool, with searches for the nearest set
// bit on either side of a word.
#pragma once

#include "Types.h"

#include <memory>

class BlockBitmap {
public:
    explicit BlockBitmap(TUint32 aBitCount);

    // Where a bit lies: the bitmaps of a pool share it, so a caller that tests several of
    // them for one word works it out once.
    struct Bit {
        TUint32 word;
        TUint64 mask;
    };
    static Bit at(TUint32 index) { return {index / 64, TUint64{1} << (index % 64)}; }

    bool test(Bit position) const { return (bits[position.word] & position.mask) != 0; }
    void set(Bit position) { bits[position.word] |= position.mask; }
    bool test(TUint32 index) const { return test(at(index)); }
    void set(TUint32 index) { set(at(index)); }
    void assign(TUint32 index, bool value) {
        const Bit position = at(index);
        bits[position.word] = (bits[position.word] & ~position.mask) | (value ? position.mask : 0);
    }

    // Clears every bit.
    void clear();
    // The bits as 64-bit words: bit i is bit i % 64 of word i / 64; bits past the bit count
    // are 0.
    TUint32 wordCount() const { return (bitCount + 63) / 64; }
    TUint64 word(TUint32 index) const { return bits[index]; }

    // The first set bit above `index`, or the bit count when there is none.
    TUint32 nextAfter(TUint32 index) const;
    // The last set bit at or below `index` (an index past the end counts as the last bit),
    // or the bit count when there is none.
    TUint32 lastAtOrBefore(TUint32 index) const;

private:
    TUint32 bitCount;
    std::unique_ptr<TUint64[]> bits;
};
