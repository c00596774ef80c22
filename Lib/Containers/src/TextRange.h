// An inclusive range [from, to] of code-unit indexes of a string. The pair (0, -1) is the
// empty range; `to` may be ToEnd, which stands for the last index of the string the range
// is applied to. The default range is the whole string.
#pragma once

#include "Types.h"

#include <algorithm>
#include <limits>

struct TextRange {
    static constexpr TInt32 ToEnd = std::numeric_limits<TInt32>::min();

    TInt32 from = 0;
    TInt32 to = ToEnd;

    // The range of `count` units starting at `first`; a negative count runs to the end.
    static constexpr TextRange ofCount(TInt32 first, TInt32 count) {
        if (count < 0) return {first, ToEnd};
        // A last index beyond any string is as invalid as one that overflows, and one
        // below -1 as invalid as -1 after a negative first index.
        const TInt64 last = static_cast<TInt64>(first) + count - 1;
        return {first, static_cast<TInt32>(
                           std::clamp<TInt64>(last, -1, std::numeric_limits<TInt32>::max()))};
    }

    static constexpr TextRange empty() { return {0, -1}; }

    constexpr TInt32 count() const { return to - from + 1; }
};
