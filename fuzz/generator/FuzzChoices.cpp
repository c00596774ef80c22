#include "FuzzChoices.h"

namespace {

constexpr TUint32 kInteresting[] = {
    0,          1,          2,          3,          4,          5,          7,          8,
    15,         16,         31,         32,         33,         63,         64,         100,
    127,        128,        255,        256,        1000,       0x7FFF,     0x8000,     0xFFFF,
    0x10000,    0x10004,    0x3FFFFFF0, 0x3FFFFFFF, 0x40000000, 0x7FFFFFFF, 0x80000000, 0x80000001,
    0xFFFF0000, 0xFFFFFF80, 0xFFFFFFFC, 0xFFFFFFFE, 0xFFFFFFFF,
};

} // namespace

TUint32 FuzzChoices::interestingWord() {
    switch (index(4)) {
    case 0: return static_cast<TUint32>(number(0, 20));
    case 1: return word();
    default: return from(std::span<const TUint32>(kInteresting));
    }
}
