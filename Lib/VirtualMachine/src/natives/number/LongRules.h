// The arithmetic of signed 64-bit longs: everything wraps around modulo 2^64, division
// truncates towards zero, and shifts accept any count.
#pragma once

#include "ErrorHandling.h"
#include "Types.h"

namespace LongRules {

inline constexpr const char* kDivisionByZero = "Division by zero.";

inline TInt64 wrap(TUint64 bits) {
    return static_cast<TInt64>(bits);
}
inline TUint64 bits(TInt64 value) {
    return static_cast<TUint64>(value);
}

inline TInt64 add(TInt64 a, TInt64 b) {
    return wrap(bits(a) + bits(b));
}
inline TInt64 subtract(TInt64 a, TInt64 b) {
    return wrap(bits(a) - bits(b));
}
inline TInt64 multiply(TInt64 a, TInt64 b) {
    return wrap(bits(a) * bits(b));
}
// The negation of the minimum is the minimum.
inline TInt64 negate(TInt64 a) {
    return wrap(0 - bits(a));
}

// A zero divisor raises DivisionByZeroException; the minimum divided by -1 is the minimum.
inline TInt64 divide(TInt64 a, TInt64 b) {
    if (b == 0) throwError(EDivisionByZero, kDivisionByZero);
    return b == -1 ? negate(a) : a / b;
}
// The remainder takes the sign of the dividend.
inline TInt64 remainder(TInt64 a, TInt64 b) {
    if (b == 0) throwError(EDivisionByZero, kDivisionByZero);
    return b == -1 ? 0 : a % b;
}

inline TInt64 bitAnd(TInt64 a, TInt64 b) {
    return a & b;
}
inline TInt64 bitOr(TInt64 a, TInt64 b) {
    return a | b;
}
inline TInt64 bitXor(TInt64 a, TInt64 b) {
    return a ^ b;
}

// Shifts by a distance: 64 or more shifts every bit out, leaving 0 to the left and the
// sign to the right.
inline TInt64 shiftedLeft(TInt64 a, TUint32 distance) {
    return distance > 63 ? 0 : wrap(bits(a) << distance);
}
inline TInt64 shiftedRight(TInt64 a, TUint32 distance) {
    return a >> (distance > 63 ? 63 : distance);
}

// The count is the low 32 bits of the right operand, signed. As with the int shift
// instructions, a negative count shifts the other way by its magnitude.
inline TUint32 magnitude(TInt32 count) {
    return count < 0 ? 0u - static_cast<TUint32>(count) : static_cast<TUint32>(count);
}
inline TInt64 shiftLeft(TInt64 a, TInt64 count) {
    const auto low = static_cast<TInt32>(count);
    return low < 0 ? shiftedRight(a, magnitude(low)) : shiftedLeft(a, magnitude(low));
}
inline TInt64 shiftRight(TInt64 a, TInt64 count) {
    const auto low = static_cast<TInt32>(count);
    return low < 0 ? shiftedLeft(a, magnitude(low)) : shiftedRight(a, magnitude(low));
}

} // namespace LongRules
