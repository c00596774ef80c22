// The interpreter loop: one computed-goto dispatch per instruction over the decoded code (each
// entry holds its handler and its decoded operands), with the program
// counter, the stack index and the stack base in locals. Every stack access is checked
// against the stack's bounds and every memory access goes through the address space's
// checked helpers; a runtime error unwinds as ErrorHandlingException after the machine's
// pc (on the instruction's last byte) and top have been stored back. Instructions that
// allocate store top back first too: a collection may run at any allocation (in the
// collector's stress mode), and it must see the stack as it is.
#include "Arithmetic.h"
#include "ArrayAccess.h"
#include "ErrorHandling.h"
#include "GcCodes.h"
#include "HeapCells.h"
#include "InstructionBudget.h"
#include "OVector.h"
#include "Opcodes.h"
#include "VirtualMachine.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

using namespace arithmetic;

namespace {

TUint32 u32(TInt32 operand) {
    return static_cast<TUint32>(operand);
}

// The byte size of n words, or an InvalidArgumentException when it cannot be allocated.
TUint32 wordBytes(TUint32 words) {
    if (words > 0x3FFFFFF0u) throwError(EInvalidArgument);
    return words * 4;
}

// The word count of the block instructions: a byte operand below 1 means no words.
TUint32 wordCount(const DecodedOp* op) {
    if (opcodeInfo(op->opcode).operands[0] == OperandKind::Uint32) return u32(op->a);
    return bits(std::max(0, op->a));
}

// The block instructions copy word by word upwards: where the two ranges overlap (an
// address into the operand stack, which lies in the machine's memory too) a word written
// may be read again, as it always has been.
void copyWordsUpwards(void* to, const void* from, TUint32 words) {
    auto* target = static_cast<TUint8*>(to);
    const auto* source = static_cast<const TUint8*>(from);
    for (TUint32 i = 0; i < words * 4; i += 4)
        std::memmove(target + i, source + i, 4);
}

// The word at an address that the address space has accepted before.
TUint32 containedWord(const AddressSpace& space, TVMAddress address) {
    TUint32 word;
    std::memcpy(&word, space.hostPointerOfContained(address), 4);
    return word;
}

// What runs before an instruction whose slot counts are fixed: the slots it pops must be
// on the stack, and there must be room for the slots it adds.
struct StackChecks {
    int need;
    int room;
};

// The checks of opcodes that share a handler; they must agree.
consteval StackChecks stackChecks(std::initializer_list<Opcode> opcodes) {
    const OpcodeInfo& first = kOpcodeTable[static_cast<TUint8>(*opcodes.begin())];
    const StackChecks checks{first.pops, std::max(0, first.pushes - first.pops)};
    for (Opcode opcode : opcodes) {
        const OpcodeInfo& info = kOpcodeTable[static_cast<TUint8>(opcode)];
        if (!info.hasFixedCounts()) throw "an opcode whose counts vary has no fixed checks";
        if (info.pops != checks.need || std::max(0, info.pushes - info.pops) != checks.room)
            throw "opcodes that share a handler need the same checks";
    }
    return checks;
}

// The operations of KESTRO_FUSED_CONSTANT_OPERATIONS on a value and a constant, which the
// decoder never fuses with a division by 0.
template <Opcode name> [[gnu::always_inline]] inline TUint32 byConstant(TUint32 a, TUint32 b) {
    return binary<name>(a, b);
}
template <> [[gnu::always_inline]] inline TUint32 byConstant<Opcode::Div>(TUint32 a, TUint32 b) {
    return bits(divide(wrap(a), wrap(b)));
}
template <> [[gnu::always_inline]] inline TUint32 byConstant<Opcode::Rem>(TUint32 a, TUint32 b) {
    return bits(remainder(wrap(a), wrap(b)));
}
// The one of that number.
[[gnu::always_inline]] inline TUint32 constantOperation(TInt32 operation, TUint32 a, TUint32 b) {
    switch (operation) {
#define KESTRO_CONSTANT_OPERATION_CASE(unused, name)                                               \
    case EConstant##name: return byConstant<Opcode::name>(a, b);
        KESTRO_FUSED_CONSTANT_OPERATIONS(KESTRO_CONSTANT_OPERATION_CASE, )
#undef KESTRO_CONSTANT_OPERATION_CASE
    default: __builtin_unreachable();
    }
}

} // namespace

// Dispatch uses the address-of-label and computed-goto extensions of GCC and Clang.
#pragma GCC diagnostic ignored "-Wpedantic"

void VirtualMachine::run() {
    void* table[256];
    for (void*& entry : table)
        entry = &&op_invalid;
#define KESTRO_LABEL_OF(code, name, ...) table[code] = &&op_##name;
    KESTRO_OPCODES(KESTRO_LABEL_OF)
#undef KESTRO_LABEL_OF

    // Every fused kind has a handler: the table is made from the list of kinds, with a
    // trap underneath all the same...
    void* fusedTable[EFusedKindCount];
    for (void*& entry : fusedTable)
        entry = &&fused_invalid;
#define KESTRO_FUSED_LABEL_OF(name, sequence) fusedTable[E##name] = &&fused_##name;
    KESTRO_FUSED_KINDS(KESTRO_FUSED_LABEL_OF)
#undef KESTRO_FUSED_LABEL_OF
    // ... and the enum has no kind beyond the list.
    static_assert(0 KESTRO_FUSED_KINDS(KESTRO_ONE_FUSED_KIND) == EFusedKindCount);

    const TUint32 codeSize = static_cast<TUint32>(tables.code.size());
    if (!decoded.isDecoded()) decodeCode(table, fusedTable, &&count_fused, &&count_plain);
    const DecodedOp* const opsBase = decoded.fused();
    const DecodedOp* const plainBase = decoded.plain();
    const DecodedOp* op = opsBase + pc;
    TUint32* const s = stack;
    const TVMAddress slotsAddress = stackAddress; // the machine address of slot 0
    TInt32 top = sp;                              // the stack index, kept in a register
    TInt32 limit = stackLimit;
    // For the array natives' entries.
    arrayAccess::FoundArrays foundArrays(space, slotsAddress, kStackStorageSlots * 4);
    // Set while a native, an extension or a throw owns `sp`: an error raised there
    // leaves the stack as that code left it.
    bool spHandedOver = false;

// The current instruction's position, and the bounds every stack access keeps to.
#define POSITION (op->position)
// NEED and ROOM take small constant counts; the _WIDE forms take any count.
#define NEED(n)                                                                                    \
    if (top < (n)-1) [[unlikely]]                                                                  \
        goto stack_underflow;
#define ROOM(n)                                                                                    \
    if (top >= limit - (n)) [[unlikely]]                                                           \
        goto stack_overflow;
// The checks of a handler whose opcodes have fixed counts, taken from the opcode table.
#define CHECK_STACK(...)                                                                           \
    do {                                                                                           \
        using enum Opcode;                                                                         \
        constexpr StackChecks checks = stackChecks({__VA_ARGS__});                                 \
        if constexpr (checks.need > 0) {                                                           \
            NEED(checks.need);                                                                     \
        }                                                                                          \
        if constexpr (checks.room > 0) {                                                           \
            ROOM(checks.room);                                                                     \
        }                                                                                          \
    } while (0)
#define NEED_WIDE(n)                                                                               \
    if (static_cast<TInt64>(top) < static_cast<TInt64>(n) - 1) [[unlikely]]                        \
        goto stack_underflow;
#define ROOM_WIDE(n)                                                                               \
    if (static_cast<TInt64>(top) + static_cast<TInt64>(n) >= limit) [[unlikely]]                   \
        goto stack_overflow;
#ifdef KESTRO_INSTRUCTION_BUDGET
#define DISPATCH()                                                                                 \
    do {                                                                                           \
        if (InstructionBudget::spend()) fatalError("instruction budget used up", POSITION);        \
        goto * op->handler;                                                                        \
    } while (0)
#else
#define DISPATCH() goto * op->handler
#endif
#define NEXT(name)                                                                                 \
    do {                                                                                           \
        op += instructionLength(static_cast<TUint8>(Opcode::name));                                \
        DISPATCH();                                                                                \
    } while (0)
#define JUMP_TO(target, what)                                                                      \
    do {                                                                                           \
        const TInt64 destination = (target);                                                       \
        if (static_cast<TUint64>(destination) >= codeSize) [[unlikely]]                            \
            fatalError(what " outside the code", POSITION);                                        \
        op = opsBase + destination;                                                                \
        DISPATCH();                                                                                \
    } while (0)
#define SLOT_INDEX(offset)                                                                         \
    ([&] {                                                                                         \
        const TInt64 index = static_cast<TInt64>(top) + 1 + (offset);                              \
        if (index < 0 || index >= kStackStorageSlots) [[unlikely]]                                 \
            fatalError("stack slot outside the stack", POSITION);                                  \
        return static_cast<TInt32>(index);                                                         \
    }())
#define PUSH(value)                                                                                \
    do {                                                                                           \
        const TUint32 pushed = (value);                                                            \
        s[++top] = pushed;                                                                         \
    } while (0)
#define BINARY(name, expression)                                                                   \
    op_##name : {                                                                                  \
        CHECK_STACK(name);                                                                         \
        const TUint32 a = s[top - 1];                                                              \
        const TUint32 b = s[top];                                                                  \
        s[top - 1] = (expression);                                                                 \
        --top;                                                                                     \
        NEXT(name);                                                                                \
    }
