// ORaw's real functions: each works on the real value of its operand in double
// precision, and the result is converted back to fixed.
#include "ErrorHandling.h"
#include "ORaw.h"

#include <cmath>

namespace ORaw {

namespace {

// pi / 180 and 180 / pi, truncated.
constexpr OFixed kRadiansPerDegree = fromWords(74961320, 0);
constexpr OFixed kDegreesPerRadian = fromWords(1270363335, 57);
constexpr OFixed kFullCircle = fromInt(360);
// 2 pi, truncated: the largest angle in radians that converts to degrees.
constexpr OFixed kFullTurn = fromWords(1216271633, 6);

template <class Function> OFixed throughReal(OFixed value, Function function) {
    return toFixed(function(toReal(value)));
}

void requireDomain(bool inside) {
    if (!inside) throwError(EMathError);
}

// The magnitude times `factor`, with the sign of `value`.
OFixed scaledMagnitude(OFixed value, OFixed magnitude, OFixed factor) {
    const OFixed scaled = multiply(magnitude, factor);
    return value < 0 ? -scaled : scaled;
}

// Magnitudes just above 2 pi whose low word agrees with it in the upper 16 bits count as
// 2 pi itself.
bool roundsToFullTurn(OFixed magnitude) {
    return highWord(magnitude) == highWord(kFullTurn) &&
           lowWord(magnitude) >> 16 <= lowWord(kFullTurn) >> 16;
}

} // namespace

OFixed sine(OFixed value) {
    return throughReal(value, [](TReal x) { return std::sin(x); });
}

OFixed cosine(OFixed value) {
    return throughReal(value, [](TReal x) { return std::cos(x); });
}

// A result at the limits of the fixed range stands for a pole.
OFixed tangent(OFixed value) {
    const OFixed result = throughReal(value, [](TReal x) { return std::tan(x); });
    requireDomain(result != kMinimum && result != kMaximum);
    return result;
}

OFixed arcSine(OFixed value) {
    requireDomain(value >= -kOne && value <= kOne);
    return throughReal(value, [](TReal x) { return std::asin(x); });
}

OFixed arcCosine(OFixed value) {
    requireDomain(value >= -kOne && value <= kOne);
    return throughReal(value, [](TReal x) { return std::acos(x); });
}

OFixed arcTangent(OFixed value) {
    return throughReal(value, [](TReal x) { return std::atan(x); });
}

OFixed squareRoot(OFixed value) {
    requireDomain(value >= 0);
    return throughReal(value, [](TReal x) { return std::sqrt(x); });
}

OFixed naturalLogarithm(OFixed value) {
    requireDomain(value > 0);
    return throughReal(value, [](TReal x) { return std::log(x); });
}

OFixed logarithm(OFixed value, OFixed base) {
    requireDomain(base != 0 && base != kOne && base != -kOne);
    if (value == base) return kOne;
    return divide(naturalLogarithm(value), naturalLogarithm(base));
}

OFixed degreesToRadians(OFixed degrees) {
    const OFixed magnitude = abs(degrees);
    requireDomain(magnitude <= kFullCircle);
    return scaledMagnitude(degrees, magnitude, kRadiansPerDegree);
}

OFixed radiansToDegrees(OFixed radians) {
    const OFixed magnitude = abs(radians);
    if (magnitude <= kFullTurn) return scaledMagnitude(radians, magnitude, kDegreesPerRadian);
    requireDomain(roundsToFullTurn(magnitude));
    return scaledMagnitude(radians, kFullTurn, kDegreesPerRadian);
}

} // namespace ORaw
