// The handlers of the date-time native group 29, by family; DateTimeNatives.cpp lists
// them. Every DateTime operand is a reference to a cell holding a Kestro::DateTime.
#pragma once

#include "DateTime.h"
#include "NativeCall.h"
#include "NativeObjectCells.h"

// The DateTime in the cell at `cell`; a null reference or an empty cell raises
// NullPointerException "NULL pointer".
inline Kestro::DateTime& dateTimeIn(NativeCall& call, TVMAddress cell) {
    return objectInCell<Kestro::DateTime>(call, cell, "not a DateTime");
}

// DateTimeCreate.cpp: a new DateTime (now, a copy, from fields) stored into a target cell.
void storeNow(NativeCall& call, TInt32);
void storeCopy(NativeCall& call, TInt32);
void storeFromFields(NativeCall& call, TInt32);
// System 9: a new DateTime of the current time in the zone on top of the stack (0 local,
// 1 UTC), in a new cell.
void answerCurrentDateTime(NativeCall& call, TInt32);

// The fields, in the order of the getters' and the setters' constants.
enum DateTimeField : TInt32 { EDay, EMonth, EYear, EHour, EMinute, ESecond, ETimezone };

// DateTimeChange.cpp: moving by a duration (the constant is 1 forwards, -1 backwards) and
// setting a field, in place.
void moveByDuration(NativeCall& call, TInt32 direction);
void setDateTimeField(NativeCall& call, TInt32 field);

// DateTimeQuery.cpp: a field or the text form, in place of the DateTime operand.
void answerDateTimeField(NativeCall& call, TInt32 field);
void answerDateTimeText(NativeCall& call, TInt32);

// Whether two references satisfy `Holds` (std::equal_to<> or std::not_equal_to<>), 1 or 0.
template <class Holds> void compareReferences(NativeCall& call, TInt32) {
    const TVMAddress b = call.word();
    const TVMAddress a = call.word();
    call.answer(Holds{}(a, b) ? 1 : 0);
}

// Whether the order of two instants (across zones; -1, 0 or 1) satisfies `Holds` against 0
// (std::less<> and the like), 1 or 0.
template <class Holds> void compareInstants(NativeCall& call, TInt32) {
    const TVMAddress b = call.word();
    const TVMAddress a = call.word();
    call.answer(Holds{}(dateTimeIn(call, a).compare(dateTimeIn(call, b)), 0) ? 1 : 0);
}
