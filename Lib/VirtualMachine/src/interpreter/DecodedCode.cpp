#include "DecodedCode.h"

#include "LittleEndian.h"
#include "Opcodes.h"

#include <algorithm>
#include <optional>

namespace {

// A target inside the code, or -1.
TInt32 checkedTarget(TInt64 target, TUint32 codeSize) {
    return target >= 0 && target < static_cast<TInt64>(codeSize) ? static_cast<TInt32>(target) : -1;
}

// A position that still fits 32 bits, or the most negative value (never a valid one).
TInt32 clampedPosition(TInt64 position) {
    return position >= INT32_MIN && position <= INT32_MAX ? static_cast<TInt32>(position)
                                                          : INT32_MIN;
}

TInt32 operandValue(OperandKind kind, const TUint8* bytes, TInt64 position, TUint32 codeSize) {
    switch (kind) {
    case OperandKind::Int8:
    case OperandKind::GcCode:
    case OperandKind::NativeGroup:
    case OperandKind::NativeFunction: return static_cast<TInt8>(bytes[0]);
    case OperandKind::Branch16:
        return checkedTarget(position + 2 + static_cast<TInt16>(readLittleEndian16(bytes)),
                             codeSize);
    case OperandKind::Branch32:
        return checkedTarget(position + 4 + static_cast<TInt32>(readLittleEndian32(bytes)),
                             codeSize);
    case OperandKind::HandlerOffset:
        return clampedPosition(
            handlerPosition(position, static_cast<TInt32>(readLittleEndian32(bytes))));
    case OperandKind::CodeOffset: return checkedTarget(readLittleEndian32(bytes), codeSize);
    default: return static_cast<TInt32>(readLittleEndian32(bytes));
    }
}

DecodedOp decodeAt(const std::vector<TUint8>& code, TUint32 codeSize, TUint32 position) {
    DecodedOp op;
    op.opcode = code[position];
    op.position = static_cast<TInt32>(position);
    const OpcodeInfo& info = opcodeInfo(op.opcode);
    // Operands of an instruction that starts in the padding would run past the array.
    if (position + info.operandBytes >= code.size()) return op;
    TInt32* fields[] = {&op.a, &op.b, &op.c};
    const TUint8* bytes = code.data() + position + 1;
    for (int i = 0; i < info.operandCount; ++i) {
        const OperandKind kind = info.operands[static_cast<std::size_t>(i)];
        *fields[i] = operandValue(kind, bytes, position, codeSize);
        bytes += operandWidth(kind);
    }
    if (info.operands[0] == OperandKind::Int64)
        op.b = static_cast<TInt32>(readLittleEndian32(code.data() + position + 5));
    return op;
}

bool isJump(const DecodedOp& op) {
    return op.opcode == static_cast<TUint8>(Opcode::Branch) ||
           op.opcode == static_cast<TUint8>(Opcode::BranchWide);
}

// Up to ten instructions in the order they run from a start, each lying wholly within
// the code. An unconditional jump after the first instruction (which cannot fail when its
// target lies in the code) is taken, not listed: the instructions at its target follow,
// so that a loop's step and the test it jumps back to make one sequence.
class Window {
public:
    Window(const std::vector<DecodedOp>& plain, TUint32 codeSize, TUint32 start) {
        TUint32 next = start;
        int jumps = 0;
        while (count < kMost) {
            if (next >= codeSize) break;
            const DecodedOp& op = plain[next];
            if (count > 0 && isJump(op) && op.a >= 0) {
                // A loop of jumps never ends the window otherwise.
                if (++jumps > kMost) break;
                next = static_cast<TUint32>(op.a);
                continue;
            }
            next += static_cast<TUint32>(instructionLength(op.opcode));
            if (next > codeSize) break;
            ops[count] = &op;
            ends[count++] = next;
        }
    }
    // Whether instruction i exists and has one of the opcodes.
    bool is(int i, std::initializer_list<Opcode> opcodes) const {
        if (i >= count) return false;
        for (Opcode opcode : opcodes)
            if (ops[i]->opcode == static_cast<TUint8>(opcode)) return true;
        return false;
    }
    // The index of instruction i's opcode in a list, if it is there.
    template <std::size_t N> std::optional<int> indexIn(int i, const Opcode (&list)[N]) const {
        for (std::size_t k = 0; k < N; ++k)
            if (is(i, {list[k]})) return static_cast<int>(k);
        return std::nullopt;
    }
    // Instruction i is a jz with a target inside the code.
    bool isBranchIfZero(int i) const {
        return is(i, {Opcode::BranchIfZero, Opcode::BranchIfZeroWide}) && ops[i]->a >= 0;
    }
    // Instruction i, once `is` or `isBranchIfZero` has shown that it exists.
    const DecodedOp& operator[](int i) const { return *ops[i]; }
    // The code position just after the first n instructions: where they continue.
    TInt32 end(int n) const { return static_cast<TInt32>(ends[n - 1]); }
    // The same instructions from instruction n on.
    Window from(int n) const {
        Window rest = *this;
        rest.count = std::max(count - n, 0);
        std::copy(ops + n, ops + n + rest.count, rest.ops);
        std::copy(ends + n, ends + n + rest.count, rest.ends);
        return rest;
    }

private:
    static constexpr int kMost = 10;
    const DecodedOp* ops[kMost] = {};
    TUint32 ends[kMost] = {};
    int count = 0;
};

#define KESTRO_OPCODE_OF(unused, name) Opcode::name,
constexpr Opcode kComparisons[] = {KESTRO_FUSED_COMPARISONS(KESTRO_OPCODE_OF, )};
constexpr Opcode kOperations[] = {KESTRO_FUSED_OPERATIONS(KESTRO_OPCODE_OF, )};
constexpr Opcode kDivisions[] = {KESTRO_FUSED_DIVISIONS(KESTRO_OPCODE_OF, )};
constexpr Opcode kConstantOperations[] = {KESTRO_FUSED_CONSTANT_OPERATIONS(KESTRO_OPCODE_OF, )};
#undef KESTRO_OPCODE_OF
constexpr int kKindsPerComparison = 0 KESTRO_FUSED_COMPARE_KINDS(KESTRO_ONE_FUSED_KIND, );
constexpr int kKindsPerOperation = 0 KESTRO_FUSED_OPERATE_KINDS(KESTRO_ONE_FUSED_KIND, );
constexpr int kKindsPerDivision = 0 KESTRO_FUSED_DIVIDE_KINDS(KESTRO_ONE_FUSED_KIND, );
constexpr int kFirstOperationKind = kKindsPerComparison * static_cast<int>(std::size(kComparisons));

struct Fusion {
    FusedKind kind;
    int instructions;
    TInt32 a = 0, b = 0, c = 0;
    // Where a call continues; other sequences continue after their last instruction.
    std::optional<TInt32> target = std::nullopt;
    // Where a sequence that ends with jz goes when the value is zero.
    std::optional<TInt32> branch = std::nullopt;
    // A loop's step spelled out (see loopStep).
    bool leavesStep = false;
};

constexpr FusedKind comparisonKind(int comparison, int form) {
    return static_cast<FusedKind>(comparison * kKindsPerComparison + form);
}
constexpr FusedKind operationKind(int operation, int form) {
    return static_cast<FusedKind>(kFirstOperationKind + operation * kKindsPerOperation + form);
}
constexpr FusedKind divisionKind(int division, int form) {
    return static_cast<FusedKind>(EPickConstDiv + division * kKindsPerDivision + form);
}
// The kinds of each family follow each other in the list, the comparisons' first.
static_assert(comparisonKind(0, 0) == EPickConstEqualBranch);
static_assert(comparisonKind(1, 3) == EStepLessBranch);
static_assert(comparisonKind(1, 4) == EPickSizeLessBranch);
static_assert(comparisonKind(1, 6) == EStrideSizeLessBranch);
static_assert(comparisonKind(1, 7) == EStoreStepSizeLessBranch);
static_assert(comparisonKind(1, 8) == EBranchStepSizeLessBranch);
static_assert(comparisonKind(1, 9) == EConstLessBranch);
static_assert(comparisonKind(1, 10) == ECountedLessBranch);
static_assert(comparisonKind(1, 11) == EPickLessBranch);
static_assert(comparisonKind(1, 12) == ESlotWordLessBranch);
static_assert(comparisonKind(1, 13) == EPickedWordLessBranch);
static_assert(operationKind(0, 0) == EPickConstAdd);
static_assert(operationKind(1, 2) == EPushPickConstSub);
static_assert(operationKind(1, 3) == EPickSub);
static_assert(operationKind(1, 4) == EPickPickSub);
static_assert(operationKind(1, 5) == EConstSubStore);
static_assert(operationKind(1, 6) == ESlotPickPickSub);
static_assert(operationKind(1, 7) == ESlotPickConstSub);
static_assert(divisionKind(1, 1) == EConstRem);
static_assert(divisionKind(1, 2) == EConstRemStore);
static_assert(divisionKind(1, 3) == ESlotPickConstRem);
// fuseIndexedElement's kinds: each address kind followed by its element kind, then the
// same of a scaled index.
static_assert(ESlotScaledIndexedElementLoad == ESlotIndexedElementAddress + 3);
static_assert(EPickedScaledIndexedElementLoad == EPickedIndexedElementAddress + 3);

// Two slot offsets of one byte in one operand, the first in the low half.
TInt32 offsetPair(TInt32 low, TInt32 high) {
    return static_cast<TInt32>((static_cast<TUint32>(high) << 16) |
                               (static_cast<TUint32>(low) & 0xFFFFu));
}

// The array groups, by the bytes of their elements: a byte, one to four words, and an
// object reference.
constexpr TInt32 kObjectArrayGroup = 7;
TInt32 elementBytes(TInt32 group) {
    switch (group) {
    case 1: return 1;
    case 3: return 4;
    case 4: return 8;
    case 5: return 12;
    case 6: return 16;
    case kObjectArrayGroup: return 4;
    default: return 0;
    }
}

// The array and string functions that compiled code calls for each element and each loop,
// by their numbers in their groups.
constexpr TInt32 kElementReference = 6;
constexpr TInt32 kElementAddress = 7;
constexpr TInt32 kElementValue = 8;
constexpr TInt32 kArraySize = 11;
constexpr TInt32 kStringLength = 10;
constexpr TInt32 kStringCharAt = 12;
constexpr TInt32 kStringGroup = 8;

// What an array native that compiled code calls for each element and each loop answers:
// an element's address, the element itself (of an object array), an element's slots, or
// the array's size.
enum class ArrayAnswer { Address, Element, Slots, Size };
struct ArrayNative {
    ArrayAnswer answer;
    TInt32 bytes; // of an element
};

// Instruction i as such a native call, if it is one.
std::optional<ArrayNative> arrayNative(const Window& w, int i) {
    if (!w.is(i, {Opcode::Native})) return std::nullopt;
    const TInt32 bytes = elementBytes(w[i].a);
    const TInt32 function = w[i].b;
    const bool objects = w[i].a == kObjectArrayGroup;
    if (bytes == 0) return std::nullopt;
    if (function == (objects ? kElementAddress : kElementReference))
        return ArrayNative{ArrayAnswer::Address, bytes};
    if (objects && (function == kElementReference || function == kElementValue))
        return ArrayNative{ArrayAnswer::Element, bytes};
    if (function == kElementValue) return ArrayNative{ArrayAnswer::Slots, bytes};
    if (function == kArraySize) return ArrayNative{ArrayAnswer::Size, bytes};
    return std::nullopt;
}

// The kind of an element's entry: that of the word arrays (4-byte elements, which spare
// the entry the tests of a narrower element) or that of any array.
FusedKind byWidth(TInt32 bytes, FusedKind anyArray, FusedKind wordArray) {
    return bytes == 4 ? wordArray : anyArray;
}

// Instructions i and i + 1 as push c or pick c, then store: a value stored into the
// element whose address comes before them.
struct StoredValue {
    bool picked;
    TInt32 operand; // the constant, or the offset of the slot picked
};
std::optional<StoredValue> storedValue(const Window& w, int i) {
    if (!w.is(i + 1, {Opcode::Store, Opcode::StoreAlt})) return std::nullopt;
    if (w.is(i, {Opcode::Push})) return StoredValue{false, w[i].a};
    if (w.is(i, {Opcode::Pick, Opcode::PickWide})) return StoredValue{true, w[i].a};
    return std::nullopt;
}

// The array natives; an element's address may be loaded from, or stored into, at once.
std::optional<Fusion> fuseArrayNative(const Window& w, ArrayNative native) {
    switch (native.answer) {
    case ArrayAnswer::Address:
        if (w.is(1, {Opcode::Load}))
            return Fusion{byWidth(native.bytes, EElementLoad, EWordLoad), 2, native.bytes};
        if (const auto value = storedValue(w, 1))
            return Fusion{value->picked ? EElementStorePick : EElementStoreConst, 3, native.bytes,
                          value->operand};
        return Fusion{EElementAddress, 1, native.bytes};
    case ArrayAnswer::Element:
        return Fusion{byWidth(native.bytes, EElementLoad, EWordLoad), 1, native.bytes};
    case ArrayAnswer::Slots: return Fusion{EElementValue, 1, native.bytes};
    case ArrayAnswer::Size: return Fusion{EArraySize, 1, native.bytes};
    }
    return std::nullopt;
}

// An entry's element bytes in the low byte of one operand and, above it, the least stack
// top at which the deepest of the slots it names (offsets from top + 1) lies in the stack,
// when they all lie at or below the top and that top fits: one comparison then keeps them
// all in the stack, and none of them is one that the sequence writes above the top.
std::optional<TInt32> bytesAndLeastTop(TInt32 bytes, std::initializer_list<TInt64> slots) {
    constexpr TInt64 kMostTop = TInt64{1} << 23;
    const TInt64 leastTop = -1 - std::min(slots);
    if (std::max(slots) > -1 || leastTop >= kMostTop) return std::nullopt;
    return static_cast<TInt32>(static_cast<TUint32>(leastTop) << 8 | static_cast<TUint32>(bytes));
}

// Four slot offsets of one byte in one operand, the first in the low byte.
TInt32 offsetBytes(TInt32 first, TInt32 second, TInt32 third, TInt32 fourth) {
    return static_cast<TInt32>(
        (static_cast<TUint32>(first) & 0xFFu) | (static_cast<TUint32>(second) & 0xFFu) << 8 |
        (static_cast<TUint32>(third) & 0xFFu) << 16 | static_cast<TUint32>(fourth) << 24);
}

bool fitsByte(TInt64 offset) {
    return static_cast<TInt8>(offset) == offset;
}

// Instructions i and i + 1 as push c or pick v, then an operation of the value under it
// and that operand: with a picked value, one that cannot fail; with a constant, also a
// division by a constant other than 0.
struct OperandOperation {
    TInt32 operand; // c, or the offset of pick v
    bool picks;
    int operation; // its number in kConstantOperations
};
std::optional<OperandOperation> operandOperation(const Window& w, int i) {
    const bool picks = w.is(i, {Opcode::Pick});
    if (!picks && !w.is(i, {Opcode::Push})) return std::nullopt;
    const TInt32 operand = w[i].a;
    const auto operation =
        picks ? w.indexIn(i + 1, kOperations) : w.indexIn(i + 1, kConstantOperations);
    if (!operation || (*operation >= EConstantDiv && operand == 0)) return std::nullopt;
    return OperandOperation{operand, picks, *operation};
}

// push c at instruction i, then an operation of the value under it and c that cannot fail
// (a division only by a constant other than 0).
std::optional<OperandOperation> constantStep(const Window& w, int i) {
    if (!w.is(i, {Opcode::Push})) return std::nullopt;
    return operandOperation(w, i);
}

// Instructions i to i + 3 as pick x; a constantStep; store: x op c stored.
struct ComputedValue {
    TInt32 picked; // the offset of pick x
    int operation; // its number in kConstantOperations
    TInt32 constant;
};
std::optional<ComputedValue> computedValue(const Window& w, int i) {
    const auto step = constantStep(w, i + 1);
    if (!w.is(i, {Opcode::Pick}) || !step || !w.is(i + 3, {Opcode::Store, Opcode::StoreAlt}))
        return std::nullopt;
    return ComputedValue{w[i].a, step->operation, step->operand};
}

// Instruction i as an array native that gives an element's address or the element.
std::optional<ArrayNative> elementNative(const Window& w, int i) {
    const auto native = arrayNative(w, i);
    if (native && (native->answer == ArrayAnswer::Slots || native->answer == ArrayAnswer::Size))
        return std::nullopt;
    return native;
}

// Where the element itself lies in the stack after the native at instruction i: the
// instruction after the native that gives it, or after the native that gives its address
// and a load; 0 when neither follows.
int afterElement(const Window& w, int i, ArrayNative native) {
    if (native.answer == ArrayAnswer::Element) return i + 1;
    return native.answer == ArrayAnswer::Address && w.is(i + 1, {Opcode::Load}) ? i + 2 : 0;
}

// addr a; pick b; a word element's address (`bytes` 4), then a computed value from
// instruction 3 on: a[i] = x op c, with the array variable, the index and x in the stack.
std::optional<Fusion> fuseComputedStore(const Window& w, TInt32 bytes) {
    const auto value = computedValue(w, 3);
    if (bytes != 4 || !value) return std::nullopt;
    const TInt32 variable = w[0].a;
    const TInt32 index = w[1].a;
    const TInt32 picked = value->picked; // pick x reads slot top + 2 + x
    const auto packed = bytesAndLeastTop(bytes, {variable, TInt64{index} + 1, TInt64{picked} + 1});
    if (!packed || !fitsByte(variable) || !fitsByte(index) || !fitsByte(picked))
        return std::nullopt;
    return Fusion{ESlotWordStoreOperate, 7,
                  offsetBytes(variable, index, EStoredOperation + value->operation, picked),
                  *packed, value->constant};
}

// addr a; pick b; a word element's address, then the same element again (addr a - 1; pick
// b - 1, as the address lies above them now), push c or pick x, an operation of the element
// and that value, and store: a[i] = a[i] op c or a[i] = a[i] op x, as in h[k] = h[k] + 1.
// An operation with a picked value cannot fail; one with a constant may be a division by
// a constant other than 0.
std::optional<Fusion> fuseElementUpdate(const Window& w, TInt32 bytes) {
    const TInt32 variable = w[0].a;
    const TInt32 index = w[1].a;
    if (bytes != 4 || !w.is(3, {Opcode::SlotAddress}) || !w.is(4, {Opcode::Pick}) ||
        w[3].a != TInt64{variable} - 1 || w[4].a != TInt64{index} - 1)
        return std::nullopt;
    const auto native = elementNative(w, 5);
    const int loaded = native && native->bytes == 4 ? afterElement(w, 5, *native) : 0;
    if (loaded == 0 || !w.is(loaded + 2, {Opcode::Store, Opcode::StoreAlt})) return std::nullopt;
    const auto value = operandOperation(w, loaded);
    if (!value) return std::nullopt;
    // pick x reads slot top + 3 + x, the element's address and the element lying above.
    const auto packed =
        value->picks
            ? bytesAndLeastTop(4, {variable, TInt64{index} + 1, TInt64{value->operand} + 2})
            : bytesAndLeastTop(4, {variable, TInt64{index} + 1});
    if (!packed || !fitsByte(variable) || !fitsByte(index)) return std::nullopt;
    return Fusion{ESlotWordUpdate, loaded + 3,
                  offsetBytes(variable, index, value->operation, value->picks), *packed,
                  value->operand};
}

// From instruction i on, after a word element that addr a or pick a (offset `variable`)
// and pick b (offset `index`) found: push c or pick v, a comparison and jz, as in if (a[i]
// == 0) or while (a[i] < p). `form`: the comparison kinds' form of the array variable's
// way. pick v reads slot top + 2 + v, the element lying in slot top + 1; it must lie under
// the top.
std::optional<Fusion> fuseElementComparison(const Window& w, int i, TInt32 variable, TInt32 index,
                                            int form) {
    const auto comparison = w.indexIn(i + 1, kComparisons);
    const bool picks = w.is(i, {Opcode::Pick});
    if (!comparison || !w.isBranchIfZero(i + 2) || !(picks || w.is(i, {Opcode::Push})))
        return std::nullopt;
    const TInt32 operand = w[i].a;
    const TInt64 operandSlot = picks ? TInt64{operand} + 1 : -1;
    if (!bytesAndLeastTop(4, {variable, TInt64{index} + 1, operandSlot}) || !fitsByte(variable) ||
        !fitsByte(index) || (picks && !fitsByte(operand)))
        return std::nullopt;
    return Fusion{comparisonKind(*comparison, form),
                  i + 3,
                  offsetBytes(variable, index, picks ? operand : 0, picks),
                  picks ? 0 : operand,
                  0,
                  std::nullopt,
                  w[i + 2].a};
}

// addr a or pick a, then pick b and an array native that gives an element's address or
// the element: the native, and the operands of an entry that finds the element (addr a or
// pick a names slot top + 1 + a, pick b slot top + 2 + b), with the element bytes and the
// least top packed.
struct ElementOperands {
    ArrayNative native;
    TInt32 a, b, packed;
};
std::optional<ElementOperands> elementOperands(const Window& w) {
    const auto native = elementNative(w, 2);
    if (!native) return std::nullopt;
    const auto packed = bytesAndLeastTop(native->bytes, {w[0].a, TInt64{w[1].a} + 1});
    if (!packed) return std::nullopt;
    return ElementOperands{*native, w[0].a, w[1].a, *packed};
}

// addr a; pick b; an element's address or the element, in an array variable in the stack
// at an index in the stack: a[i] with a local array and a local index.
std::optional<Fusion> fuseLocalElement(const Window& w) {
    const auto element = elementOperands(w);
    if (!element) return std::nullopt;
    const ArrayNative native = element->native;
    const TInt32 a = element->a;
    const TInt32 b = element->b;
    const TInt32 packed = element->packed;
    // The element itself: by the native, or by its address and load; then perhaps jz.
    const int loaded = afterElement(w, 2, native);
    const TInt32 bytes = native.bytes;
    if (loaded > 0) {
        // The two offsets share one operand there.
        if (w.isBranchIfZero(loaded) && static_cast<TInt16>(b) == b)
            return Fusion{byWidth(bytes, ESlotElementBranch, ESlotWordBranch),
                          loaded + 1,
                          offsetPair(a, b),
                          packed,
                          0,
                          std::nullopt,
                          w[loaded].a};
        if (bytes == 4)
            if (const auto compared = fuseElementComparison(w, loaded, a, b, 12)) return compared;
        return Fusion{byWidth(bytes, ESlotElementLoad, ESlotWordLoad), loaded, a, b, packed};
    }
    // The same there; a picked value lies in slot top + 2 + c.
    if (const auto value = storedValue(w, 3); value && static_cast<TInt16>(b) == b) {
        const TInt64 valueSlot = value->picked ? TInt64{value->operand} + 1 : a;
        const FusedKind kind = value->picked
                                   ? byWidth(bytes, ESlotElementStorePick, ESlotWordStorePick)
                                   : byWidth(bytes, ESlotElementStoreConst, ESlotWordStoreConst);
        if (const auto stored = bytesAndLeastTop(bytes, {a, TInt64{b} + 1, valueSlot}))
            return Fusion{kind, 5, offsetPair(a, b), *stored, value->operand};
    }
    if (const auto computed = fuseComputedStore(w, bytes)) return computed;
    if (const auto update = fuseElementUpdate(w, bytes)) return update;
    return Fusion{ESlotElementAddress, 3, a, b, packed};
}

// addr a or pick a, then pick x; push c or pick y; add or sub; an element's address or the
// element: a[i] with a local array, or one whose variable's address a local holds, at an
// index computed from locals, as in a[i + 1] or a[j - c]; or with push m or pick m, then
// mul, after pick x and pick y before the add or sub, a[i * m + j] (a row of a
// two-dimensional array, whose row length is a constant or a local). `kind`: that of the
// address, followed by that of the element, then those of a[i * m + j].
std::optional<Fusion> fuseIndexedElement(const Window& w, FusedKind kind) {
    const bool scaled = w.is(2, {Opcode::Push, Opcode::Pick}) && w.is(3, {Opcode::Mul});
    const bool scalePicked = scaled && w.is(2, {Opcode::Pick});
    const int second = scaled ? 4 : 2; // push c or pick y
    const auto native = elementNative(w, second + 2);
    const bool picks = w.is(second, {Opcode::Pick, Opcode::PickWide});
    if (!native || (!picks && (scaled || !w.is(second, {Opcode::Push}))) ||
        !w.is(second + 1, {Opcode::Add, Opcode::Sub}))
        return std::nullopt;
    const TInt32 variable = w[0].a;
    const TInt32 index = w[1].a;
    const TInt32 operand = picks ? w[second].a : 0; // pick y reads slot top + 3 + y
    const TInt32 scale = scaled ? w[2].a : 0;       // so does pick m
    const auto packed = bytesAndLeastTop(
        native->bytes, {variable, TInt64{index} + 1, picks ? TInt64{operand} + 2 : variable,
                        scalePicked ? TInt64{scale} + 2 : variable});
    if (!packed || !fitsByte(variable) || !fitsByte(index) || !fitsByte(operand))
        return std::nullopt;
    const TInt32 form =
        (scalePicked ? 4 : 0) | (picks ? 2 : 0) | (w.is(second + 1, {Opcode::Sub}) ? 1 : 0);
    const TInt32 a = offsetBytes(variable, index, operand, form);
    const TInt32 constant = scaled ? scale : picks ? 0 : w[second].a;
    const int address = kind + (scaled ? 2 : 0);
    if (const int loaded = afterElement(w, second + 2, *native); loaded > 0)
        return Fusion{static_cast<FusedKind>(address + 1), loaded, a, *packed, constant};
    return Fusion{static_cast<FusedKind>(address), second + 3, a, *packed, constant};
}

// pick a; pick b; an element's address or the element, in an array whose variable's
// address a local holds, at an index in the stack: a[i] of an array passed to a function.
std::optional<Fusion> fusePickedElement(const Window& w) {
    const auto element = elementOperands(w);
    if (!element) return std::nullopt;
    if (const int loaded = afterElement(w, 2, element->native); loaded > 0) {
        if (element->native.bytes == 4)
            if (const auto compared = fuseElementComparison(w, loaded, element->a, element->b, 13))
                return compared;
        return Fusion{EPickedElementLoad, loaded, element->a, element->b, element->packed};
    }
    return Fusion{EPickedElementAddress, 3, element->a, element->b, element->packed};
}

// The sequences that start with pick a.
std::optional<Fusion> fusePick(const Window& w) {
    const TInt32 a = w[0].a;
    if (w.is(1, {Opcode::Push})) {
        const TInt32 b = w[1].a;
        if (const auto comparison = w.indexIn(2, kComparisons); comparison && w.isBranchIfZero(3))
            return Fusion{comparisonKind(*comparison, 0), 4, a, b, 0, std::nullopt, w[3].a};
        if (const auto operation = w.indexIn(2, kOperations))
            return Fusion{operationKind(*operation, 0), 3, a, b};
        if (const auto division = w.indexIn(2, kDivisions); division && b != 0)
            return Fusion{divisionKind(*division, 0), 3, a, b};
        return std::nullopt;
    }
    if (w.is(1, {Opcode::Pick, Opcode::PickWide})) {
        if (const auto element = fusePickedElement(w)) return element;
        if (const auto element = fuseIndexedElement(w, EPickedIndexedElementAddress))
            return element;
        const TInt32 b = w[1].a;
        if (const auto comparison = w.indexIn(2, kComparisons); comparison && w.isBranchIfZero(3))
            return Fusion{comparisonKind(*comparison, 1), 4, a, b, 0, std::nullopt, w[3].a};
        if (const auto operation = w.indexIn(2, kOperations))
            return Fusion{operationKind(*operation, 4), 3, a, b};
        return Fusion{EPickPick, 2, a, b};
    }
    if (w.is(1, {Opcode::Field, Opcode::FieldWide})) {
        if (w.is(2, {Opcode::Load})) return Fusion{EPickFieldLoad, 3, a, w[1].a};
        if (w.is(2, {Opcode::Dup}) && w.is(3, {Opcode::Load}))
            return Fusion{EPickFieldDupLoad, 4, a, w[1].a};
        return Fusion{EPickField, 2, a, w[1].a};
    }
    if (w.is(1, {Opcode::Dup}) && w.is(2, {Opcode::Load})) return Fusion{EPickDupLoad, 3, a};
    if (w.is(1, {Opcode::Store, Opcode::StoreAlt})) return Fusion{EPickStore, 2, a};
    if (const auto comparison = w.indexIn(1, kComparisons); comparison && w.isBranchIfZero(2))
        return Fusion{comparisonKind(*comparison, 11), 3, a, 0, 0, std::nullopt, w[2].a};
    if (const auto operation = w.indexIn(1, kOperations))
        return Fusion{operationKind(*operation, 3), 2, a};
    return std::nullopt;
}

// A loop's step from addr a: inc.at, or pick b; add.at (a stride in slot b), or either
// spelled out as x = x + 1 (pick a - 1; push 1; add; store) or x = x + y (pick a - 1;
// pick y; add; store, the stride at b = y + 1), which leaves the step two slots above the
// address as well. The spelled step picks the slot that addr names, so that it steps the
// same slot by the same value as inc.at or add.at.
struct LoopStep {
    std::optional<TInt32> stride; // the offset b of add.at's pick
    int instructions;
    bool spelled;
};
std::optional<LoopStep> loopStep(const Window& w) {
    if (w.is(1, {Opcode::IncAt})) return LoopStep{std::nullopt, 2, false};
    if (!w.is(1, {Opcode::Pick})) return std::nullopt;
    if (w.is(2, {Opcode::AddAt})) return LoopStep{w[1].a, 3, false};
    if (TInt64{w[1].a} != TInt64{w[0].a} - 1 || !w.is(3, {Opcode::Add}) ||
        !w.is(4, {Opcode::Store, Opcode::StoreAlt}))
        return std::nullopt;
    if (w.is(2, {Opcode::Push}) && w[2].a == 1) return LoopStep{std::nullopt, 5, true};
    if (w.is(2, {Opcode::Pick}) && fitsByte(TInt64{w[2].a} + 1))
        return LoopStep{w[2].a + 1, 5, true};
    return std::nullopt;
}

// A loop's step, then pick b; push c or pick d; Compare; jz: every slot they name lies
// below the one where addr leaves its address (the stride and the bound, picked one slot
// higher, below the one after it, so that their offset 0 stands for none), and each
// offset fits a byte.
std::optional<Fusion> fuseLoopStep(const Window& w, const LoopStep& step) {
    const int i = step.instructions;
    const auto comparison = w.indexIn(i + 2, kComparisons);
    if (!w.is(i, {Opcode::Pick}) || !w.is(i + 1, {Opcode::Push, Opcode::Pick}) || !comparison ||
        !w.isBranchIfZero(i + 3))
        return std::nullopt;
    const auto bound = w.is(i + 1, {Opcode::Pick}) ? std::optional(w[i + 1].a) : std::nullopt;
    const auto fits = [](std::optional<TInt32> offset, TInt32 highest) {
        return !offset || (*offset <= highest && fitsByte(*offset));
    };
    if (!fits(w[0].a, -1) || !fits(w[i].a, -1) || !fits(step.stride, -2) || !fits(bound, -2))
        return std::nullopt;
    return Fusion{comparisonKind(*comparison, bound || step.stride ? 10 : 3),
                  i + 4,
                  offsetBytes(w[0].a, step.stride.value_or(0), w[i].a, bound.value_or(0)),
                  bound ? 0 : w[i + 1].a,
                  0,
                  std::nullopt,
                  w[i + 3].a,
                  step.spelled};
}

// pick a; addr b; the size of the array in slot b; Compare; jz, from instruction i on:
// the test of a loop over an array, with the index and the array variable in the stack.
struct SizeTest {
    int comparison;
    TInt32 picked;   // the offset of pick
    TInt32 variable; // that of addr
    TInt32 bytes;    // of an element
    TInt32 branch;
};
std::optional<SizeTest> sizeTest(const Window& w, int i) {
    const auto native = arrayNative(w, i + 2);
    const auto comparison = w.indexIn(i + 3, kComparisons);
    if (!w.is(i, {Opcode::Pick}) || !w.is(i + 1, {Opcode::SlotAddress}) || !native ||
        native->answer != ArrayAnswer::Size || !comparison || !w.isBranchIfZero(i + 4))
        return std::nullopt;
    return SizeTest{*comparison, w[i].a, w[i + 1].a, native->bytes, w[i + 4].a};
}

std::optional<Fusion> fuseSizeTest(const Window& w) {
    const auto test = sizeTest(w, 0);
    if (!test) return std::nullopt;
    const auto packed = bytesAndLeastTop(test->bytes, {test->picked, test->variable + 1});
    if (!packed) return std::nullopt;
    return Fusion{comparisonKind(test->comparison, 4),
                  5,
                  offsetPair(test->picked, test->variable),
                  *packed,
                  0,
                  std::nullopt,
                  test->branch};
}

// A loop's step, then the test of a loop over an array: the step and the test it goes back
// to. Every slot it names lies at or below the top, so that when the array fails the step
// can be undone and the plain entries run as if from the start.
std::optional<Fusion> fuseSteppedSizeTest(const Window& w, const LoopStep& step) {
    const auto test = sizeTest(w, step.instructions);
    const TInt32 target = w[0].a;
    if (!test) return std::nullopt;
    // The slot that add.at's pick reads; inc.at reads none but the target.
    const TInt64 strideSlot = step.stride ? TInt64{*step.stride} + 1 : target;
    const auto packed =
        bytesAndLeastTop(test->bytes, {target, strideSlot, test->picked, test->variable + 1});
    if (!packed) return std::nullopt;
    const FusedKind kind = comparisonKind(test->comparison, step.stride ? 6 : 5);
    const TInt32 offsets =
        offsetBytes(target, step.stride.value_or(0), test->picked, test->variable);
    return Fusion{kind, step.instructions + 5, offsets,      *packed,
                  0,    std::nullopt,          test->branch, step.spelled};
}

// addr a and a loop's step, then the loop's test.
std::optional<Fusion> fuseSteppedTest(const Window& w) {
    const auto step = loopStep(w);
    if (!step) return std::nullopt;
    if (const auto test = fuseLoopStep(w, *step)) return test;
    return fuseSteppedSizeTest(w, *step);
}

// ret a, b at instruction i, when its slot counts are small: its entry carries the least
// stack top it needs.
std::optional<Fusion> fuseReturn(const Window& w, int i = 0) {
    constexpr TInt32 kMostSlots = 0xFFFF;
    const TInt32 addressSlot = w[i].a;
    const TInt32 popped = w[i].b;
    if (addressSlot < 0 || addressSlot > kMostSlots || popped < 0 || popped > kMostSlots)
        return std::nullopt;
    return Fusion{EReturn, 1, addressSlot, popped, std::max(addressSlot, popped - 1)};
}

// addr a; pick b; store; ret: the result slot set from another slot, then the return,
// whose counts and least top fit a byte each.
std::optional<Fusion> fuseStoreSlotReturn(const Window& w) {
    if (!w.is(3, {Opcode::Return})) return std::nullopt;
    const auto ret = fuseReturn(w, 3);
    if (!ret || ret->a > 0xFF || ret->b > 0xFF) return std::nullopt;
    return Fusion{EStoreSlotReturn, 4, w[0].a, w[1].a, offsetBytes(ret->a, ret->b, ret->c, 0)};
}

// addr a, then a computed value from instruction 1 on: x = y op c.
std::optional<Fusion> fuseSlotStoreOperate(const Window& w) {
    const auto value = computedValue(w, 1);
    const TInt32 target = w[0].a;
    if (!value || !fitsByte(target) || !fitsByte(value->picked)) return std::nullopt;
    return Fusion{ESlotStoreOperate, 5, offsetBytes(target, value->picked, value->operation, 0), 0,
                  value->constant};
}

// addr a; pick b; two constantSteps; store: x = (y op c) op d, as in b = (seed shr 16) and
// 1023.
std::optional<Fusion> fuseSlotStoreChain(const Window& w) {
    const auto first = constantStep(w, 2);
    const auto second = constantStep(w, 4);
    const TInt32 target = w[0].a;
    const TInt32 picked = w[1].a;
    if (!w.is(1, {Opcode::Pick}) || !first || !second ||
        !w.is(6, {Opcode::Store, Opcode::StoreAlt}) || !fitsByte(target) || !fitsByte(picked))
        return std::nullopt;
    return Fusion{ESlotStoreChain, 7,
                  offsetBytes(target, picked, first->operation, second->operation), second->operand,
                  first->operand};
}

// addr a; pick b; pick c; an operation; a constantStep; store: x = (y op z) op d, as in
// mid = (lo + hi) / 2.
std::optional<Fusion> fuseSlotPickPickChain(const Window& w) {
    const auto operation = w.indexIn(3, kOperations);
    const auto step = constantStep(w, 4);
    if (!w.is(1, {Opcode::Pick}) || !w.is(2, {Opcode::Pick}) || !operation || !step ||
        !w.is(6, {Opcode::Store, Opcode::StoreAlt}) || !fitsByte(w[0].a) || !fitsByte(w[1].a) ||
        !fitsByte(w[2].a))
        return std::nullopt;
    return Fusion{ESlotPickPickChain, 7,
                  offsetBytes(w[0].a, w[1].a, w[2].a, *operation | step->operation << 4),
                  step->operand};
}

// addr x; addr a or pick a; pick i; a word array's element, by its address and load or by
// the native that gives it; store: x = a[i], with the array variable (or, for pick a, its
// address), the index and x in the stack.
std::optional<Fusion> fuseSlotStoreWordLoad(const Window& w) {
    const auto native = arrayNative(w, 3);
    if (!w.is(1, {Opcode::SlotAddress, Opcode::Pick}) || !w.is(2, {Opcode::Pick}) || !native ||
        native->bytes != 4)
        return std::nullopt;
    const int stored = afterElement(w, 3, *native);
    if (stored == 0 || !w.is(stored, {Opcode::Store, Opcode::StoreAlt})) return std::nullopt;
    const TInt32 target = w[0].a;
    const TInt32 variable = w[1].a;
    const TInt32 index = w[2].a;
    const auto packed = bytesAndLeastTop(4, {target, TInt64{variable} + 1, TInt64{index} + 2});
    if (!packed || !fitsByte(target) || !fitsByte(variable) || !fitsByte(index))
        return std::nullopt;
    const FusedKind kind = w.is(1, {Opcode::Pick}) ? ESlotStorePickedWordLoad : ESlotStoreWordLoad;
    return Fusion{kind, stored + 1, offsetBytes(target, variable, index, 0), *packed};
}

// addr a; pick b; push c; an operation, or a division by c other than 0: x = y op c
// before a further operation (a store after it is fuseSlotStoreOperate's).
std::optional<Fusion> fuseSlotPickConst(const Window& w) {
    if (!w.is(1, {Opcode::Pick}) || !w.is(2, {Opcode::Push}) || !fitsByte(w[0].a) ||
        !fitsByte(w[1].a))
        return std::nullopt;
    const TInt32 c = w[2].a;
    const TInt32 offsets = offsetBytes(w[0].a, w[1].a, 0, 0);
    if (const auto operation = w.indexIn(3, kOperations))
        return Fusion{operationKind(*operation, 7), 4, offsets, c};
    if (const auto division = w.indexIn(3, kDivisions); division && c != 0)
        return Fusion{divisionKind(*division, 3), 4, offsets, c};
    return std::nullopt;
}

// The sequences that start with addr a.
std::optional<Fusion> fuseSlotAddress(const Window& w) {
    const TInt32 a = w[0].a;
    if (const auto step = fuseSteppedTest(w)) return step;
    if (w.is(1, {Opcode::IncAt})) return Fusion{ESlotIncrement, 2, a};
    if (w.is(1, {Opcode::DecAt})) return Fusion{ESlotDecrement, 2, a};
    if (const auto native = arrayNative(w, 1); native && native->answer == ArrayAnswer::Size)
        return Fusion{ESlotArraySize, 2, a, 0, native->bytes};
    if (const auto assignment = fuseSlotStoreWordLoad(w)) return assignment;
    if (!w.is(1, {Opcode::Pick, Opcode::PickWide})) return std::nullopt;
    if (const auto element = fuseLocalElement(w)) return element;
    if (const auto element = fuseIndexedElement(w, ESlotIndexedElementAddress)) return element;
    if (const auto assignment = fuseSlotStoreOperate(w)) return assignment;
    if (const auto assignment = fuseSlotStoreChain(w)) return assignment;
    if (const auto assignment = fuseSlotPickPickChain(w)) return assignment;
    const TInt32 b = w[1].a;
    if (w.is(2, {Opcode::AddAt})) return Fusion{ESlotAddSlot, 3, a, b};
    if (w.is(2, {Opcode::SubAt})) return Fusion{ESlotSubtractSlot, 3, a, b};
    if (w.is(2, {Opcode::Store, Opcode::StoreAlt})) {
        if (const auto slotReturn = fuseStoreSlotReturn(w)) return slotReturn;
        return Fusion{ESlotStoreSlot, 3, a, b};
    }
    if (const auto operation = w.indexIn(3, kOperations); operation && w.is(1, {Opcode::Pick}) &&
                                                          w.is(2, {Opcode::Pick}) && fitsByte(a) &&
                                                          fitsByte(b) && fitsByte(w[2].a))
        return Fusion{operationKind(*operation, 6), 4, offsetBytes(a, b, w[2].a, 0)};
    if (const auto operation = fuseSlotPickConst(w)) return operation;
    // The address and the first operand of x = y op ..., unless the pick starts a longer
    // sequence than pick; pick or pick; op.
    if (const auto next = fusePick(w.from(1)); !next || next->instructions <= 2)
        return Fusion{ESlotPick, 2, a, b};
    return std::nullopt;
}

// A call to a target in the code, of a method with a frame layout: its entry carries the
// return position and the frame offset.
std::optional<Fusion> fuseCall(const Window& w, std::span<const TInt32> frameOffsets) {
    const DecodedOp& call = w[0];
    const auto method = static_cast<TUint32>(call.b);
    if (call.a < 0 || method >= frameOffsets.size()) return std::nullopt;
    return Fusion{ECall, 1, call.b, w.end(1), frameOffsets[method], call.a};
}

std::optional<Fusion> fuseNative(const Window& w) {
    if (const auto native = arrayNative(w, 0)) return fuseArrayNative(w, *native);
    if (w[0].a != kStringGroup) return std::nullopt;
    if (w[0].b == kStringCharAt) return Fusion{EStringCharAt, 1};
    if (w[0].b == kStringLength) return Fusion{EStringLength, 1};
    return std::nullopt;
}

// Two constantSteps, and a store after them or not: v op c op d, as in seed = (seed * m +
// k) and n after its start.
std::optional<Fusion> fuseConstChain(const Window& w) {
    const auto first = constantStep(w, 0);
    const auto second = constantStep(w, 2);
    if (!first || !second) return std::nullopt;
    const bool stores = w.is(4, {Opcode::Store, Opcode::StoreAlt});
    return Fusion{EConstChain, stores ? 5 : 4,
                  offsetBytes(first->operation, second->operation, stores ? 1 : 0, 0),
                  first->operand, second->operand};
}

// dup; load; push c or pick v; an operation; store: x op= v through the address on top,
// as a compiler emits a[i] += 1 or p.x -= v. pick v reads slot top + 2 + v, which must lie
// at or below the top, as the load has written the slot above it.
std::optional<Fusion> fuseUpdate(const Window& w) {
    const auto value = operandOperation(w, 2);
    if (!value || !w.is(4, {Opcode::Store, Opcode::StoreAlt}) ||
        (value->picks && value->operand > -2))
        return std::nullopt;
    return Fusion{EUpdate, 5, value->operation, value->operand, value->picks};
}

std::optional<Fusion> fuse(const Window& w, std::span<const TInt32> frameOffsets) {
    if (w.isBranchIfZero(0)) return Fusion{EBranchIfZero, 1, 0, 0, 0, std::nullopt, w[0].a};
    if (w.is(0, {Opcode::Branch, Opcode::BranchWide}) && w[0].a >= 0)
        return Fusion{EJump, 1, 0, 0, 0, w[0].a};
    if (w.is(0, {Opcode::Call})) return fuseCall(w, frameOffsets);
    if (w.is(0, {Opcode::Return})) return fuseReturn(w);
    if (w.is(0, {Opcode::Native})) return fuseNative(w);
    if (const auto test = fuseSizeTest(w)) return test;
    if (w.is(0, {Opcode::Pick, Opcode::PickWide})) return fusePick(w);
    if (w.is(0, {Opcode::SlotAddress})) return fuseSlotAddress(w);
    if (w.is(0, {Opcode::Push})) {
        if (const auto chain = fuseConstChain(w)) return chain;
        const bool stores = w.is(2, {Opcode::Store, Opcode::StoreAlt});
        if (const auto operation = w.indexIn(1, kOperations))
            return Fusion{operationKind(*operation, stores ? 5 : 1), stores ? 3 : 2, w[0].a};
        if (const auto division = w.indexIn(1, kDivisions); division && w[0].a != 0)
            return Fusion{divisionKind(*division, stores ? 2 : 1), stores ? 3 : 2, w[0].a};
        if (w.is(1, {Opcode::Pick, Opcode::PickWide}) && w.is(2, {Opcode::Push}))
            if (const auto operation = w.indexIn(3, kOperations))
                return Fusion{operationKind(*operation, 2), 4, w[0].a, w[1].a, w[2].a};
        if (w.is(1, {Opcode::Store, Opcode::StoreAlt})) return Fusion{EPushStore, 2, w[0].a};
        if (const auto comparison = w.indexIn(1, kComparisons); comparison && w.isBranchIfZero(2))
            return Fusion{comparisonKind(*comparison, 9), 3, 0, w[0].a, 0, std::nullopt, w[2].a};
        return std::nullopt;
    }
    if (w.is(0, {Opcode::Globals}) && w.is(1, {Opcode::Field, Opcode::FieldWide})) {
        if (w.is(2, {Opcode::Load})) return Fusion{EGlobalLoad, 3, w[1].a};
        return Fusion{EGlobalField, 2, w[1].a};
    }
    if (w.is(0, {Opcode::Dup}) && w.is(1, {Opcode::Load})) return fuseUpdate(w);
    if (w.is(0, {Opcode::Add}) && w.is(1, {Opcode::Load})) return Fusion{ESumLoad, 2};
    if (w.is(0, {Opcode::Add}) && w.is(1, {Opcode::Store, Opcode::StoreAlt}))
        return Fusion{ESumStore, 2};
    if (const auto comparison = w.indexIn(0, kComparisons); comparison && w.isBranchIfZero(1))
        return Fusion{comparisonKind(*comparison, 2), 2, 0, 0, 0, std::nullopt, w[1].a};
    return std::nullopt;
}

// Where execution that reaches `position` goes on once the unconditional jumps there (at
// most a few, so that a loop of jumps is left as it is) have been taken.
TInt32 threaded(const std::vector<DecodedOp>& plain, TInt32 position) {
    constexpr int kMostJumps = 4;
    for (int jumps = 0; jumps < kMostJumps && isJump(plain[static_cast<std::size_t>(position)]) &&
                        plain[static_cast<std::size_t>(position)].a >= 0;
         ++jumps)
        position = plain[static_cast<std::size_t>(position)].a;
    return position;
}

// The distance from the entry at `from` to that at `to`, in bytes, when it fits an operand.
std::optional<TInt32> entryDistance(TInt64 from, TInt64 to) {
    const TInt64 bytes = (to - from) * static_cast<TInt64>(sizeof(DecodedOp));
    if (bytes < INT32_MIN || bytes > INT32_MAX) return std::nullopt;
    return static_cast<TInt32>(bytes);
}

// The comparison of a loop's step and test (StepSize or StrideSize...Branch), if the kind
// is one.
std::optional<int> steppedSizeTest(FusedKind kind) {
    if (kind >= kFirstOperationKind) return std::nullopt;
    const int form = kind % kKindsPerComparison;
    if (form != 5 && form != 6) return std::nullopt;
    return kind / kKindsPerComparison;
}

// The byte k of an operand that holds four.
TInt32 operandByte(TInt32 operand, int k) {
    return static_cast<TInt8>(static_cast<TUint32>(operand) >> (8 * k));
}

// The entry of a word array's element in stack slots, `element` of kind `kind`: an element
// store, which continues at d, or an element tested by jz, which goes to c when the element
// is 0. The way on from there, in bytes, and the form of the kind that runs it together
// with a loop's step and test, if there is one.
struct ElementThenStep {
    TInt32 way;
    int form;
};
std::optional<ElementThenStep> elementThenStep(const DecodedOp& element, FusedKind kind) {
    switch (kind) {
    case ESlotWordStoreConst:
    case ESlotWordStorePick:
    case ESlotWordStoreOperate: return ElementThenStep{element.d, 7};
    case ESlotWordBranch: return ElementThenStep{element.c, 8};
    default: return std::nullopt;
    }
}

// Such an entry and the loop's step and test it leads to (`next`, of kind `nextKind`), on
// the same array variable, as one entry: it keeps the element entry's value, branch and
// continuation, and covers the slots of both.
std::optional<Fusion> fuseElementThenStep(const DecodedOp& element, FusedKind kind, int form,
                                          const DecodedOp& next, FusedKind nextKind) {
    const auto comparison = steppedSizeTest(nextKind);
    if (!comparison) return std::nullopt;
    // A computed store has its offsets and its form in bytes already; the others in halves.
    const bool inBytes = kind == ESlotWordStoreOperate;
    const TInt32 variable =
        inBytes ? operandByte(element.a, 0) : static_cast<TInt16>(element.a & 0xFFFF);
    const TInt32 index = inBytes ? operandByte(element.a, 1) : element.a >> 16;
    // The test's addr follows its pick: the same slot lies one further down from there.
    if (variable != operandByte(next.a, 3) + 1 || !fitsByte(variable) || !fitsByte(index) ||
        (element.b & 0xFF) != (next.b & 0xFF))
        return std::nullopt;
    const TInt32 leastTop = std::max(element.b >> 8, next.b >> 8);
    const TInt32 stored = kind == ESlotWordStorePick ? EStoredPick : EStoredConstant;
    const TInt32 offsets = inBytes ? element.a : offsetBytes(variable, index, stored, 0);
    return Fusion{comparisonKind(*comparison, form), 0, offsets, leastTop << 8 | (element.b & 0xFF),
                  element.c};
}

bool isBranch(const DecodedOp& op) {
    return isJump(op) || op.opcode == static_cast<TUint8>(Opcode::BranchIfZero) ||
           op.opcode == static_cast<TUint8>(Opcode::BranchIfZeroWide);
}

} // namespace

