// A new array of new strings, as the natives answer a list of names.
#pragma once

#include "NativeCall.h"

#include <vector>

// A new object array holding a new string for each name, in order, held by a new array
// variable; returns the variable. The variable stays alive while the strings are made.
TVMAddress newStringArray(NativeCall& call, const std::vector<OString>& names);
