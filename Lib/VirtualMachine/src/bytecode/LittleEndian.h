// Multi-byte values in modules and code are little-endian and may be unaligned.
#pragma once

#include "Types.h"

inline TUint32 readLittleEndian32(const TUint8* bytes) {
    return static_cast<TUint32>(bytes[0]) | static_cast<TUint32>(bytes[1]) << 8 |
           static_cast<TUint32>(bytes[2]) << 16 | static_cast<TUint32>(bytes[3]) << 24;
}

inline TUint16 readLittleEndian16(const TUint8* bytes) {
    return static_cast<TUint16>(bytes[0] | bytes[1] << 8);
}

inline void writeLittleEndian32(TUint8* bytes, TUint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<TUint8>(value >> (8 * i));
}
