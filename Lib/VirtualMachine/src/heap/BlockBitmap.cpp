#include "BlockBitmap.h"

#include <algorithm>
#include <bit>

BlockBitmap::BlockBitmap(TUint32 aBitCount)
    : bitCount(aBitCount), bits(std::make_unique<TUint64[]>((aBitCount + 63) / 64)) {}

void BlockBitmap::clear() {
    std::fill_n(bits.get(), wordCount(), TUint64{0});
}

TUint32 BlockBitmap::nextAfter(TUint32 index) const {
    if (index + 1 >= bitCount) return bitCount;
    const TUint32 from = index + 1;
    const TUint32 lastWord = (bitCount - 1) / 64;
    TUint32 word = from / 64;
    TUint64 found = bits[word] & (~TUint64{0} << (from % 64));
    while (found == 0) {
        if (word == lastWord) return bitCount;
        found = bits[++word];
    }
    return word * 64 + static_cast<TUint32>(std::countr_zero(found));
}

TUint32 BlockBitmap::lastAtOrBefore(TUint32 index) const {
    if (bitCount == 0) return bitCount;
    const TUint32 from = std::min(index, bitCount - 1);
    TUint32 word = from / 64;
    TUint64 found = bits[word] & (~TUint64{0} >> (63 - from % 64));
    while (found == 0) {
        if (word == 0) return bitCount;
        found = bits[--word];
    }
    return word * 64 + 63 - static_cast<TUint32>(std::countl_zero(found));
}
