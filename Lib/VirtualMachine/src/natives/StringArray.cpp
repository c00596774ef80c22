#include "StringArray.h"

#include "OVector.h"
#include "ScopedRoot.h"

namespace {

constexpr TInt32 kReferenceBytes = 4;

} // namespace

TVMAddress newStringArray(NativeCall& call, const std::vector<OString>& texts) {
    VMHeap& heap = call.heap();
    const TVMAddress variable =
        OVector::createInVariable(heap, kReferenceBytes, GC_CODE_OBJECT_ARRAY_REF);
    const ScopedRoot keep(heap, variable);
    OVector array(heap, call.memory().load32(variable));
    array.splice(0, 0, std::vector<TUint8>(texts.size() * kReferenceBytes));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const TVMAddress cell = call.newString(texts[i]);
        call.memory().store32(array.elementAddress(static_cast<TInt32>(i)), cell);
    }
    return variable;
}
