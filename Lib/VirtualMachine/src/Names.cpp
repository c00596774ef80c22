#include "GcCodes.h"
#include "NativeGroups.h"

const char* gcCodeName(TInt32 code) {
    switch (code) {
#define KESTRO_GC_CODE_CASE(value, name, text)                                                     \
    case value: return text;
        KESTRO_GC_CODES(KESTRO_GC_CODE_CASE)
#undef KESTRO_GC_CODE_CASE
    default: return nullptr;
    }
}

NativeGroupInfo nativeGroupInfo(TInt32 group) {
    switch (group) {
#define KESTRO_NATIVE_GROUP_CASE(number, name, prefix)                                             \
    case number: return {name, prefix};
        KESTRO_NATIVE_GROUPS(KESTRO_NATIVE_GROUP_CASE)
#undef KESTRO_NATIVE_GROUP_CASE
    default: return {};
    }
}
