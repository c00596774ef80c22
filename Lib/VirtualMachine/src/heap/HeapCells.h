// Cells: one-word GC_CODE_NATIVE_REF blocks through which the application holds strings
// and other objects.
#pragma once

#include "AddressSpace.h"
#include "OString.h"
#include "Types.h"

class VMHeap;

// A new cell holding `value`, which may be an object held nowhere else: it stays rooted
// while the cell is made.
TVMAddress newCell(VMHeap& heap, TUint32 value);
// A new string object and its cell, made as one paired allocation; returns the cell.
TVMAddress newStringCell(VMHeap& heap, OString text);
