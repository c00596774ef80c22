// Long operands: a long is a reference to an 8-byte block holding the value, low word
// first. A null reference raises NullPointerException.
#pragma once

#include "NativeCall.h"

// A long operand: its reference and its value.
struct LongOperand {
    TVMAddress reference;
    TInt64 value;
};

LongOperand longOperand(NativeCall& call);
// Changes the value of the long that `reference` refers to.
void storeLong(NativeCall& call, TVMAddress reference, TInt64 value);
// A new long object holding `value`; returns its reference.
TVMAddress newLong(NativeCall& call, TInt64 value);
