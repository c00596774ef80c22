// The promise of the tools: a module the reader accepts prints as assembly source that
// assembles to the same bytes.
#pragma once

#include "Types.h"

#include <vector>

// Aborts, printing the source, when the module the reader accepts does not come back.
void checkRoundTrip(const std::vector<TUint8>& bytes);
