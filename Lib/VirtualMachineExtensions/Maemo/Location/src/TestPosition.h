// A stand-in for a positioning source, for tests: with KESTRO_TEST_POSITION set, starting a
// requestor delivers one event to its observer. "FIRST SECOND THIRD FOURTH FLAG" (decimal
// numbers, the flag an integer) is a position dated now; "error N" is the error N.
#pragma once

#include "MPositionObserver.h"

// Delivers the test position, if any, to the observer.
void deliverTestPosition(MPositionObserver& observer, TUint32 observerObject);
