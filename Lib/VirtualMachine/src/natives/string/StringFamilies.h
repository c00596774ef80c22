// The families of the string natives. Each handles the function numbers of its family
// (0 to 255) and answers false for any other number.
#pragma once

#include "TextOperands.h"

// 1, 2, 4, 5, 7, 8, 9: a new string stored into a destination cell.
bool createString(NativeCall& call, TInt32 number);
// 48, 49, 134, 135, 150, 153: new strings as results.
bool makeString(NativeCall& call, TInt32 number);
// 10 to 16, 44 to 47: length, characters, find, prefix and suffix.
bool queryString(NativeCall& call, TInt32 number);
// 17 to 31, 36 to 43, 155 to 158: index of, last index of, count.
bool searchString(NativeCall& call, TInt32 number);
// 32 to 35: the most frequent character.
bool findMostFrequent(NativeCall& call, TInt32 number);
// 50 to 53: split into an array of strings.
bool splitString(NativeCall& call, TInt32 number);
// 57 to 68, 93, 94, 119 to 128, 151, 152, 154: editing in place.
bool editString(NativeCall& call, TInt32 number);
// 69 to 92, 95 to 118, 159, 160: replacing and removing occurrences.
bool replaceInString(NativeCall& call, TInt32 number);
// 129 to 137: characters and numbers.
bool convertCharacters(NativeCall& call, TInt32 number);
// 138 to 149: comparison.
bool compareStrings(NativeCall& call, TInt32 number);
