// The hash native group 34: Hash objects that digest the bytes added to them, and digests
// of a byte array at once. Digests are new byte arrays.
#include "Hash.h"
#include "NativeObjectCells.h"
#include "VirtualMachine.h"
#include "vector/ArrayCall.h"

#include <memory>

namespace {

Hash& hashIn(NativeCall& call, TVMAddress cell) {
    return objectInCell<Hash>(call, cell, "not a Hash");
}

} // namespace

void VirtualMachine::hashNative(TInt32 function) {
    ArrayCall<ByteElement> call(NativeCall(*this, 34), ETrue);
    switch (function) {
    case 1: {
        const TInt32 kind = call.integer();
        storeInCell(call, call.word(), std::make_unique<Hash>(kind), GC_CODE_HASH);
        return call.pop();
    }
    case 2: {
        const TInt32 kind = call.integer();
        const std::vector<TUint8> bytes = allBytesOf(call.array());
        return call.answer(OVector::createByteArray(heap, Hash::digestOf(bytes, kind)));
    }
    case 3: {
        const std::vector<TUint8> bytes = allBytesOf(call.array());
        hashIn(call, call.word()).add(bytes);
        return call.pop();
    }
    case 4: return call.answer(OVector::createByteArray(heap, hashIn(call, call.word()).digest()));
    default: unknownNativeFunction("Hash:");
    }
}
