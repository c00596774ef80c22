// The number native group 27: absolute values of bytes and ints, and ints in a radix.
#include "NativeCall.h"
#include "NativeGroups.h"

namespace {

TInt32 saturatingAbs(TInt32 value) {
    if (value >= 0) return value;
    return value == INT32_MIN ? INT32_MAX : -value;
}

// The byte is the low 8 bits of the slot, signed.
void absByte(NativeCall& call, TInt32) {
    call.answer(saturatingAbs(static_cast<TInt8>(call.word())));
}

void absInt(NativeCall& call, TInt32) {
    call.answer(saturatingAbs(call.integer()));
}

// The value as unsigned; a radix outside 2 to 36 gives the empty string.
void toStringInRadix(NativeCall& call, TInt32) {
    const TInt32 radix = call.integer();
    call.answer(call.newString(OString::numberInRadix(call.word(), radix)));
}

constexpr NativeFunction kFunctions[] = {
    {1, "absByte", absByte},
    {2, "absInt", absInt},
    {3, "toStringInRadix", toStringInRadix},
};

} // namespace

constinit const NativeTable kNumberNatives{kFunctions};
