#include "BlockBitmaps.h"

BlockBitmaps::BlockBitmaps(TUint32 aBitCount)
    : bits(aBitCount), groups(std::make_unique<Group[]>((aBitCount + 63) / 64)) {}

void BlockBitmaps::clearMarks() {
    const TUint32 count = (bits + 63) / 64;
    for (TUint32 index = 0; index < count; ++index)
        groups[index].marks = 0;
}

void BlockBitmaps::clearWords(TUint32 from, TUint32 to) {
    for (TUint32 index = from / 64; from < to && index * 64 < to; ++index) {
        const TUint64 kept = ~wordsFrom(from, to, index);
        Group& group = groups[index];
        group.starts &= kept;
        group.free &= kept;
        group.native &= kept;
        group.marks &= kept;
    }
}

TUint32 BlockBitmaps::lastStartAtOrBefore(TUint32 index) const {
    if (bits == 0) return bits;
    const TUint32 from = std::min(index, bits - 1);
    TUint32 group = from / 64;
    TUint64 found = groups[group].starts & (~TUint64{0} >> (63 - from % 64));
    while (found == 0) {
        if (group == 0) return bits;
        found = groups[--group].starts;
    }
    return group * 64 + 63 - static_cast<TUint32>(std::countl_zero(found));
}
