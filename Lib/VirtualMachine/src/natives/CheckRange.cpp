#include "CheckRange.h"

#include "ErrorHandling.h"

#include <string>

namespace {
[[noreturn]] void rangeError(const std::string& message) {
    throwError(ERange, message.c_str());
}
} // namespace

void checkRange(TInt32 low, TInt32 size, TInt32 first, TInt32& count) {
    // Sums in 64 bits, so that large operands cannot wrap into a valid range.
    const TInt64 end = TInt64{low} + size;
    if (count == 0) {
        if (first < 0)
            rangeError("Invalid Range, first should be non-negative (first=" +
                       std::to_string(first) + ")");
    } else if (count > 0) {
        if (first < low)
            rangeError("Invalid Range, first should not be less than" + std::to_string(low) +
                       ", first =  " + std::to_string(first));
        if (TInt64{first} + count > end)
            rangeError("Invalid Range, range out of bounds: " +
                       std::to_string(TInt64{first} + count) + " > " + std::to_string(end));
    } else {
        if (first < low)
            rangeError("Invalid Range, first should not be less than " + std::to_string(low) +
                       ", first = " + std::to_string(first));
        if (first > end)
            rangeError("Invalid Range, first should not be more than " + std::to_string(end) +
                       ", first = " + std::to_string(first));
        count = static_cast<TInt32>(end - first);
    }
}
