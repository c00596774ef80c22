// Cells: one-word GC_CODE_NATIVE_REF blocks through which the application holds strings
// and other objects.
#pragma once

#include "AddressSpace.h"
#include "ErrorHandling.h"
#include "OString.h"
#include "Types.h"
#include "VMHeap.h"

// A new cell holding `value`, which may be an object held nowhere else: it stays rooted
// while the cell is made.
TVMAddress newCell(VMHeap& heap, TUint32 value);
// The string in the cell at `cell`; null raises NullPointerException "NULL pointer", a
// cell holding no string VMException "not a string". Null holds no native object, so it
// is told apart only once the look-up has failed.
inline OString& stringInCell(VMHeap& heap, TVMAddress cell) {
    const TVMAddress object = heap.memory().load32(cell);
    auto* text = heap.nativeObjectOf<OString>(object);
    if (!text) [[unlikely]] {
        if (object == 0) throwError(ENullPointer, "NULL pointer");
        throwError(EVMException, "not a string");
    }
    return *text;
}
// The same, or null where that raises an error.
inline const OString* stringInCellOrNull(const VMHeap& heap, TVMAddress cell) {
    if (!heap.memory().contains(cell, 4)) return nullptr;
    return heap.nativeObjectOf<OString>(heap.memory().load32(cell));
}
// A new string object and its cell, made as one paired allocation; returns the cell.
TVMAddress newStringCell(VMHeap& heap, OString text);
