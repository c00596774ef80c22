// Operand helpers shared by the string natives. Without a flag operand a search ignores
// case; with one, a non-zero flag compares code units exactly.
#pragma once

#include "NativeCall.h"

// A range operand as a text range; a negative first index raises RangeException.
TextRange textRange(NativeCall& call);
// The whole string when the variant has no range operand.
TextRange optionalRange(NativeCall& call, bool hasRange);
// The case rule: the flag operand when the variant has one, otherwise ignoring case.
bool caseRule(NativeCall& call, bool hasFlag);
// A string operand, or a character operand as a string of one character.
OString textOrUnit(NativeCall& call, bool isUnit);
// The substring of a range operand of a string operand (7, 150, 153): with a negative
// length, a first index at or past the end gives the empty string.
OString substringOperand(NativeCall& call);
// Whether the range stands for the empty range (0, -1) in the string.
bool isEmptyRange(TextRange range, const OString& text);

// The operands of the search, count and remove families:
// variant bit 0: a range follows the pattern; bit 1: a flag comes last; bit 2: the
// pattern is a character.
struct PatternOperands {
    OString& text;
    OString pattern;
    TextRange range;
    bool caseSensitive;
};
PatternOperands patternOperands(NativeCall& call, TInt32 variant);

TUint32 truth(bool value);
TUint32 signOf(TInt64 value);
