// A new array of new strings, as the natives answer a list of texts (split pieces, the
// names in a directory).
#pragma once

#include "NativeCall.h"

#include <vector>

// A new object array holding a new string for each text, in order, held by a new array
// variable; returns the variable. The variable is a root while the strings are made, and
// each string is in the array before the next allocation.
TVMAddress newStringArray(NativeCall& call, const std::vector<OString>& texts);
