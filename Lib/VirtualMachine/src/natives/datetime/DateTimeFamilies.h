// The families of the date-time natives (group 29). Each handles the function numbers of
// its family and answers false for any other number. Every DateTime operand is a
// reference to a cell holding a Kestro::DateTime.
#pragma once

#include "DateTime.h"
#include "NativeCall.h"

// The DateTime in the cell at `cell`; a null reference or an empty cell raises
// NullPointerException "NULL pointer".
Kestro::DateTime& dateTimeIn(NativeCall& call, TVMAddress cell);

// System 9: a new DateTime of the current time in the zone on top of the stack (0 local,
// 1 UTC), in a new cell.
void answerCurrentDateTime(NativeCall& call, TInt32);

// 1 to 4: a new DateTime (now, a copy, from fields) stored into a target cell.
bool createDateTime(NativeCall& call, TInt32 function);
// 5, 6 and 14 to 20: durations, field setters and the zone.
bool changeDateTime(NativeCall& call, TInt32 function);
// 7 to 13 and 21: the fields and the text form.
bool queryDateTime(NativeCall& call, TInt32 function);
// 22 to 29: identity and order.
bool compareDateTimes(NativeCall& call, TInt32 function);
