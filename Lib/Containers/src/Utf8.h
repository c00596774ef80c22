// UTF-8 codec of the runtime. Encoding works on each UTF-16 code unit by itself, so a
// surrogate pair becomes two three-byte sequences. Validation follows RFC 3629.
#pragma once

#include "Types.h"

#include <string_view>

namespace Utf8 {

// Length (1 to 4) of the well-formed sequence that starts at `position`, or 0 when the
// bytes there do not form one: a bad lead byte, a continuation byte out of its range, or a
// sequence cut off by the end of the bytes.
TInt32 sequenceLength(const TUint8* bytes, TInt32 count, TInt32 position);

// The code point of the well-formed sequence of `length` bytes at `sequence`.
TUint32 decodeSequence(const TUint8* sequence, TInt32 length);

// Bytes needed to encode the units (up to three per unit, so it may exceed 32 bits).
TInt64 encodedLength(std::u16string_view units);

// Writes the encoding of the units to `target`, which has room for encodedLength(units)
// bytes, and returns the end of what was written.
TUint8* encode(std::u16string_view units, TUint8* target);

} // namespace Utf8
