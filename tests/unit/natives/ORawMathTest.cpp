// The fixed-point library's real functions: power, trigonometry, angles and logarithms,
// with their domain errors.
#include "TextTesting.h"
#include "fixed/ORaw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace ORaw;

constexpr OFixed fixed(TInt32 high, TUint32 low) {
    return fromWords(low, static_cast<TUint32>(high));
}
constexpr OFixed kHalf = fixed(0, 0x80000000u);
constexpr double kUnit = 1.0 / 4294967296.0;

TEST(ORawPow, IntegralPowersOfNegativeBases) {
    EXPECT_EQ(ORaw::pow(fromInt(-8), fromInt(3)), fromInt(-512));
    EXPECT_EQ(ORaw::pow(fromInt(-8), fromInt(2)), fromInt(64));
    EXPECT_EQ(ORaw::pow(fromInt(-2), fromInt(-1)), -kHalf);
    EXPECT_EQ(ORaw::pow(fromInt(2), fromInt(-1)), kHalf);
}

TEST(ORawPow, ZeroExponentsAndZeroBases) {
    EXPECT_EQ(ORaw::pow(0, 0), kOne);
    EXPECT_EQ(ORaw::pow(fromInt(-5), 0), kOne);
    EXPECT_EQ(ORaw::pow(0, fromInt(2)), 0);
    EXPECT_EQ(ORaw::pow(0, kHalf), 0);
}

TEST(ORawPow, DomainErrors) {
    EXPECT_EQ(raisedCode([] { ORaw::pow(fromInt(-8), kHalf); }), EMathError);
    EXPECT_EQ(raisedCode([] { ORaw::pow(0, -kOne); }), EMathError);
    EXPECT_EQ(raisedCode([] { ORaw::pow(fromInt(-2), fixed(-2, 1)); }), EMathError);
}

TEST(ORawPow, SaturatesOnOverflow) {
    EXPECT_EQ(ORaw::pow(fromInt(2), fromInt(31)), kMaximum);
    EXPECT_EQ(ORaw::pow(fromInt(-2), fromInt(31)), kMinimum);
    EXPECT_EQ(ORaw::pow(fromInt(2), fromInt(30)), fromInt(1 << 30));
}

TEST(ORawPow, UnderflowGivesZeroOrForANegativeExponentTheLimit) {
    EXPECT_EQ(ORaw::pow(kSmallest, fromInt(2)), 0);
    EXPECT_EQ(ORaw::pow(kSmallest, fromInt(100)), 0);
    EXPECT_EQ(ORaw::pow(kSmallest, fromInt(-100)), kMaximum);
    EXPECT_EQ(ORaw::pow(-kSmallest, fromInt(-101)), kMinimum);
    EXPECT_EQ(ORaw::pow(fromInt(1000), fromInt(-1000)), 0);
}

TEST(ORawTrigonometry, FollowsTheRealFunctions) {
    EXPECT_EQ(sine(0), 0);
    EXPECT_EQ(cosine(0), kOne);
    EXPECT_NEAR(toReal(sine(kHalf)), std::sin(0.5), kUnit);
    EXPECT_NEAR(toReal(arcTangent(kOne)), std::numbers::pi / 4, kUnit);
    EXPECT_NEAR(toReal(tangent(kOne)), std::tan(1.0), kUnit);
}

TEST(ORawTrigonometry, TangentAtAPoleIsAnError) {
    const OFixed quarterTurn = toFixed(std::numbers::pi / 2);
    EXPECT_EQ(raisedCode([quarterTurn] { tangent(quarterTurn); }), EMathError);
    EXPECT_EQ(raisedCode([quarterTurn] { tangent(-quarterTurn); }), EMathError);
}

TEST(ORawTrigonometry, ArcSineAndArcCosineNeedOperandsFromMinusOneToOne) {
    EXPECT_EQ(arcSine(kOne), toFixed(std::numbers::pi / 2));
    EXPECT_EQ(arcCosine(-kOne), toFixed(std::numbers::pi));
    EXPECT_EQ(raisedCode([] { arcSine(kOne + kSmallest); }), EMathError);
    EXPECT_EQ(raisedCode([] { arcSine(-kOne - kSmallest); }), EMathError);
    EXPECT_EQ(raisedCode([] { arcCosine(kOne + kSmallest); }), EMathError);
}