#define AT_WORD(name, expression)                                                                  \
    op_##name : {                                                                                  \
        CHECK_STACK(name);                                                                         \
        const TVMAddress address = s[top - 1];                                                     \
        const TUint32 word = space.load32(address);                                                \
        const TUint32 b = s[top];                                                                  \
        space.store32(address, (expression));                                                      \
        top -= 2;                                                                                  \
        NEXT(name);                                                                                \
    }
// A fused handler's way out when one of its instructions could fail: the plain entries.
#define RUN_PLAIN()                                                                                \
    do {                                                                                           \
        op = plainBase + op->position;                                                             \
        DISPATCH();                                                                                \
    } while (0)
// The entry `bytes` bytes from this one.
#define ENTRY_AT(bytes)                                                                            \
    reinterpret_cast<const DecodedOp*>(reinterpret_cast<const char*>(op) + (bytes))
#define FUSED_NEXT()                                                                               \
    do {                                                                                           \
        op = ENTRY_AT(op->d);                                                                      \
        DISPATCH();                                                                                \
    } while (0)
// The end of a fused comparison and jz: falls through while the comparison holds.
#define FUSED_BRANCH(result)                                                                       \
    do {                                                                                           \
        if ((result) != 0) FUSED_NEXT();                                                           \
        op = ENTRY_AT(op->c);                                                                      \
        DISPATCH();                                                                                \
    } while (0)
// A slot index (TInt64) that lies in the stack.
#define IN_STACK(index) (static_cast<TUint64>(index) < static_cast<TUint64>(kStackStorageSlots))
// The slot that a leading pick a reads (or addr a names), when the stack has `room` slots
// above the top and the slot lies in the stack; otherwise the plain entries run.
#define PICKED_SLOT(name, room)                                                                    \
    const TInt64 name = TInt64{top} + 1 + op->a;                                                   \
    if (top >= limit - (room) || !IN_STACK(name)) [[unlikely]]                                     \
        RUN_PLAIN();
// The slots that pick a and a second pick b (or the pick after addr a) read.
#define PICKED_SLOTS(first, second, room)                                                          \
    const TInt64 first = TInt64{top} + 1 + op->a;                                                  \
    const TInt64 second = TInt64{top} + 2 + op->b;                                                 \
    if (top >= limit - (room) || !IN_STACK(first) || !IN_STACK(second)) [[unlikely]]               \
        RUN_PLAIN();
// The machine address of a stack slot (an index that lies in the stack).
#define SLOT_ADDRESS(index) (slotsAddress + bits(static_cast<TInt32>(index)) * 4)
// The entries of the array natives in the stack carry, in one operand, the element bytes in
// its low byte and, above it, the least top at which the deepest slot they name lies in
// the stack: all of those lie at or below the top, so that one comparison keeps them in the
// stack, and another leaves room for the three slots above the top that the entries write
// (below the least limit of the stack, a constant: above it the plain entries run). As no
// slot they read lies above the top, they write there only what the instructions leave.
#define ELEMENT_BYTES(packed) (u32(packed) & 0xFFu)
#define SLOTS_DOWN_TO(packed)                                                                      \
    if (top >= kStackSlots - 3 || top < ((packed) >> 8)) [[unlikely]]                              \
        RUN_PLAIN();
// Half k and byte k of a, the slot offsets that some entries pack in it.
#define OFFSET_HALF(k)                                                                             \
    ([&] {                                                                                         \
        TInt16 half;                                                                               \
        std::memcpy(&half, reinterpret_cast<const unsigned char*>(&op->a) + 2 * (k), 2);           \
        return half;                                                                               \
    }())
#define OFFSET_BYTE(k) static_cast<TInt8>(reinterpret_cast<const unsigned char*>(&op->a)[k])
// When the array of the variable at `variable` is not among those found lately: it is
// checked in full, and when it passes, the entry runs again and finds it; otherwise the
// plain entries run, and the native raises its error. Nothing the entry changed before
// its look-up may stand then (each entry writes the same again).
#define FIND_AGAIN(variable, width)                                                                \
    do {                                                                                           \
        if (foundArrays.remember((variable), (width))) DISPATCH();                                 \
        RUN_PLAIN();                                                                               \
    } while (0)
// The same for an entry that changes a slot before its look-up and undoes the change when
// the look-up misses: the change may be what made it miss (the slot may be the array
// variable, or lie in a forged record), so that running again would miss again. The array
// is remembered as it is now, and the plain entries run this time.
#define RUN_PLAIN_REMEMBERING(variable, width)                                                     \
    do {                                                                                           \
        foundArrays.remember((variable), (width));                                                 \
        RUN_PLAIN();                                                                               \
    } while (0)
// `array`: the array, of elements `width` bytes wide, that addr a names through the stack
// slot `variable`; the index that pick b (of slot `index`) leaves above the top. `found`:
// whether the array has that element, `address`: that element's.
#define LOCAL_ELEMENT(variable, index, width)                                                      \
    const TUint32 elementIndex = s[index];                                                         \
    s[top + 2] = elementIndex;                                                                     \
    arrayAccess::Array array;                                                                      \
    if (!foundArrays.findInSlot(space, static_cast<TUint32>(variable), s[variable], width, array)) \
        [[unlikely]]                                                                               \
        FIND_AGAIN(SLOT_ADDRESS(variable), width);                                                 \
    const bool found = elementIndex < array.size;                                                  \
    const TVMAddress address = array.storage + elementIndex * (width);
// The same for the array variable in slot top - 1 and the index in slot top.
#define STACK_ELEMENT(width)                                                                       \
    if (top < 1) [[unlikely]]                                                                      \
        RUN_PLAIN();                                                                               \
    arrayAccess::Array array;                                                                      \
    if (!foundArrays.find(space, s[top - 1], width, array)) [[unlikely]]                           \
        FIND_AGAIN(s[top - 1], width);                                                             \
    const bool found = s[top] < array.size;                                                        \
    const TVMAddress address = array.storage + s[top] * (width);
// Runs the plain entries unless the array has the element (`found`) and the first word of
// the element, `width` bytes wide at `address`, lies in memory: a wider element's does,
// since the array's storage does; a byte's may lie too near the end for a word.
#define REQUIRE_ELEMENT_WORD(address, width)                                                       \
    if (!found || ((width) < 4 && !space.contains(address, 4))) [[unlikely]]                       \
        RUN_PLAIN();
