// The handlers of the string natives, by family, as the group's table lists them. Where
// several functions share a handler, the constant is the variant within the family, whose
// bits name the operands the function has (see each family); for the edits that take a
// string or a character, it is 1 for the character.
#pragma once

#include "TextOperands.h"

namespace StringNatives {

// A new string stored into a destination cell.
void setEmpty(NativeCall& call, TInt32);
void setCopy(NativeCall& call, TInt32);
void setFilled(NativeCall& call, TInt32);
void setSubstring(NativeCall& call, TInt32);
void setEveryNth(NativeCall& call, TInt32);
void setEveryNthInRange(NativeCall& call, TInt32);

// Queries.
void length(NativeCall& call, TInt32);
void isEmpty(NativeCall& call, TInt32);
void charAt(NativeCall& call, TInt32);
void firstChar(NativeCall& call, TInt32);
void lastChar(NativeCall& call, TInt32);
void find(NativeCall& call, TInt32);
void startsOrEndsWith(NativeCall& call, TInt32 variant);

// Searching and counting.
void indexOf(NativeCall& call, TInt32 variant);
void lastIndexOf(NativeCall& call, TInt32 variant);
void count(NativeCall& call, TInt32 variant);
void searchRangeFirst(NativeCall& call, TInt32 variant);

// The most frequent character.
void mostFrequent(NativeCall& call, TInt32 variant);

// New strings as results.
void concatenated(NativeCall& call, TInt32);
void repeated(NativeCall& call, TInt32);
void fromInt(NativeCall& call, TInt32);
void fromIntInRadix(NativeCall& call, TInt32);
void substring(NativeCall& call, TInt32);
void substringReference(NativeCall& call, TInt32);

// Splitting into an array of strings.
void split(NativeCall& call, TInt32 variant);

// Editing in place.
void insert(NativeCall& call, TInt32 isUnit);
void insertPart(NativeCall& call, TInt32);
void prepend(NativeCall& call, TInt32 isUnit);
void append(NativeCall& call, TInt32 isUnit);
void repeat(NativeCall& call, TInt32);
void replaceRange(NativeCall& call, TInt32 isUnit);
void removeAt(NativeCall& call, TInt32);
void removeRange(NativeCall& call, TInt32);
void dropFirst(NativeCall& call, TInt32);
void dropFirstN(NativeCall& call, TInt32);
void dropLast(NativeCall& call, TInt32);
void dropLastN(NativeCall& call, TInt32);
void clear(NativeCall& call, TInt32);
void trimStart(NativeCall& call, TInt32);
void trimEnd(NativeCall& call, TInt32);
void trim(NativeCall& call, TInt32);
void makeLowerCase(NativeCall& call, TInt32);
void makeUpperCase(NativeCall& call, TInt32);
void insertOrReplace(NativeCall& call, TInt32);
void insertOrReplacePart(NativeCall& call, TInt32);

// Replacing and removing occurrences.
void replaceFirst(NativeCall& call, TInt32 variant);
void replaceLast(NativeCall& call, TInt32 variant);
void replaceAll(NativeCall& call, TInt32 variant);
void replaceAllRangeFirst(NativeCall& call, TInt32 variant);
void removeFirst(NativeCall& call, TInt32 variant);
void removeLast(NativeCall& call, TInt32 variant);
void removeAll(NativeCall& call, TInt32 variant);

// Characters and numbers.
void charToLower(NativeCall& call, TInt32);
void charToUpper(NativeCall& call, TInt32);
void isLetter(NativeCall& call, TInt32);
void isDigit(NativeCall& call, TInt32);
void isSpace(NativeCall& call, TInt32);
void parseInt(NativeCall& call, TInt32);
void parseIntInRadix(NativeCall& call, TInt32);

// Comparison.
void compare(NativeCall& call, TInt32 variant);
void equals(NativeCall& call, TInt32 variant);
void equalsExactly(NativeCall& call, TInt32);
void notEqualsExactly(NativeCall& call, TInt32);
void lessExactly(NativeCall& call, TInt32);
void lessOrEqualExactly(NativeCall& call, TInt32);
void greaterExactly(NativeCall& call, TInt32);
void greaterOrEqualExactly(NativeCall& call, TInt32);

} // namespace StringNatives