TEST(ORawRoots, SquareRootOfNegativeValuesIsAnError) {
    EXPECT_EQ(squareRoot(fromInt(4)), fromInt(2));
    EXPECT_EQ(squareRoot(0), 0);
    EXPECT_EQ(raisedCode([] { squareRoot(-kSmallest); }), EMathError);
}

TEST(ORawLogarithms, NaturalLogarithmNeedsAPositiveOperand) {
    EXPECT_EQ(naturalLogarithm(kOne), 0);
    EXPECT_NEAR(toReal(naturalLogarithm(kE)), 1.0, 2 * kUnit);
    EXPECT_EQ(raisedCode([] { naturalLogarithm(0); }), EMathError);
    EXPECT_EQ(raisedCode([] { naturalLogarithm(-kOne); }), EMathError);
}

TEST(ORawLogarithms, LogarithmToABase) {
    EXPECT_NEAR(toReal(logarithm(fromInt(8), fromInt(2))), 3.0, 1e-8);
    EXPECT_EQ(logarithm(fromInt(5), fromInt(5)), kOne);
    EXPECT_EQ(logarithm(fromInt(-5), fromInt(-5)), kOne); // equal operands, no logarithm taken
    for (const OFixed base : {OFixed{0}, kOne, -kOne})
        EXPECT_EQ(raisedCode([base] { logarithm(fromInt(8), base); }), EMathError);
    EXPECT_EQ(raisedCode([] { logarithm(-kOne, fromInt(2)); }), EMathError);
    EXPECT_EQ(raisedCode([] { logarithm(fromInt(2), fromInt(-2)); }), EMathError);
    // ln of a base this close to 1 truncates to 0: the fixed division by zero.
    EXPECT_EQ(raisedCode([] { logarithm(fromInt(2), kOne + kSmallest); }), EMathError);
}

TEST(ORawAngles, DegreesToRadiansUpToAFullCircle) {
    const OFixed halfCircle = degreesToRadians(fromInt(180));
    EXPECT_EQ(halfCircle, fixed(0, 74961320) * 180);
    EXPECT_NEAR(toReal(halfCircle), std::numbers::pi, 1e-7);
    EXPECT_EQ(degreesToRadians(fromInt(-180)), -halfCircle);
    EXPECT_EQ(degreesToRadians(fromInt(360)), 2 * halfCircle);
    EXPECT_EQ(raisedCode([] { degreesToRadians(fixed(360, 0x80000000u)); }), EMathError);
    EXPECT_EQ(raisedCode([] { degreesToRadians(fromInt(-361)); }), EMathError);
    EXPECT_EQ(raisedCode([] { degreesToRadians(kMinimum); }), EMathError);
}

TEST(ORawAngles, RadiansToDegreesUpToAFullTurn) {
    constexpr OFixed fullTurn = fixed(6, 1216271633);
    constexpr OFixed degreesPerRadian = fixed(57, 1270363335);
    const OFixed fullCircle = multiply(fullTurn, degreesPerRadian);
    EXPECT_NEAR(toReal(fullCircle), 360.0, 1e-6);
    EXPECT_LT(fullCircle, fromInt(360));
    EXPECT_EQ(radiansToDegrees(fullTurn), fullCircle);
    EXPECT_EQ(radiansToDegrees(-fullTurn), -fullCircle);
    EXPECT_EQ(radiansToDegrees(kPi), multiply(kPi, degreesPerRadian));
    // Just above 2 pi, with the upper 16 bits of the low word unchanged: 2 pi itself.
    EXPECT_EQ(radiansToDegrees(fullTurn + 1), fullCircle);
    EXPECT_EQ(radiansToDegrees(fixed(6, 18558u << 16 | 0xFFFF)), fullCircle);
    EXPECT_EQ(radiansToDegrees(-fixed(6, 18558u << 16 | 0xFFFF)), -fullCircle);
    EXPECT_EQ(raisedCode([] { radiansToDegrees(fixed(6, 18559u << 16)); }), EMathError);
    EXPECT_EQ(raisedCode([] { radiansToDegrees(fromInt(7)); }), EMathError);
    EXPECT_EQ(raisedCode([] { radiansToDegrees(kMinimum); }), EMathError);
}

} // namespace
