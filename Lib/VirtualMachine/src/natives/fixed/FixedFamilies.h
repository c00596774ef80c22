// The families of the fixed-point native group 11. Each handles its function numbers and
// answers false for any other number.
#pragma once

#include "FixedOperands.h"

// 1 to 3: fixed values from a variable, a byte or an int; 26 to 30: ints from fixed
// values, and the limits.
bool convertFixed(NativeCall& call, TInt32 function);
// 5 to 17: arithmetic on values and on variables.
bool calculateFixed(NativeCall& call, TInt32 function);
// 18 to 23: comparisons, 1 or 0.
bool compareFixeds(NativeCall& call, TInt32 function);
// 4, 24, 25: text to fixed and back.
bool convertFixedText(NativeCall& call, TInt32 function);
