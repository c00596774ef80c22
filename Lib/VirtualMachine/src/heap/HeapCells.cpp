#include "HeapCells.h"

#include "GcCodes.h"
#include "ScopedRoot.h"
#include "VMHeap.h"

#include <memory>
#include <utility>

TVMAddress newCell(VMHeap& heap, TUint32 value) {
    const ScopedRoot keep(heap, heap.isBlockInUse(headerOf(value)) ? value : 0);
    const TVMAddress cell = heap.allocateBytes(4, GC_CODE_NATIVE_REF);
    heap.memory().store32(cell, value);
    return cell;
}

TVMAddress newStringCell(VMHeap& heap, OString text) {
    return heap.allocateNativeWithCell(std::make_unique<OString>(std::move(text)), GC_CODE_STRING)
        .second;
}