// The end of an element store: the element's address (when `found`) in slot `at`, where
// the native leaves it; the value pushed or picked above it (read once the address is in
// its slot, which a pick may take); then the value in the element's first word, which may
// be a stack slot too.
#define STORE_INTO_ELEMENT(at, width, value)                                                       \
    REQUIRE_ELEMENT_WORD(address, width)                                                           \
    s[at] = address;                                                                               \
    const TUint32 stored = (value);                                                                \
    s[(at) + 1] = stored;                                                                          \
    std::memcpy(space.hostPointerOfContained(address), &stored, 4);
// LOCAL_ELEMENT for addr a and pick b with their offsets in a's halves, and b the element
// bytes and the least top; `width`: the element bytes.
#define PAIRED_LOCAL_ELEMENT(elementBytes)                                                         \
    SLOTS_DOWN_TO(op->b)                                                                           \
    const TInt64 variable = TInt64{top} + 1 + OFFSET_HALF(0);                                      \
    const TInt64 index = TInt64{top} + 2 + OFFSET_HALF(1);                                         \
    const TUint32 width = (elementBytes);                                                          \
    LOCAL_ELEMENT(variable, index, width)
// addr a, pick b (their offsets in a's halves) and an element's address, then the value
// of `value` stored into it (a constant, or a slot at or below the top). The entries of
// the word arrays (4-byte elements, the ints and the objects) pass the width 4 to these
// macros, which spares them the tests of a narrower element.
#define FUSED_SLOT_ELEMENT_STORE(name, elementBytes, value)                                        \
    fused_##name : {                                                                               \
        PAIRED_LOCAL_ELEMENT(elementBytes)                                                         \
        STORE_INTO_ELEMENT(top + 1, width, value)                                                  \
        FUSED_NEXT();                                                                              \
    }
// The element of the array variable in slot top - 1 at the index in slot top.
#define FUSED_ELEMENT_LOAD(name, elementBytes)                                                     \
    fused_##name : {                                                                               \
        const TUint32 width = (elementBytes);                                                      \
        STACK_ELEMENT(width)                                                                       \
        REQUIRE_ELEMENT_WORD(address, width)                                                       \
        s[--top] = containedWord(space, address);                                                  \
        FUSED_NEXT();                                                                              \
    }
// addr a; pick b; the element's address and load, or the element: the element.
#define FUSED_SLOT_ELEMENT_LOAD(name, elementBytes)                                                \
    fused_##name : {                                                                               \
        SLOTS_DOWN_TO(op->c)                                                                       \
        const TInt64 variable = TInt64{top} + 1 + op->a;                                           \
        const TInt64 index = TInt64{top} + 2 + op->b;                                              \
        const TUint32 width = (elementBytes);                                                      \
        LOCAL_ELEMENT(variable, index, width)                                                      \
        REQUIRE_ELEMENT_WORD(address, width)                                                       \
        s[++top] = containedWord(space, address);                                                  \
        FUSED_NEXT();                                                                              \
    }
// The same with the offsets in a's halves, then jz on the element.
#define FUSED_SLOT_ELEMENT_BRANCH(name, elementBytes)                                              \
    fused_##name : {                                                                               \
        PAIRED_LOCAL_ELEMENT(elementBytes)                                                         \
        REQUIRE_ELEMENT_WORD(address, width)                                                       \
        const TUint32 element = containedWord(space, address);                                     \
        s[top + 1] = element;                                                                      \
        FUSED_BRANCH(element);                                                                     \
    }
// An element's address from the array variable in slot top - 1 and the index in slot top,
// then the value of `value` stored into it (the push or pick puts it in slot top).
#define FUSED_ELEMENT_STORE(name, picks, pickedSlot, value)                                        \
    fused_##name : {                                                                               \
        const TInt64 picked = (pickedSlot);                                                        \
        if (top < 1 || top >= limit || ((picks) && !IN_STACK(picked))) [[unlikely]]                \
            RUN_PLAIN();                                                                           \
        const TUint32 width = u32(op->a);                                                          \
        STACK_ELEMENT(width)                                                                       \
        STORE_INTO_ELEMENT(top - 1, width, value)                                                  \
        top -= 2;                                                                                  \
        FUSED_NEXT();                                                                              \
    }
// The slots of a loop's step and test, in a's bytes.
#define STEPPED_SLOTS()                                                                            \
    SLOTS_DOWN_TO(op->b)                                                                           \
    const TInt64 target = TInt64{top} + 1 + OFFSET_BYTE(0);                                        \
    const TInt64 from = TInt64{top} + 1 + OFFSET_BYTE(2);                                          \
    const TInt64 variable = TInt64{top} + 2 + OFFSET_BYTE(3);
// The step of `step` into slot `target`, then the test of PickSize...Branch on the slots
// `from` and `variable`. When the array is not found, the step is undone and the plain
// entries run from the step on.
#define STEPPED_SIZE_TEST(name, step)                                                              \
    s[target] += (step);                                                                           \
    const TUint32 a = s[from];                                                                     \
    arrayAccess::Array array;                                                                      \
    if (!foundArrays.findInSlot(space, static_cast<TUint32>(variable), s[variable],                \
                                ELEMENT_BYTES(op->b), array)) [[unlikely]] {                       \
        s[target] -= (step);                                                                       \
        RUN_PLAIN_REMEMBERING(SLOT_ADDRESS(variable), ELEMENT_BYTES(op->b));                       \
    }                                                                                              \
    const TUint32 result = binary<Opcode::name>(a, array.size);                                    \
    s[top + 1] = result;                                                                           \
    s[top + 2] = array.size;                                                                       \
    FUSED_BRANCH(result);
// The element of StoreStepSize...Branch and BranchStepSize...Branch, a[i] with a word array
// in a stack slot (offset in byte 0 of a) and the index in another (byte 1): `found`, the
// entry of the array found, and `element`, the element's address.
#define FIND_WORD_ELEMENT()                                                                        \
    SLOTS_DOWN_TO(op->b)                                                                           \
    TUint32* const slots = s + top; /* the slots' offsets count from here */                       \
    const TUint32 elementIndex = slots[2 + TInt64{OFFSET_BYTE(1)}];                                \
    arrayAccess::Array array;                                                                      \
    const auto* found =                                                                            \
        foundArrays.findInSlot(space, static_cast<TUint32>(top + 1 + OFFSET_BYTE(0)),              \
                               slots[1 + TInt64{OFFSET_BYTE(0)}], 4u, array);                      \
    if (!found) [[unlikely]]                                                                       \
        goto word_element_missed;                                                                  \
    if (elementIndex >= array.size) [[unlikely]]                                                   \
        RUN_PLAIN();                                                                               \
    const TVMAddress element = array.storage + elementIndex * 4;
// The value that a store fused with a loop's step and test stores (see StoredForm), read
// from the slots before the store; a computed one leaves its constant in slot top + 3, as
// its push does, where the test does not write.
#define STORED_VALUE()                                                                             \
    TUint32 stored = u32(op->c);                                                                   \
    if (const TInt32 form = OFFSET_BYTE(2); form == EStoredPick) {                                 \
        stored = slots[2 + TInt64{op->c}];                                                         \
    } else if (form != EStoredConstant) {                                                          \
        stored =                                                                                   \
            constantOperation(form - EStoredOperation, slots[2 + TInt64{OFFSET_BYTE(3)}], stored); \
        slots[3] = u32(op->c);                                                                     \
    }
// Then the step and the test of the entry `bytes` bytes on, which names the same array
// variable: unless the step moved the variable to another record, the test needs no
// look-up, as the entry `found` still holds the array (the step and the store write only a
// stack slot and an element, which leave the record's words as they are). Otherwise the
// step is undone and that entry runs itself. The test writes over all that the
// instructions before it leave above the top but slot top + 3.
#define STEP_ON_FOUND_ARRAY(name, bytes)                                                           \
    op = ENTRY_AT(bytes);                                                                          \
    TUint32 step = 1; /* inc.at leaves byte 1, the stride's offset, 0 */                           \
    if (OFFSET_BYTE(1) != 0) step = slots[2 + TInt64{OFFSET_BYTE(1)}];                             \
    TUint32& counter = slots[1 + TInt64{OFFSET_BYTE(0)}];                                          \
    counter += step;                                                                               \
    const TUint32 a = slots[1 + TInt64{OFFSET_BYTE(2)}];                                           \
    if (!found->stillHolds(slots[2 + TInt64{OFFSET_BYTE(3)}])) [[unlikely]] {                      \
        counter -= step;                                                                           \
        DISPATCH();                                                                                \
    }                                                                                              \
    const TUint32 result = binary<Opcode::name>(a, array.size);                                    \
    slots[1] = result;                                                                             \
    slots[2] = array.size;                                                                         \
    FUSED_BRANCH(result);
