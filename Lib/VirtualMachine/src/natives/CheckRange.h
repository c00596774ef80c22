// The range check the array and output-stream natives share: a range (first, count) of
// an area that starts at `low` and holds `size` elements. A negative count means "up to
// the end" and is replaced by the count that reaches it. A bad range raises
// RangeException with a message that names the numbers.
#pragma once

#include "Types.h"

void checkRange(TInt32 low, TInt32 size, TInt32 first, TInt32& count);