void DecodedCode::clear() {
    plainOps.clear();
    ops.clear();
}

void DecodedCode::decode(const std::vector<TUint8>& code, TUint32 codeSize,
                         const void* const* handlers, const void* const* fusedHandlers,
                         std::span<const TInt32> frameOffsets) {
    plainOps.resize(code.size());
    for (TUint32 position = 0; position < code.size(); ++position) {
        plainOps[position] = decodeAt(code, codeSize, position);
        plainOps[position].handler = handlers[plainOps[position].opcode];
    }
    for (DecodedOp& op : plainOps) {
        if (isBranch(op) && op.a >= 0) op.a = threaded(plainOps, op.a);
    }
    ops = plainOps;
    std::vector<std::optional<FusedKind>> kinds(codeSize);
    for (TUint32 position = 0; position < codeSize; ++position) {
        DecodedOp& op = ops[position];
        const Window window(plainOps, codeSize, position);
        const std::optional<Fusion> fusion = fuse(window, frameOffsets);
        if (!fusion) continue;
        const TInt32 end = fusion->target.value_or(window.end(fusion->instructions));
        // A sequence may end the code: then it continues on the padding, which stops.
        const TInt32 next = end < static_cast<TInt32>(codeSize) ? threaded(plainOps, end) : end;
        // Branches and continuations are distances in bytes from the sequence's entry.
        const auto onward = entryDistance(position, next);
        const auto branch = fusion->branch ? entryDistance(position, *fusion->branch) : fusion->c;
        if (!onward || !branch) continue;
        op.handler = fusedHandlers[fusion->kind];
        op.a = fusion->a;
        op.b = fusion->b;
        op.c = *branch;
        op.d = *onward;
        op.leavesStep = fusion->leavesStep;
        kinds[position] = fusion->kind;
    }
    // An element's entry that leads to a loop's step and test runs both; the entry of the
    // step and test stays as it is, for the loop's other ways into it.
    for (TUint32 position = 0; position < codeSize; ++position) {
        DecodedOp& op = ops[position];
        const auto then = kinds[position] ? elementThenStep(op, *kinds[position]) : std::nullopt;
        if (!then) continue;
        const TInt64 onward = position + TInt64{then->way} / static_cast<TInt64>(sizeof(DecodedOp));
        if (onward < 0 || onward >= static_cast<TInt64>(codeSize)) continue;
        const auto next = static_cast<std::size_t>(onward);
        if (!kinds[next]) continue;
        const auto fusion =
            fuseElementThenStep(op, *kinds[position], then->form, ops[next], *kinds[next]);
        if (!fusion) continue;
        op.handler = fusedHandlers[fusion->kind];
        op.a = fusion->a;
        op.b = fusion->b;
        op.c = fusion->c;
    }
}
