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
#include "ConstantDivision.h"
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
template <Opcode name>
[[gnu::always_inline]] inline TUint32 byConstant(TUint32 a, TUint32 b, ConstantDivision&) {
    return binary<name>(a, b);
}
template <>
[[gnu::always_inline]] inline TUint32 byConstant<Opcode::Div>(TUint32 a, TUint32 b,
                                                              ConstantDivision& divisions) {
    return divisions.quotient(a, b);
}
template <>
[[gnu::always_inline]] inline TUint32 byConstant<Opcode::Rem>(TUint32 a, TUint32 b,
                                                              ConstantDivision& divisions) {
    return divisions.remainder(a, b);
}
// The one of that number.
[[gnu::always_inline]] inline TUint32 constantOperation(TInt32 operation, TUint32 a, TUint32 b,
                                                        ConstantDivision& divisions) {
    switch (operation) {
#define KESTRO_CONSTANT_OPERATION_CASE(unused, name)                                               \
    case EConstant##name: return byConstant<Opcode::name>(a, b, divisions);
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
    // For the entries that divide by a constant.
    ConstantDivision divisions;
    // Set while a native, an extension or a throw owns `sp`: an error raised there
    // leaves the stack as that code left it.
    bool spHandedOver = false;
    // Set while the entry profile counts the entries that run.
    const bool profiling = entryProfile.counting();

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
// Every entry that runs spends one instruction of a fuzzing build's budget.
#ifdef KESTRO_INSTRUCTION_BUDGET
#define SPEND_INSTRUCTION()                                                                        \
    if (InstructionBudget::spend()) fatalError("instruction budget used up", POSITION);
#else
#define SPEND_INSTRUCTION()
#endif
#define DISPATCH()                                                                                 \
    do {                                                                                           \
        SPEND_INSTRUCTION()                                                                        \
        goto * op->handler;                                                                        \
    } while (0)
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
        BINARY(ShiftRight, binary<Opcode::ShiftRight>(a, b))
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

    // The fused entries' handlers.
#include "FusedHandlers.inc"

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
#undef SPEND_INSTRUCTION
#undef NEXT
#undef JUMP_TO
#undef SLOT_INDEX
#undef PUSH
#undef BINARY
#undef AT_WORD
#undef AT_BYTE
}