#define FUSED_COMPARE(unused, name)                                                                \
    fused_PickConst##name##Branch : {                                                              \
        PICKED_SLOT(from, 2)                                                                       \
        const TUint32 b = u32(op->b);                                                              \
        const TUint32 result = binary<Opcode::name>(s[from], b);                                   \
        s[top + 1] = result;                                                                       \
        s[top + 2] = b;                                                                            \
        FUSED_BRANCH(result);                                                                      \
    }                                                                                              \
    fused_PickPick##name##Branch : {                                                               \
        PICKED_SLOTS(first, second, 2)                                                             \
        const TUint32 a = s[first];                                                                \
        s[top + 1] = a; /* the second pick may take it */                                          \
        const TUint32 b = s[second];                                                               \
        const TUint32 result = binary<Opcode::name>(a, b);                                         \
        s[top + 1] = result;                                                                       \
        s[top + 2] = b;                                                                            \
        FUSED_BRANCH(result);                                                                      \
    }                                                                                              \
    fused_##name##Branch : {                                                                       \
        if (top < 1) [[unlikely]]                                                                  \
            RUN_PLAIN();                                                                           \
        const TUint32 result = binary<Opcode::name>(s[top - 1], s[top]);                           \
        s[top - 1] = result;                                                                       \
        top -= 2;                                                                                  \
        FUSED_BRANCH(result);                                                                      \
    }                                                                                              \
    fused_Step##name##Branch : {                                                                   \
        /* Both offsets are negative: the slots lie below top + 1 */                               \
        const TInt32 target = top + 1 + static_cast<TInt16>(op->a & 0xFFFF);                       \
        const TInt32 from = top + 1 + (op->a >> 16);                                               \
        if (top >= limit - 2 || target < 0 || from < 0) [[unlikely]]                               \
            RUN_PLAIN();                                                                           \
        s[target] += 1;                                                                            \
        const TUint32 b = u32(op->b);                                                              \
        const TUint32 result = binary<Opcode::name>(s[from], b);                                   \
        s[top + 1] = result;                                                                       \
        s[top + 2] = b;                                                                            \
        FUSED_BRANCH(result);                                                                      \
    }                                                                                              \
    fused_PickSize##name##Branch : {                                                               \
        SLOTS_DOWN_TO(op->b)                                                                       \
        const TInt64 from = TInt64{top} + 1 + OFFSET_HALF(0);                                      \
        const TInt64 variable = TInt64{top} + 2 + OFFSET_HALF(1);                                  \
        const TUint32 a = s[from];                                                                 \
        arrayAccess::Array array;                                                                  \
        if (!foundArrays.findInSlot(space, static_cast<TUint32>(variable), s[variable],            \
                                    ELEMENT_BYTES(op->b), array)) [[unlikely]]                     \
            FIND_AGAIN(SLOT_ADDRESS(variable), ELEMENT_BYTES(op->b));                              \
        const TUint32 result = binary<Opcode::name>(a, array.size);                                \
        s[top + 1] = result;                                                                       \
        s[top + 2] = array.size;                                                                   \
        FUSED_BRANCH(result);                                                                      \
    }                                                                                              \
    fused_StepSize##name##Branch                                                                   \
        : {STEPPED_SLOTS() STEPPED_SIZE_TEST(name, 1u)} fused_StrideSize##name##Branch : {         \
        STEPPED_SLOTS()                                                                            \
        const TUint32 stride = s[TInt64{top} + 2 + OFFSET_BYTE(1)];                                \
        STEPPED_SIZE_TEST(name, stride)                                                            \
    }                                                                                              \
    fused_StoreStepSize##name##Branch : {                                                          \
        FIND_WORD_ELEMENT()                                                                        \
        STORED_VALUE()                                                                             \
        std::memcpy(space.hostPointerOfContained(element), &stored, 4);                            \
        STEP_ON_FOUND_ARRAY(name, op->d)                                                           \
    }                                                                                              \
    fused_BranchStepSize##name##Branch : {                                                         \
        FIND_WORD_ELEMENT()                                                                        \
        const TUint32 value = containedWord(space, element);                                       \
        if (value != 0) {                                                                          \
            slots[1] = value;                                                                      \
            slots[2] = elementIndex;                                                               \
            FUSED_NEXT();                                                                          \
        }                                                                                          \
        STEP_ON_FOUND_ARRAY(name, op->c)                                                           \
    }
#define FUSED_OPERATE(unused, name)                                                                \
    fused_PickConst##name : {                                                                      \
        PICKED_SLOT(from, 2)                                                                       \
        const TUint32 b = u32(op->b);                                                              \
        s[top + 1] = binary<Opcode::name>(s[from], b);                                             \
        s[top + 2] = b;                                                                            \
        ++top;                                                                                     \
        FUSED_NEXT();                                                                              \
    }                                                                                              \
    fused_Const##name : {                                                                          \
        if (top >= limit - 1 || top < 0) [[unlikely]]                                              \
            RUN_PLAIN();                                                                           \
        const TUint32 b = u32(op->a);                                                              \
        s[top + 1] = b;                                                                            \
        s[top] = binary<Opcode::name>(s[top], b);                                                  \
        FUSED_NEXT();                                                                              \
    }                                                                                              \
    fused_PushPickConst##name : {                                                                  \
        const TInt64 from = TInt64{top} + 2 + op->b;                                               \
        if (top >= limit - 3 || !IN_STACK(from)) [[unlikely]]                                      \
            RUN_PLAIN();                                                                           \
        s[top + 1] = u32(op->a); /* the pick may take it */                                        \
        const TUint32 c = u32(op->c);                                                              \
        s[top + 2] = binary<Opcode::name>(s[from], c);                                             \
        s[top + 3] = c;                                                                            \
        top += 2;                                                                                  \
        FUSED_NEXT();                                                                              \
    }                                                                                              \
    fused_Pick##name : {                                                                           \
        PICKED_SLOT(from, 1)                                                                       \
        if (top < 0) [[unlikely]]                                                                  \
            RUN_PLAIN();                                                                           \
        const TUint32 b = s[from];                                                                 \
        s[top + 1] = b;                                                                            \
        s[top] = binary<Opcode::name>(s[top], b);                                                  \
        FUSED_NEXT();                                                                              \
    }
// addr a; pick b; then `update` of the word in slot `target` with the picked value.
#define FUSED_SLOT_UPDATE(name, update)                                                            \
    fused_##name : {                                                                               \
        PICKED_SLOTS(target, from, 2)                                                              \
        s[top + 1] = SLOT_ADDRESS(target);                                                         \
        const TUint32 value = s[from];                                                             \
        s[top + 2] = value;                                                                        \
        s[target] update value;                                                                    \
        FUSED_NEXT();                                                                              \
    }
#define FUSED_SLOT_STEP(name, step)                                                                \
    fused_##name : {                                                                               \
        PICKED_SLOT(target, 1)                                                                     \
        s[top + 1] = SLOT_ADDRESS(target);                                                         \
        s[target] += (step);                                                                       \
        FUSED_NEXT();                                                                              \
    }
