// The math native group 26: real functions, random numbers, choices and constants on fixed
// values (two slots each). The names of the choices end in the kind of their operands.
#include "MathFamilies.h"
#include "NativeGroups.h"

namespace {

constexpr NativeFunction kFunctions[] = {
    {1, "sine", applyRealFunction, ESine},
    {2, "cosine", applyRealFunction, ECosine},
    {3, "tangent", applyRealFunction, ETangent},
    {4, "arcSine", applyRealFunction, EArcSine},
    {5, "arcCosine", applyRealFunction, EArcCosine},
    {6, "arcTangent", applyRealFunction, EArcTangent},
    {7, "radiansToDegrees", applyRealFunction, ERadiansToDegrees},
    {8, "degreesToRadians", applyRealFunction, EDegreesToRadians},
    {9, "squareRoot", applyRealFunction, ESquareRoot},
    {10, "logarithm", logarithmToBase},
    {11, "naturalLogarithm", applyRealFunction, ENaturalLogarithm},
    {12, "randomInt", drawRandomInt},
    {13, "randomFixed", drawRandomFixed},
    {14, "minimumByte", chooseByte, ESmaller},
    {15, "minimumInt", chooseInt, ESmaller},
    {16, "minimumFixed", chooseFixed, ESmaller},
    {17, "maximumByte", chooseByte, ELarger},
    {18, "maximumInt", chooseInt, ELarger},
    {19, "maximumFixed", chooseFixed, ELarger},
    {20, "e", pushFixed<ORaw::kE>},
    {21, "pi", pushFixed<ORaw::kPi>},
    {22, "smallestPositive", pushFixed<ORaw::kSmallest>},
};

} // namespace

constinit const NativeTable kMathNatives{kFunctions};
