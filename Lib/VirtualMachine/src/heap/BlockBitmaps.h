// BlockBitmaps: the four bitmaps a pool keeps over its 4-byte words, one bit a word in
// each: where blocks start, which blocks are free, which own a native object and which are
// marked. They are interleaved, 64 words to a group, so that what the collector and the
// sweep ask about one block lies in one group, reached through one base pointer.
#pragma once

#include "Types.h"

#include <algorithm>
#include <bit>
#include <memory>

class BlockBitmaps {
public:
    // Bit i of each field stands for word 64 g + i of the pool, g being the group's index.
    // Only words where a block starts have bits set.
    struct Group {
        TUint64 starts = 0;
        TUint64 free = 0;
        TUint64 native = 0;
        TUint64 marks = 0;
    };
    using Field = TUint64 Group::*;
    // Where the bits of a word lie.
    struct Bit {
        TUint32 group;
        TUint64 mask;
    };
    static Bit at(TUint32 index) { return {index / 64, TUint64{1} << (index % 64)}; }

    explicit BlockBitmaps(TUint32 aBitCount);

    TUint32 bitCount() const { return bits; }
    Group& group(TUint32 index) { return groups[index]; }
    const Group& group(TUint32 index) const { return groups[index]; }

    bool test(Field field, TUint32 index) const {
        const Bit bit = at(index);
        return (groups[bit.group].*field & bit.mask) != 0;
    }
    void assign(Field field, TUint32 index, bool value) {
        const Bit bit = at(index);
        TUint64& word = groups[bit.group].*field;
        word = (word & ~bit.mask) | (value ? bit.mask : 0);
    }

    // Clears every mark.
    void clearMarks();
    // Clears all four bits of every word in [from, to).
    void clearWords(TUint32 from, TUint32 to);

    // The first word in [from, to) whose bit is set in select(group), or `to` when there is
    // none; `to` must not exceed the bit count.
    template <class Select> TUint32 find(TUint32 from, TUint32 to, Select select) const {
        if (from >= to) return to;
        const TUint32 last = (to - 1) / 64;
        TUint32 index = from / 64;
        TUint64 found = select(groups[index]) & (~TUint64{0} << (from % 64));
        while (found == 0) {
            if (index == last) return to;
            found = select(groups[++index]);
        }
        return std::min(to, index * 64 + static_cast<TUint32>(std::countr_zero(found)));
    }
    // Calls visit(word, group, mask) for every word in [from, to) whose bit is set in
    // select(group), in rising order; `to` must not exceed the bit count.
    template <class Select, class Visit>
    void forEach(TUint32 from, TUint32 to, Select select, Visit visit) const {
        for (TUint32 index = from / 64; from < to && index * 64 < to; ++index) {
            TUint64 found = select(groups[index]) & wordsFrom(from, to, index);
            while (found != 0) {
                const TUint64 mask = found & (~found + 1);
                visit(index * 64 + static_cast<TUint32>(std::countr_zero(found)), groups[index],
                      mask);
                found ^= mask;
            }
        }
    }

    // The first block start above `index`, or the bit count when there is none.
    TUint32 nextStartAfter(TUint32 index) const {
        return index + 1 >= bits ? bits
                                 : find(index + 1, bits, [](const Group& g) { return g.starts; });
    }
    // The last block start at or below `index` (an index past the end counts as the last
    // word), or the bit count when there is none.
    TUint32 lastStartAtOrBefore(TUint32 index) const;

private:
    // The bits of group `index` that stand for words in [from, to), which must overlap the
    // group.
    static TUint64 wordsFrom(TUint32 from, TUint32 to, TUint32 index) {
        const TUint32 first = index * 64;
        const TUint64 low = from > first ? ~TUint64{0} << (from - first) : ~TUint64{0};
        const TUint64 high = to - first >= 64 ? ~TUint64{0} : ~(~TUint64{0} << (to - first));
        return low & high;
    }

    TUint32 bits;
    std::unique_ptr<Group[]> groups;
};
