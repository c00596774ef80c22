// Fixed-width types shared by the runtime, and the internal assertion.
#pragma once

#include <cstdint>

using TInt8 = std::int8_t;
using TUint8 = std::uint8_t;
using TInt16 = std::int16_t;
using TUint16 = std::uint16_t;
using TInt32 = std::int32_t;
using TUint32 = std::uint32_t;
using TInt64 = std::int64_t;
using TUint64 = std::uint64_t;
using TBool = int;
using TReal = double;
// 128-bit integers for exact products; GCC and Clang provide them as an extension.
__extension__ typedef __int128 TInt128;
__extension__ typedef unsigned __int128 TUint128;

constexpr TBool EFalse = 0;
constexpr TBool ETrue = 1;

// Reports a broken internal invariant with the expression, the source file and the
// function, then stops the process. Unlike <cassert> it stays active in release builds:
// these checks guard the heap and the containers against states that would otherwise
// corrupt memory.
[[noreturn]] void kestroAssertionFailed(const char* expression, const char* file,
                                        const char* function);

#define KESTRO_ASSERT(expression)                                                                  \
    ((expression) ? static_cast<void>(0) : kestroAssertionFailed(#expression, __FILE__, __func__))
