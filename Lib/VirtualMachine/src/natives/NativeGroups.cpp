#include "NativeGroups.h"

NativeGroupInfo nativeGroupInfo(TInt32 group) {
    switch (group) {
#define KESTRO_NATIVE_GROUP_CASE(number, name, prefix)                                             \
    case number: return {name, prefix};
        KESTRO_NATIVE_GROUPS(KESTRO_NATIVE_GROUP_CASE)
#undef KESTRO_NATIVE_GROUP_CASE
    default: return {};
    }
}
