// 64-bit values in machine memory: two words, the low word first. Longs and fixed
// variables are kept this way.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

#include <cstring>

// The value at `address`; null raises NullPointerException, an address outside the
// machine's memory is a fatal machine error.
inline TInt64 load64(const AddressSpace& space, TVMAddress address) {
    const auto* bytes = static_cast<const unsigned char*>(space.hostPointer(address, 8));
    TUint32 low = 0;
    TUint32 high = 0;
    std::memcpy(&low, bytes, 4);
    std::memcpy(&high, bytes + 4, 4);
    return static_cast<TInt64>(TUint64{high} << 32 | low);
}

inline void store64(AddressSpace& space, TVMAddress address, TInt64 value) {
    auto* bytes = static_cast<unsigned char*>(space.hostPointer(address, 8));
    const auto bits = static_cast<TUint64>(value);
    const auto low = static_cast<TUint32>(bits);
    const auto high = static_cast<TUint32>(bits >> 32);
    std::memcpy(bytes, &low, 4);
    std::memcpy(bytes + 4, &high, 4);
}
