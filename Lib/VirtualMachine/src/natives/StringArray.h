// A new array of new strings, as the natives answer a list of texts (split pieces, the
// names in a directory).
#pragma once

#include "ErrorHandling.h"
#include "NativeCall.h"
#include "OVector.h"
#include "ScopedRoot.h"

#include <utility>
#include <vector>

// A new object array of `count` new strings held by a new array variable; returns the
// variable. fill(add) must call add(text) once for each element, in order. The variable
// is a root while the strings are made, and each string is in the array before the next
// allocation.
template <class Fill> TVMAddress newStringArray(NativeCall& call, TInt32 count, Fill fill) {
    constexpr TInt32 kReferenceBytes = 4;
    VMHeap& heap = call.heap();
    const TVMAddress variable =
        OVector::createInVariable(heap, kReferenceBytes, GC_CODE_OBJECT_ARRAY_REF);
    const ScopedRoot keep(heap, variable);
    OVector array(heap, call.memory().load32(variable));
    OVector::requireStorable(count, kReferenceBytes);
    array.splice(0, 0, std::vector<TUint8>(static_cast<std::size_t>(count) * kReferenceBytes));
    TInt32 next = 0;
    fill([&](OString text) {
        const TVMAddress cell = call.newString(std::move(text));
        call.memory().store32(array.elementAddress(next++), cell);
    });
    KESTRO_ASSERT(next == count);
    return variable;
}

// The same for a list of texts, in order.
TVMAddress newStringArray(NativeCall& call, const std::vector<OString>& texts);
