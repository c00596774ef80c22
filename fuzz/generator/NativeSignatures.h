// The operands of the native functions, so that generated calls pass operands of the
// kinds a function reads, most of the time. A signature lists them in the order they are
// pushed, one letter each:
//   s  a string (its cell)          c  a character          i  an int
//   f  a flag (0 or 1)              r  a range (first, length: two ints)
//   a  an array of the group's kind b  a byte array         e  an element of the group's kind
//   l  a long                       x  a fixed value (two slots)
//   y  a float                      v  the address of up to four words the native reads or
//                                      writes (a range, a fixed value, a colour, a rectangle)
//   h  the address of a word that holds a native object (date, hash, stream holder)
//   o  an object
#pragma once

// The signature of the function, or null when it takes nothing this table knows of.
const char* nativeSignature(int group, int function);
