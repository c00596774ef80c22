// The handlers of the math native group 26, by family; MathNatives.cpp lists them.
#pragma once

#include "FixedOperands.h"

// MathFunctions.cpp: real functions of fixed values, in place; the constant says which.
enum RealFunction : TInt32 {
    ESine,
    ECosine,
    ETangent,
    EArcSine,
    EArcCosine,
    EArcTangent,
    ERadiansToDegrees,
    EDegreesToRadians,
    ESquareRoot,
    ENaturalLogarithm
};
void applyRealFunction(NativeCall& call, TInt32 function);
// A value to a base.
void logarithmToBase(NativeCall& call, TInt32);

// MathRandom.cpp: random numbers between two bounds, in either order.
void drawRandomInt(NativeCall& call, TInt32);
void drawRandomFixed(NativeCall& call, TInt32);

// MathChoice.cpp: the smaller or the larger of two bytes (the low 8 bits of their slots,
// signed), ints or fixed values; the constant says which.
enum Extreme : TInt32 { ESmaller, ELarger };
void chooseByte(NativeCall& call, TInt32 extreme);
void chooseInt(NativeCall& call, TInt32 extreme);
void chooseFixed(NativeCall& call, TInt32 extreme);
