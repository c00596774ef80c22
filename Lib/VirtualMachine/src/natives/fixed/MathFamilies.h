// The families of the math native group 26. Each handles its function numbers and
// answers false for any other number.
#pragma once

#include "FixedOperands.h"
#include "random/MersenneTwister.h"

// 1 to 11: trigonometry, angles, square root and logarithms.
bool applyRealFunction(NativeCall& call, TInt32 function);
// 14 to 19: the smaller or larger of two bytes, ints or fixed values.
bool chooseExtreme(NativeCall& call, TInt32 function);
// 12: a random int, 13: a random fixed value, both between two bounds.
void drawRandom(NativeCall& call, TInt32 function, MersenneTwister& generator);
