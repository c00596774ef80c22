// Native objects behind cells. The application holds a date, a hash and the like as a
// reference to a cell (a GC_CODE_NATIVE_REF block) whose word is the address of the
// object's block; the object itself lives in host memory, owned by the heap. A call is a
// NativeCall or an ExtensionCall: anything with heap() and memory().
#pragma once

#include "ErrorHandling.h"
#include "GCObject.h"
#include "GcCodes.h"
#include "NativeCall.h"

#include <memory>

// The object of type T in the cell at `cell`. A null reference, or a cell that holds no
// object yet, raises NullPointerException "NULL pointer"; any other object raises
// VMException with `wrongKind`.
template <class T, class Call> T& objectInCell(Call& call, TVMAddress cell, const char* wrongKind) {
    const TVMAddress object = call.memory().load32(cell);
    if (object == 0) throwError(ENullPointer, "NULL pointer");
    auto* found = call.heap().template nativeObjectOf<T>(object);
    if (!found) throwError(EVMException, wrongKind);
    return *found;
}

// The reference itself; null raises NullPointerException "NULL pointer".
inline TVMAddress nonNull(TVMAddress reference) {
    if (reference == 0) throwError(ENullPointer, "NULL pointer");
    return reference;
}

// Gives the object a block of its own and stores the block's address in the cell at
// `cell`; a null reference raises NullPointerException before anything is made.
template <class Call>
void storeInCell(Call& call, TVMAddress cell, std::unique_ptr<GCObject> object, GcCode code) {
    nonNull(cell);
    const TVMAddress block = call.heap().allocateNative(std::move(object), code);
    call.memory().store32(cell, block);
}
