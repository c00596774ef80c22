#include "NativeGroups.h"

#include "ErrorHandling.h"

#include <array>

constinit const NativeTable kNoNatives{};

namespace {

constexpr TInt32 kGroupSlots = 37; // group numbers 0 to 36
constexpr TInt32 kFunctionSlots = 256;

// Every group's functions by number, so that a call finds its handler with one look-up.
class Directory {
public:
    Directory() {
        for (TInt32 group = 0; group < kGroupSlots; ++group) {
            for (const NativeFunction& function : nativeGroupInfo(group).functions) {
                KESTRO_ASSERT(function.number >= 0 && function.number < kFunctionSlots);
                const NativeFunction*& slot = slots[group][function.number];
                KESTRO_ASSERT(slot == nullptr);
                slot = &function;
            }
        }
    }

    const NativeFunction* find(TInt32 group, TInt32 function) const {
        if (static_cast<TUint32>(group) >= static_cast<TUint32>(kGroupSlots)) return nullptr;
        return slots[group][function & 0xFF];
    }

private:
    std::array<std::array<const NativeFunction*, kFunctionSlots>, kGroupSlots> slots{};
};

const Directory directory;

} // namespace

NativeGroupInfo nativeGroupInfo(TInt32 group) {
    switch (group) {
#define KESTRO_NATIVE_GROUP_CASE(number, name, prefix, suffix, table)                              \
    case number: return {name, prefix, UnknownFunctionSuffix::suffix, table};
        KESTRO_NATIVE_GROUPS(KESTRO_NATIVE_GROUP_CASE)
#undef KESTRO_NATIVE_GROUP_CASE
    default: return {};
    }
}

void nothing(NativeCall&, TInt32) {}

const NativeFunction* findNative(TInt32 group, TInt32 function) {
    return directory.find(group, function);
}

const NativeFunction* findNativeNamed(TInt32 group, std::string_view name) {
    for (const NativeFunction& function : nativeGroupInfo(group).functions)
        if (name == function.name) return &function;
    return nullptr;
}
