// The hash native group 34: Hash objects that digest the bytes added to them, and digests
// of a byte array at once. Digests are new byte arrays.
#include "Hash.h"
#include "NativeGroups.h"
#include "NativeObjectCells.h"
#include "vector/ArrayCall.h"

#include <memory>

namespace {

Hash& hashIn(NativeCall& call, TVMAddress cell) {
    return objectInCell<Hash>(call, cell, "not a Hash");
}

void create(NativeCall& call, TInt32) {
    const TInt32 kind = call.integer();
    storeInCell(call, call.word(), std::make_unique<Hash>(kind), GC_CODE_HASH);
    call.pop();
}

void digestOf(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    const TInt32 kind = call.integer();
    const std::vector<TUint8> bytes = allBytesOf(call.array());
    call.answer(OVector::createByteArray(call.heap(), Hash::digestOf(bytes, kind)));
}

void add(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    const std::vector<TUint8> bytes = allBytesOf(call.array());
    hashIn(call, call.word()).add(bytes);
    call.pop();
}

void digest(NativeCall& call, TInt32) {
    call.answer(OVector::createByteArray(call.heap(), hashIn(call, call.word()).digest()));
}

constexpr NativeFunction kFunctions[] = {
    {1, "create", create},
    {2, "digestOf", digestOf},
    {3, "add", add},
    {4, "digest", digest},
};

} // namespace

constinit const NativeTable kHashNatives{kFunctions};
