// Native functions for generated programs: a row of one of the machine's native tables,
// the string and array groups more often than the rest, and, when `unknown` is set, now
// and then a number no table has.
#pragma once

#include "FuzzChoices.h"

struct NativeChoice {
    int group = 0;
    int function = 0;
};

NativeChoice pickNative(FuzzChoices& choices, bool unknown);
