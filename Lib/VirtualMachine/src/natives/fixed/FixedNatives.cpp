// The fixed-point native group 11. A fixed value takes two slots; the names with Variable
// take a fixed variable reference instead (one slot, the address of an 8-byte variable),
// and those that calculate store their result in the variable.
#include "FixedFamilies.h"
#include "NativeGroups.h"

#include <functional>

namespace {

constexpr NativeFunction kFunctions[] = {
    {1, "loadVariable", loadFixedVariable},
    {2, "fromByte", fixedFromByte},
    {3, "fromInt", fixedFromInt},
    {4, "parse", parseFixed},
    {5, "abs", absoluteFixed},
    {6, "negate", negateFixed},
    {7, "add", calculateFixeds, EAdd},
    {8, "subtract", calculateFixeds, ESubtract},
    {9, "multiply", calculateFixeds, EMultiply},
    {10, "divide", calculateFixeds, EDivide},
    {11, "power", calculateFixeds, EPower},
    {12, "addVariable", calculateFixedVariable, EAdd},
    {13, "subtractVariable", calculateFixedVariable, ESubtract},
    {14, "multiplyVariable", calculateFixedVariable, EMultiply},
    {15, "divideVariable", calculateFixedVariable, EDivide},
    {16, "incrementVariable", stepFixedVariable, EAdd},
    {17, "decrementVariable", stepFixedVariable, ESubtract},
    {18, "equal", compareFixeds<std::equal_to<>>},
    {19, "notEqual", compareFixeds<std::not_equal_to<>>},
    {20, "less", compareFixeds<std::less<>>},
    {21, "lessOrEqual", compareFixeds<std::less_equal<>>},
    {22, "greater", compareFixeds<std::greater<>>},
    {23, "greaterOrEqual", compareFixeds<std::greater_equal<>>},
    {24, "variableToText", fixedVariableToText},
    {25, "variableToExactText", fixedVariableToExactText},
    {26, "round", roundFixed},
    {27, "ceiling", ceilingOfFixed},
    {28, "floor", floorOfFixed},
    {29, "minimumValue", pushFixed<ORaw::kMinimum>},
    {30, "maximumValue", pushFixed<ORaw::kMaximum>},
};

} // namespace

constinit const NativeTable kFixedNatives{kFunctions};
