// ORaw: the fixed-point library. A fixed value is a signed 64-bit count of units of
// 2^-32: its high word is the integer part rounded towards minus infinity, its low word
// the fraction. Arithmetic saturates at the minimum and the maximum instead of wrapping.
// The integer operations are inline: programs use them all the time.
#pragma once

#include "OString.h"
#include "Types.h"

#include <cstdint>

using OFixed = TInt64;

namespace ORaw {

constexpr OFixed fromWords(TUint32 low, TUint32 high) {
    return static_cast<OFixed>(TUint64{high} << 32 | low);
}
constexpr TUint32 lowWord(OFixed value) {
    return static_cast<TUint32>(value);
}
constexpr TInt32 highWord(OFixed value) {
    return static_cast<TInt32>(value >> 32);
}

constexpr OFixed kMaximum = INT64_MAX;
constexpr OFixed kMinimum = INT64_MIN;
constexpr OFixed kOne = fromWords(0, 1);
constexpr OFixed kPi = fromWords(608135817, 3);
constexpr OFixed kE = fromWords(0xB7E15163, 2);
constexpr OFixed kSmallest = 1;

// Conversions.
constexpr OFixed fromInt(TInt32 value) {
    return OFixed{value} * kOne;
}
inline TReal toReal(OFixed value) {
    return static_cast<TReal>(value) / 4294967296.0;
}
// Real to fixed, truncating towards zero; at or beyond -2^31 and 2^31 the minimum and the
// maximum; NaN raises MathException.
OFixed toFixed(TReal value);

// Saturating arithmetic.
inline OFixed add(OFixed a, OFixed b) {
    OFixed sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return a < 0 ? kMinimum : kMaximum;
}
inline OFixed subtract(OFixed a, OFixed b) {
    OFixed difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference)) return difference;
    return a < 0 ? kMinimum : kMaximum;
}
// The absolute value of the minimum is the maximum.
inline OFixed abs(OFixed value) {
    if (value >= 0) return value;
    return value == kMinimum ? kMaximum : -value;
}
// The maximum and the minimum trade places.
inline OFixed negate(OFixed value) {
    if (value == kMaximum) return kMinimum;
    return value == kMinimum ? kMaximum : -value;
}
// The exact product of the magnitudes, truncated to units of 2^-32, then signed; so a
// negative product is truncated towards zero.
inline OFixed multiply(OFixed a, OFixed b) {
    const bool negative = (a < 0) != (b < 0);
    const TUint128 product = TUint128{static_cast<TUint64>(abs(a))} * static_cast<TUint64>(abs(b));
    const TUint128 kept = product >> 32;
    if (kept > static_cast<TUint64>(kMaximum)) return negative ? kMinimum : kMaximum;
    const auto magnitude = static_cast<OFixed>(kept);
    return negative ? -magnitude : magnitude;
}
// Through double precision: a zero divisor raises MathException; the quotient saturates
// and is truncated towards zero.
OFixed divide(OFixed a, OFixed b);
// a to the power b; see ORawReal.cpp for the domain.
OFixed pow(OFixed a, OFixed b);

// To int. Results that would not fit stay at the int limits.
constexpr TInt32 floor(OFixed value) {
    return highWord(value);
}
constexpr TInt32 ceiling(OFixed value) {
    const TInt32 high = highWord(value);
    return lowWord(value) != 0 && high != INT32_MAX ? high + 1 : high;
}
// Halves away from zero: 2.5 gives 3, -2.5 gives -3.
constexpr TInt32 round(OFixed value) {
    const TInt32 high = highWord(value);
    const TUint32 low = lowWord(value);
    if (value >= 0) return low >= 0x80000000u && high != INT32_MAX ? high + 1 : high;
    return low > 0x80000000u ? high + 1 : high;
}

// Text (ORawText.cpp), digit by digit on the raw value.
// Leading white space, any number of '+', an optional '-', integer digits, and an optional
// '.' with fraction digits; the rest of the text is ignored. No integer digit, or a '.'
// without a digit after it, raises DataFormatException.
OFixed parse(const OString& text);
// With `decimals` digits after the point, the last one rounded; -1 gives the exact form,
// with as many digits as the fraction needs (at least one); below -1 raises
// InvalidArgumentException.
OString format(OFixed value, TInt32 decimals);

// Real functions (ORawMath.cpp), in double precision; their domain errors raise
// MathException.
OFixed sine(OFixed value);
OFixed cosine(OFixed value);
OFixed tangent(OFixed value);
OFixed arcSine(OFixed value);
OFixed arcCosine(OFixed value);
OFixed arcTangent(OFixed value);
OFixed squareRoot(OFixed value);
OFixed naturalLogarithm(OFixed value);
OFixed logarithm(OFixed value, OFixed base);
OFixed degreesToRadians(OFixed degrees);
OFixed radiansToDegrees(OFixed radians);

} // namespace ORaw