#define AT_BYTE(name, expression)                                                                  \
    op_##name : {                                                                                  \
        CHECK_STACK(name);                                                                         \
        const TVMAddress address = s[top - 1];                                                     \
        const TInt32 byte = static_cast<TInt8>(space.load8(address));                              \
        const TUint32 b = s[top];                                                                  \
        space.store8(address, static_cast<TUint8>(expression));                                    \
        top -= 2;                                                                                  \
        NEXT(name);                                                                                \
    }

    try {
        DISPATCH();

    op_Nop:
        NEXT(Nop);

    op_Pick : {
        CHECK_STACK(Pick);
        const TInt32 from = SLOT_INDEX(op->a);
        PUSH(s[from]);
        NEXT(Pick);
    }
    op_PickWide : {
        CHECK_STACK(PickWide);
        const TInt32 from = SLOT_INDEX(op->a);
        PUSH(s[from]);
        NEXT(PickWide);
    }
    op_SlotAddress : {
        CHECK_STACK(SlotAddress);
        PUSH(stackAddress + bits(top + 1 + op->a) * 4);
        NEXT(SlotAddress);
    }
    op_SlotAddressWide : {
        CHECK_STACK(SlotAddressWide);
        PUSH(stackAddress + (bits(top) + 1 + u32(op->a)) * 4);
        NEXT(SlotAddressWide);
    }
    op_Field : {
        CHECK_STACK(Field);
        if (s[top] == 0) throwError(ENullPointer, "NULL pointer");
        s[top] += bits(op->a) * 4;
        NEXT(Field);
    }
    op_FieldWide : {
        CHECK_STACK(FieldWide);
        if (s[top] == 0) throwError(ENullPointer, "NULL pointer");
        s[top] += u32(op->a) * 4;
        NEXT(FieldWide);
    }
    op_Load : {
        CHECK_STACK(Load);
        s[top] = space.load32(s[top]);
        NEXT(Load);
    }
    op_Load2 : {
        CHECK_STACK(Load2);
        s[top] = space.load32(space.load32(s[top]));
        NEXT(Load2);
    }
    op_Load3 : {
        CHECK_STACK(Load3);
        s[top] = space.load32(space.load32(space.load32(s[top])));
        NEXT(Load3);
    }
    op_Adjust : {
        const TInt32 n = op->a;
        if (n <= 0) {
            NEED_WIDE(1 - n);
            top += n;
        } else {
            ROOM_WIDE(n);
            for (TInt32 i = 0; i < n; ++i)
                PUSH(0);
        }
        NEXT(Adjust);
    }
    op_AdjustWide : {
        const TInt64 n = op->a;
        if (n <= 0) {
            NEED_WIDE(1 - n);
            top += static_cast<TInt32>(n);
        } else {
            ROOM_WIDE(n);
            for (TInt64 i = 0; i < n; ++i)
                PUSH(0);
        }
        NEXT(AdjustWide);
    }
    op_BranchIfZero : {
        CHECK_STACK(BranchIfZero);
        const TUint32 condition = s[top--];
        if (condition != 0) NEXT(BranchIfZero);
        JUMP_TO(op->a, "branch");
    }
    op_BranchIfZeroWide : {
        CHECK_STACK(BranchIfZeroWide);
        const TUint32 condition = s[top--];
        if (condition != 0) NEXT(BranchIfZeroWide);
        JUMP_TO(op->a, "branch");
    }
    op_Branch:
        JUMP_TO(op->a, "branch");
    op_BranchWide:
        JUMP_TO(op->a, "branch");

    op_Call : {
        const TInt32 target = op->a;
        if (target < 0) fatalError("call outside the code", POSITION);
        CHECK_STACK(Call);
        PUSH(bits(POSITION + instructionLength(static_cast<TUint8>(Opcode::Call))));
        enterMethodFrame(op->b, top);
        op = opsBase + target;
        DISPATCH();
    }
    op_ClassMethodCall : {
        CHECK_STACK(ClassMethodCall);
        const MethodEntry& entry = classMethodEntry(u32(op->a), wrap(s[top]), POSITION);
        if (bits(entry.codeOffset) >= codeSize) fatalError("call outside the code", POSITION);
        s[top] = bits(POSITION + instructionLength(static_cast<TUint8>(Opcode::ClassMethodCall)));
        enterMethodFrame(entry.methodIndex, top);
        op = opsBase + entry.codeOffset;
        DISPATCH();
    }
    op_Return : {
        const TInt64 from = TInt64{top} - u32(op->a);
        const TInt64 newSp = TInt64{top} - u32(op->b);
        if (from < 0) fatalError("return address outside the stack", POSITION);
        if (newSp < -1) goto stack_underflow;
        const TInt32 target = wrap(s[from]);
        frames.pop();
        top = static_cast<TInt32>(newSp);
        if (target < 0) {
            sp = top;
            pc = target;
            return;
        }
        JUMP_TO(target, "return");
    }

    op_New : {
        const TInt32 gcCode = op->a;
        if (!isAllocatableGcCode(gcCode)) fatalError("Invalid mem alloc gc code", POSITION);
        CHECK_STACK(New);
        sp = top;
        const TVMAddress block =
            heap.allocateBytes(wordBytes(u32(op->b)), static_cast<GcCode>(gcCode));
        PUSH(block);
        NEXT(New);
    }
    op_NewStore:
    op_NewStoreKeep : {
        const TInt32 gcCode = op->a;
        if (!isAllocatableGcCode(gcCode)) fatalError("Invalid mem alloc gc code", POSITION);
        CHECK_STACK(NewStore, NewStoreKeep);
        sp = top;
        const TVMAddress block =
            heap.allocateBytes(wordBytes(u32(op->b)), static_cast<GcCode>(gcCode));
        space.store32(s[top], convertReferenceDepth(op->c, block));
        if (op->opcode == static_cast<TUint8>(Opcode::NewStore)) --top;
        NEXT(NewStore);
    }
    op_Pack:
    op_PackWide : {
        const TUint32 n = wordCount(op);
        NEED_WIDE(TInt64{n});
        if (n == 0) ROOM(1);
        sp = top;
        const TVMAddress block = heap.allocateBytes(wordBytes(n), GC_CODE_DATA);
        top -= static_cast<TInt32>(n);
        if (n > 0) std::memcpy(wordsAt(block, n), s + top + 1, n * 4);
        PUSH(block);
        op += instructionLength(op->opcode);
        DISPATCH();
    }
    op_Box:
    op_BoxData : {
        CHECK_STACK(Box, BoxData);
        const GcCode kind =
            op->opcode == static_cast<TUint8>(Opcode::Box) ? GC_CODE_NATIVE_REF : GC_CODE_DATA;
        sp = top;
        const TVMAddress cell = heap.allocateBytes(4, kind);
        space.store32(cell, s[top]);
        s[top] = cell;
        NEXT(Box);
    }
    op_NewString : {
        CHECK_STACK(NewString);
        const TUint32 index = u32(op->a);
        if (index >= tables.stringConstants.size()) throwError(EInvalidArgument);
        sp = top;
        PUSH(newStringCell(heap, tables.stringConstants[index]));
        NEXT(NewString);
    }
    op_ToString : {
        CHECK_STACK(ToString);
        sp = top;
        s[top] = newStringCell(heap, OString::number(wrap(s[top])));
        NEXT(ToString);
    }
    op_NewArray : {
        CHECK_STACK(NewArray);
        const TVMAddress variable = s[top];
        const TInt32 elementSize = op->a;
        if (!OVector::isElementSize(elementSize))
            fatalError("unsupported array element size", POSITION);
        if (variable == 0) throwError(ENullPointer, "NULL pointer");
        sp = top;
        space.store32(variable + 4, bits(elementSize));
        space.store32(variable, OVector::create(heap, elementSize));
        --top;
        NEXT(NewArray);
    }
    op_Free : {
        CHECK_STACK(Free);
        heap.freeObject(s[top]);
        --top;
        NEXT(Free);
    }
    op_FreeCell : {
        CHECK_STACK(FreeCell);
        const TVMAddress cell = s[top];
        heap.freeObject(space.load32(cell));
        heap.freeObject(cell);
        --top;
        NEXT(FreeCell);
    }
    op_Globals : {
        CHECK_STACK(Globals);
        PUSH(globals);
        NEXT(Globals);
    }

    op_Dup : {
        CHECK_STACK(Dup);
        PUSH(s[top]);
        NEXT(Dup);
    }
    op_Not : {
        CHECK_STACK(Not);
        s[top] = truth(s[top] == 0);
        NEXT(Not);
    }
    op_Push : {
        CHECK_STACK(Push);
        PUSH(u32(op->a));
        NEXT(Push);
    }
    op_PushTrue:
    op_PushTrueAlt : {
        CHECK_STACK(PushTrue, PushTrueAlt);
        PUSH(0xFFFFFFFFu);
        NEXT(PushTrue);
    }
    op_PushFalse : {
        CHECK_STACK(PushFalse);
        PUSH(0);
        NEXT(PushFalse);
    }
    op_Push64 : {
        CHECK_STACK(Push64);
        PUSH(u32(op->a));
        PUSH(u32(op->b));
        NEXT(Push64);
    }

    op_SetClass : {
        CHECK_STACK(SetClass);
        space.store32(s[top], u32(op->a));
        --top;
        NEXT(SetClass);
    }
    op_Store:
    op_StoreAlt : {
        CHECK_STACK(Store, StoreAlt);
        space.store32(s[top - 1], s[top]);
        top -= 2;
        NEXT(Store);
    }
    op_StoreZero : {
        CHECK_STACK(StoreZero);
        space.store32(s[top], 0);
        --top;
        NEXT(StoreZero);
    }
    op_IncAt:
    op_DecAt : {
        CHECK_STACK(IncAt, DecAt);
        const TVMAddress address = s[top];
        const TUint32 step = op->opcode == static_cast<TUint8>(Opcode::IncAt) ? 1u : 0xFFFFFFFFu;
        space.store32(address, space.load32(address) + step);
        --top;
        NEXT(IncAt);
    }
        AT_WORD(AddAt, word + b)
        AT_WORD(SubAt, word - b)
        AT_WORD(MulAt, word * b)
        AT_WORD(DivAt, bits(divide(wrap(word), wrap(b))))
        AT_WORD(RemAt, bits(remainder(wrap(word), wrap(b))))
        AT_WORD(AndAt, word & b)
        AT_WORD(OrAt, word | b)
        AT_WORD(XorAt, word ^ b)
        AT_WORD(ShiftLeftAt, bits(shiftLeft(wrap(word), wrap(b))))
        AT_WORD(ShiftRightAt, bits(shiftRight(wrap(word), wrap(b))))

        BINARY(Add, binary<Opcode::Add>(a, b))
        BINARY(Sub, binary<Opcode::Sub>(a, b))
        BINARY(Mul, binary<Opcode::Mul>(a, b))
        BINARY(Div, bits(divide(wrap(a), wrap(b))))
        BINARY(Rem, bits(remainder(wrap(a), wrap(b))))
        BINARY(And, binary<Opcode::And>(a, b))
        BINARY(Or, binary<Opcode::Or>(a, b))
        BINARY(Xor, binary<Opcode::Xor>(a, b))
        BINARY(ShiftLeft, binary<Opcode::ShiftLeft>(a, b))
        BINARY(ShiftRight, bits(shiftRight(wrap(a), wrap(b))))
        BINARY(Equal, binary<Opcode::Equal>(a, b))
        BINARY(Less, binary<Opcode::Less>(a, b))
        BINARY(LessEqual, binary<Opcode::LessEqual>(a, b))
        BINARY(NotEqual, binary<Opcode::NotEqual>(a, b))
        BINARY(Greater, binary<Opcode::Greater>(a, b))
        BINARY(GreaterEqual, binary<Opcode::GreaterEqual>(a, b))
        BINARY(LogicalAnd, truth(a != 0 && b != 0))
        BINARY(LogicalOr, truth(a != 0 || b != 0))
        BINARY(LogicalXor, truth((a != 0) != (b != 0)))
        BINARY(LogicalSame, (a != 0) == (b != 0) ? 1u : 0u)
        BINARY(LogicalDiffer, (a != 0) != (b != 0) ? 1u : 0u)
        BINARY(DivByte, bits(divideBytes(lowByte(a), b)))
        BINARY(RemByte, bits(remainderBytes(lowByte(a), b)))
        BINARY(ShiftLeftByte, bits(byteShiftLeft(lowByte(a), static_cast<TInt32>(b & 0xFF))))
        BINARY(ShiftRightByte, bits(byteShiftRight(lowByte(a), static_cast<TInt32>(b & 0xFF))))
        BINARY(EqualByte, truth((a & 0xFF) == (b & 0xFF)))
        BINARY(LessByte, truth(lowByte(a) < lowByte(b)))
        BINARY(LessEqualByte, truth(lowByte(a) <= lowByte(b)))
        BINARY(NotEqualByte, truth((a & 0xFF) != (b & 0xFF)))
        BINARY(GreaterByte, truth(lowByte(a) > lowByte(b)))
        BINARY(GreaterEqualByte, truth(lowByte(a) >= lowByte(b)))
        BINARY(EqualHalf, truth((a & 0xFFFF) == (b & 0xFFFF)))
        BINARY(LessHalf, truth(lowHalf(a) < lowHalf(b)))
        BINARY(LessEqualHalf, truth(lowHalf(a) <= lowHalf(b)))
        BINARY(NotEqualHalf, truth((a & 0xFFFF) != (b & 0xFFFF)))
        BINARY(GreaterHalf, truth(lowHalf(a) > lowHalf(b)))
        BINARY(GreaterEqualHalf, truth(lowHalf(a) >= lowHalf(b)))

    op_Neg : {
        CHECK_STACK(Neg);
        s[top] = 0u - s[top];
        NEXT(Neg);
    }
    op_ZeroExtendByte : {
        CHECK_STACK(ZeroExtendByte);
        s[top] &= 0xFF;
        NEXT(ZeroExtendByte);
    }
    op_SignExtendBytes : {
        const TInt32 n = std::max(0, op->a);
        NEED(n);
        for (TInt32 i = 0; i < n; ++i)
            s[top - i] = bits(lowByte(s[top - i]));
        NEXT(SignExtendBytes);
    }

    op_ZeroWords:
    op_ZeroWordsWide : {
        CHECK_STACK(ZeroWords, ZeroWordsWide);
        const TUint32 n = wordCount(op);
        if (n > 0) std::memset(wordsAt(s[top], n), 0, n * 4);
        --top;
        op += instructionLength(op->opcode);
        DISPATCH();
    }
    op_CopyWords:
    op_CopyWordsWide : {
        CHECK_STACK(CopyWords, CopyWordsWide);
        const TUint32 n = wordCount(op);
        if (n > 0) copyWordsUpwards(wordsAt(s[top - 1], n), wordsAt(s[top], n), n);
        --top;
        op += instructionLength(op->opcode);
        DISPATCH();
    }
    op_LoadWords:
    op_LoadWordsWide : {
        NEED(1);
        const TUint32 n = wordCount(op);
        ROOM_WIDE(TInt64{n} - 1);
        if (n > 0) copyWordsUpwards(s + top, wordsAt(s[top], n), n);
        top += static_cast<TInt32>(n) - 1;
        op += instructionLength(op->opcode);
        DISPATCH();
    }
    op_StoreWords:
    op_StoreWordsWide : {
        const TUint32 n = wordCount(op);
        NEED_WIDE(TInt64{n} + 1);
        top -= static_cast<TInt32>(n) + 1;
        if (n > 0) copyWordsUpwards(wordsAt(s[top + 1], n), s + top + 2, n);
        op += instructionLength(op->opcode);
        DISPATCH();
    }

    op_IncByteAt:
    op_DecByteAt : {
        CHECK_STACK(IncByteAt, DecByteAt);
        const TVMAddress address = s[top];
        const TInt32 step = op->opcode == static_cast<TUint8>(Opcode::IncByteAt) ? 1 : -1;
        space.store8(address, static_cast<TUint8>(space.load8(address) + step));
        --top;
        NEXT(IncByteAt);
    }
        AT_BYTE(AddByteAt, byte + lowByte(b))
        AT_BYTE(SubByteAt, byte - lowByte(b))
        AT_BYTE(MulByteAt, byte * lowByte(b))
        AT_BYTE(DivByteAt, divideBytes(byte, b))
        AT_BYTE(RemByteAt, remainderBytes(byte, b))
        AT_BYTE(AndByteAt, byte & lowByte(b))
        AT_BYTE(OrByteAt, byte | lowByte(b))
        AT_BYTE(XorByteAt, byte ^ lowByte(b))
        AT_BYTE(ShiftLeftByteAt, byteShiftLeftSigned(byte, lowByte(b)))
        AT_BYTE(ShiftRightByteAt, byteShiftRightSigned(byte, lowByte(b)))
    op_StoreZeroByte : {
        CHECK_STACK(StoreZeroByte);
        space.store8(s[top], 0);
        --top;
        NEXT(StoreZeroByte);
    }
    op_StoreByte : {
        CHECK_STACK(StoreByte);
        space.store8(s[top - 1], static_cast<TUint8>(s[top]));
        top -= 2;
        NEXT(StoreByte);
    }
    op_StoreZeroHalf : {
        CHECK_STACK(StoreZeroHalf);
        space.store16(s[top], 0);
        --top;
        NEXT(StoreZeroHalf);
    }
    op_StoreHalf : {
        CHECK_STACK(StoreHalf);
        space.store16(s[top - 1], static_cast<TUint16>(s[top]));
        top -= 2;
        NEXT(StoreHalf);
    }

    op_PickLoad1:
    op_PickLoad2:
    op_PickLoad3 : {
        CHECK_STACK(PickLoad1, PickLoad2, PickLoad3);
        TUint32 value = s[SLOT_INDEX(op->a)];
        const int loads = op->opcode - static_cast<TUint8>(Opcode::PickLoad1) + 1;
        for (int i = 0; i < loads; ++i)
            value = space.load32(value);
        PUSH(value);
        op += instructionLength(op->opcode);
        DISPATCH();
    }
    op_PickField1:
    op_PickField2:
    op_PickField3 : {
        CHECK_STACK(PickField1, PickField2, PickField3);
        TUint32 value = s[SLOT_INDEX(op->a)];
        const int loads = op->opcode - static_cast<TUint8>(Opcode::PickField1) + 1;
        for (int i = 0; i < loads; ++i)
            value = space.load32(value);
        if (value == 0) throwError(ENullPointer, "NULL pointer");
        PUSH(value + bits(op->b) * 4);
        op += instructionLength(op->opcode);
        DISPATCH();
    }

    op_Try : {
        if (handlerTop < 0 || handlerTop + 1 >= kHandlerCapacity)
            throwError(EVMException, "exception handler table overflow");
        HandlerRecord& record = handlers[static_cast<std::size_t>(++handlerTop)];
        record.classIndex = op->a;
        record.savedSp = top;
        record.handlerPc = op->b;
        record.frameDepth = frames.depth();
        NEXT(Try);
    }
    op_LeaveTry : {
        const TInt32 active = handlerTop + op->a;
        if (active < 0 || active >= kHandlerCapacity)
            throwError(EVMException, "exception handler table overflow");
        handlerTop = active;
        NEXT(LeaveTry);
    }
    op_Throw : {
        NEED(1);
        const TVMAddress exception = s[top];
        if (exception == 0) NEXT(Throw);
        sp = top;
        pc = POSITION;
        spHandedOver = true;
        throwException(exception);
        spHandedOver = false;
        top = sp;
        limit = stackLimit;
        op = opsBase + pc;
        DISPATCH();
    }

    op_Native : {
        sp = top;
        pc = POSITION + 2;
        spHandedOver = true;
        callNative(op->a, op->b);
        spHandedOver = false;
        top = sp;
        NEXT(Native);
    }
    op_Extension : {
        sp = top;
        pc = POSITION + 2;
        spHandedOver = true;
        const TInt32 newSp = host.extensions->callExtension(op->a, op->b, top, stackAddress);
        spHandedOver = false;
        if (newSp < -1 || newSp >= kStackStorageSlots)
            fatalError("extension left the stack outside its bounds", POSITION);
        top = newSp;
        NEXT(Extension);
    }

        KESTRO_FUSED_COMPARISONS(FUSED_COMPARE, )
        KESTRO_FUSED_OPERATIONS(FUSED_OPERATE, )
        FUSED_SLOT_STEP(SlotIncrement, 1u)
        FUSED_SLOT_STEP(SlotDecrement, 0xFFFFFFFFu)
        FUSED_SLOT_UPDATE(SlotAddSlot, +=)
        FUSED_SLOT_UPDATE(SlotSubtractSlot, -=)
        FUSED_SLOT_UPDATE(SlotStoreSlot, =)
    fused_PushStore : {
        if (top >= limit - 1 || top < 0) [[unlikely]]
            RUN_PLAIN();
        const TVMAddress address = s[top];
        const TUint32 value = u32(op->a);
        if (!space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        s[top + 1] = value;
        space.store32(address, value);
        --top;
        FUSED_NEXT();
    }
    fused_PickPick : {
        PICKED_SLOTS(first, second, 2)
        s[top + 1] = s[first];
        s[top + 2] = s[second];
        top += 2;
        FUSED_NEXT();
    }
    fused_PickFieldLoad : {
        PICKED_SLOT(from, 1)
        const TVMAddress object = s[from];
        const TVMAddress address = object + bits(op->b) * 4;
        if (object == 0 || !space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        s[++top] = space.load32(address);
        FUSED_NEXT();
    }
    // A global word's address, and its value.
    fused_GlobalField : {
        if (top >= limit - 1 || globals == 0) [[unlikely]]
            RUN_PLAIN();
        s[++top] = globals + bits(op->a) * 4;
        FUSED_NEXT();
    }
    fused_GlobalLoad : {
        const TVMAddress address = globals + bits(op->a) * 4;
        if (top >= limit - 1 || globals == 0 || !space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        s[++top] = space.load32(address);
        FUSED_NEXT();
    }
    fused_PickDupLoad : {
        PICKED_SLOT(from, 2)
        const TVMAddress address = s[from];
        if (!space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        s[top + 1] = address;
        s[top + 2] = space.load32(address);
        top += 2;
        FUSED_NEXT();
    }

    fused_SumLoad : {
        if (top < 1) [[unlikely]]
            RUN_PLAIN();
        const TVMAddress address = s[top - 1] + s[top];
        if (!space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        s[top - 1] = space.load32(address);
        --top;
        FUSED_NEXT();
    }

    fused_SumStore : {
        if (top < 2) [[unlikely]]
            RUN_PLAIN();
        const TVMAddress address = s[top - 2];
        if (!space.contains(address, 4)) [[unlikely]]
            RUN_PLAIN();
        const TUint32 sum = s[top - 1] + s[top];
        s[top - 1] = sum;
        space.store32(address, sum);
        top -= 3;
        FUSED_NEXT();
    }

    // Natives on the array variable in slot top - 1 and the index in slot top, or on the
    // array variable in slot top: where a native would raise an error, it runs itself.
    fused_ElementAddress : {
        STACK_ELEMENT(u32(op->a))
        if (!found) [[unlikely]]
            RUN_PLAIN();
        s[--top] = address;
        FUSED_NEXT();
    }
        // The element's first word.
        FUSED_ELEMENT_LOAD(ElementLoad, u32(op->a))
        FUSED_ELEMENT_LOAD(WordLoad, 4u)
    // The element's slots from slot top on, over the index; a byte is sign-extended.
    fused_ElementValue : {
        const TUint32 width = u32(op->a);
        const TInt32 slots = width < 4 ? 1 : static_cast<TInt32>(width / 4);
        STACK_ELEMENT(width)
        if (!found || top + slots - 1 >= limit) [[unlikely]]
            RUN_PLAIN();
        if (width < 4)
            s[top] = bits(static_cast<TInt8>(space.load8(address)));
        else
            copyWordsUpwards(s + top, space.hostPointer(address, width), width / 4);
        top += slots - 1;
        FUSED_NEXT();
    }
    fused_ArraySize : {
        if (top < 0) [[unlikely]]
            RUN_PLAIN();
        arrayAccess::Array array;
        if (!foundArrays.find(space, s[top], u32(op->a), array)) [[unlikely]]
            FIND_AGAIN(s[top], u32(op->a));
        s[top] = array.size;
        FUSED_NEXT();
    }
    // addr a; pick b; then the element's address, or its first word, or its size. Each
    // pushes what addr and pick push before the native reads it.
    fused_SlotElementAddress : {
        SLOTS_DOWN_TO(op->c)
        const TInt64 variable = TInt64{top} + 1 + op->a;
        const TInt64 index = TInt64{top} + 2 + op->b;
        LOCAL_ELEMENT(variable, index, ELEMENT_BYTES(op->c))
        if (!found) [[unlikely]]
            RUN_PLAIN();
        s[++top] = address;
        FUSED_NEXT();
    }
        FUSED_SLOT_ELEMENT_LOAD(SlotElementLoad, ELEMENT_BYTES(op->c))
        FUSED_SLOT_ELEMENT_LOAD(SlotWordLoad, 4u)
        FUSED_SLOT_ELEMENT_BRANCH(SlotElementBranch, ELEMENT_BYTES(op->b))
        FUSED_SLOT_ELEMENT_BRANCH(SlotWordBranch, 4u)
        // An element's address, then push c or pick c, and store.
        FUSED_ELEMENT_STORE(ElementStoreConst, false, 0, u32(op->b))
        FUSED_ELEMENT_STORE(ElementStorePick, true, TInt64{top} + op->b, s[picked])
        FUSED_SLOT_ELEMENT_STORE(SlotElementStoreConst, ELEMENT_BYTES(op->b), u32(op->c))
        FUSED_SLOT_ELEMENT_STORE(SlotWordStoreConst, 4u, u32(op->c))
        FUSED_SLOT_ELEMENT_STORE(SlotElementStorePick, ELEMENT_BYTES(op->b),
                                 s[TInt64{top} + 2 + op->c])
        FUSED_SLOT_ELEMENT_STORE(SlotWordStorePick, 4u, s[TInt64{top} + 2 + op->c])
    // a[i] = x op c: the element's address, the value and the constant above the top.
    fused_SlotWordStoreOperate : {
        FIND_WORD_ELEMENT()
        const TUint32 constant = u32(op->c);
        const TUint32 stored = constantOperation(OFFSET_BYTE(2) - EStoredOperation,
                                                 slots[2 + TInt64{OFFSET_BYTE(3)}], constant);
        slots[1] = element;
        slots[2] = stored;
        slots[3] = constant;
        std::memcpy(space.hostPointerOfContained(element), &stored, 4);
        FUSED_NEXT();
    }
    // The array of a StoreStepSize, BranchStepSize or SlotWordStoreOperate entry, not among
    // those found lately.
    word_element_missed : {
        const TInt64 variable = TInt64{top} + 1 + OFFSET_BYTE(0);
        FIND_AGAIN(SLOT_ADDRESS(variable), 4u);
    }
    fused_SlotArraySize : {
        PICKED_SLOT(variable, 1)
        s[top + 1] = SLOT_ADDRESS(variable);
        arrayAccess::Array array;
        if (!foundArrays.findInSlot(space, static_cast<TUint32>(variable), s[variable], u32(op->c),
                                    array)) [[unlikely]]
            FIND_AGAIN(s[top + 1], u32(op->c));
        s[++top] = array.size;
        FUSED_NEXT();
    }

    // Natives on the string cell in slot top - 1 and the index in slot top, or on the
    // string cell in slot top.
    fused_StringCharAt : {
        const OString* text = top < 1 ? nullptr : stringInCellOrNull(heap, s[top - 1]);
        const TInt32 index = wrap(s[top]);
        if (!text || index < 0 || index >= text->length()) [[unlikely]]
            RUN_PLAIN();
        s[--top] = text->units()[index];
        FUSED_NEXT();
    }
    fused_StringLength : {
        const OString* text = top < 0 ? nullptr : stringInCellOrNull(heap, s[top]);
        if (!text) [[unlikely]]
            RUN_PLAIN();
        s[top] = bits(text->length());
        FUSED_NEXT();
    }

    // Branches whose targets lie in the code.
    fused_BranchIfZero : {
        if (top < 0) [[unlikely]]
            RUN_PLAIN();
        FUSED_BRANCH(s[top--]);
    }
    fused_Jump:
        FUSED_NEXT();

    // A call whose frame offset and return position the decoder worked out.
    fused_Call : {
        if (top >= limit - 1 || frames.full(limit)) [[unlikely]]
            RUN_PLAIN();
        s[++top] = u32(op->b);
        frames.push(op->a, wrap(u32(top) - u32(op->c))); // any frame offset a module gives
        FUSED_NEXT();
    }
    // A return whose slot counts are small; a return address outside the code (a negative
    // one ends the run) takes the plain way.
    fused_Return : {
        if (top < op->c) [[unlikely]]
            RUN_PLAIN();
        const TUint32 target = s[top - op->a];
        if (target >= codeSize) [[unlikely]]
            RUN_PLAIN();
        frames.pop();
        top -= op->b;
        op = opsBase + target;
        DISPATCH();
    }

    op_invalid : {
        const std::string message =
            "Internal error: invalid opcode " + std::to_string(static_cast<TInt8>(op->opcode));
        fatalError(message.c_str(), POSITION);
    }
    fused_invalid:
        fatalError("Internal error: fused sequence without a handler", POSITION);

    // The entry profile's counting handlers (EntryProfile.h): each counts its entry and goes
    // on to the entry's own handler.
    count_fused:
        goto* entryProfile.fusedRan(op - opsBase);
    count_plain:
        goto* entryProfile.plainRan(op - plainBase);

    stack_overflow:
        stackOverflow();
    stack_underflow:
        fatalError("operand stack underflow", POSITION);
    } catch (...) {
        pc = POSITION + opcodeInfo(op->opcode).operandBytes;
        if (!spHandedOver) sp = top;
        throw;
    }
#undef POSITION
#undef NEED
#undef NEED_WIDE
#undef CHECK_STACK
#undef ROOM
#undef ROOM_WIDE
#undef DISPATCH
#undef NEXT
#undef JUMP_TO
#undef SLOT_INDEX
#undef PUSH
#undef BINARY
#undef AT_WORD
#undef AT_BYTE
#undef RUN_PLAIN
#undef ENTRY_AT
#undef FUSED_NEXT
#undef FUSED_BRANCH
#undef IN_STACK
#undef PICKED_SLOT
#undef PICKED_SLOTS
#undef SLOT_ADDRESS
#undef LOCAL_ELEMENT
#undef PAIRED_LOCAL_ELEMENT
#undef STACK_ELEMENT
#undef FIND_AGAIN
#undef RUN_PLAIN_REMEMBERING
#undef STORE_INTO_ELEMENT
#undef FUSED_SLOT_ELEMENT_STORE
#undef FUSED_SLOT_ELEMENT_LOAD
#undef FUSED_ELEMENT_LOAD
#undef FUSED_SLOT_ELEMENT_BRANCH
#undef FUSED_ELEMENT_STORE
#undef REQUIRE_ELEMENT_WORD
#undef OFFSET_BYTE
#undef OFFSET_HALF
#undef ELEMENT_BYTES
#undef SLOTS_DOWN_TO
#undef STEPPED_SLOTS
#undef STEPPED_SIZE_TEST
#undef FIND_WORD_ELEMENT
#undef STORED_VALUE
#undef STEP_ON_FOUND_ARRAY
#undef FUSED_COMPARE
#undef FUSED_OPERATE
#undef FUSED_SLOT_UPDATE
#undef FUSED_SLOT_STEP
}
