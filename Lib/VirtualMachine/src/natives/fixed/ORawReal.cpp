// ORaw operations that go through double precision: conversion from real numbers,
// division and power.
#include "ErrorHandling.h"
#include "ORaw.h"

#include <cmath>

namespace ORaw {

OFixed toFixed(TReal value) {
    if (std::isnan(value)) throwError(EMathError);
    if (value <= -2147483648.0) return kMinimum;
    if (value >= 2147483648.0) return kMaximum;
    return static_cast<OFixed>(value * 4294967296.0);
}

OFixed divide(OFixed a, OFixed b) {
    if (b == 0) throwError(EMathError);
    return toFixed(static_cast<TReal>(a) / static_cast<TReal>(b));
}

// 0 to a negative power and a negative base to a power with a fraction raise
// MathException. A result too small for double precision gives 0, or for a negative
// exponent saturates.
OFixed pow(OFixed a, OFixed b) {
    if (b == 0) return kOne;
    if (a == 0) {
        if (b < 0) throwError(EMathError);
        return 0;
    }
    bool negative = false;
    if (a < 0) {
        if (lowWord(b) != 0) throwError(EMathError);
        negative = (highWord(b) & 1) != 0;
    }
    TReal result = std::pow(std::fabs(toReal(a)), std::fabs(toReal(b)));
    if (b < 0) result = 1.0 / result;
    return toFixed(negative ? -result : result);
}

} // namespace ORaw
