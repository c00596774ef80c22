// BlockBitmap: one bit for each 4-byte word of a pool, with searches for the nearest set
// bit on either side of a word.
#pragma once

#include "Types.h"

#include <memory>

class BlockBitmap {
public:
    explicit BlockBitmap(TUint32 aBitCount);

    bool test(TUint32 index) const { return (bits[index / 64] & bit(index)) != 0; }
    void set(TUint32 index) { bits[index / 64] |= bit(index); }
    void assign(TUint32 index, bool value) {
        bits[index / 64] = (bits[index / 64] & ~bit(index)) | (value ? bit(index) : 0);
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
    static TUint64 bit(TUint32 index) { return TUint64{1} << (index % 64); }

    TUint32 bitCount;
    std::unique_ptr<TUint64[]> bits;
};
