// The handlers of the fixed-point native group 11, by family; FixedNatives.cpp lists them.
#pragma once

#include "FixedOperands.h"

// FixedConvert.cpp: fixed values from a variable, a byte (the low 8 bits of its slot,
// signed) or an int, and ints from fixed values.
void loadFixedVariable(NativeCall& call, TInt32);
void fixedFromByte(NativeCall& call, TInt32);
void fixedFromInt(NativeCall& call, TInt32);
void roundFixed(NativeCall& call, TInt32);
void ceilingOfFixed(NativeCall& call, TInt32);
void floorOfFixed(NativeCall& call, TInt32);

// FixedArithmetic.cpp: saturating arithmetic on values and on variables in place. The
// handlers that take two operands get the operation as their constant.
enum FixedOperation : TInt32 { EAdd, ESubtract, EMultiply, EDivide, EPower };
void absoluteFixed(NativeCall& call, TInt32);
void negateFixed(NativeCall& call, TInt32);
void calculateFixeds(NativeCall& call, TInt32 operation);
// The variable and a value.
void calculateFixedVariable(NativeCall& call, TInt32 operation);
// The variable and 1.0.
void stepFixedVariable(NativeCall& call, TInt32 operation);

// Signed comparisons of the raw values with `Holds` (std::less<> and the like), 1 or 0.
template <class Holds> void compareFixeds(NativeCall& call, TInt32) {
    const OFixed b = fixedOperand(call);
    const OFixed a = fixedOperand(call);
    call.answer(Holds{}(a, b) ? 1 : 0);
}

// FixedText.cpp: text to fixed, and fixed variables to text.
void parseFixed(NativeCall& call, TInt32);
void fixedVariableToText(NativeCall& call, TInt32);
void fixedVariableToExactText(NativeCall& call, TInt32);
