// The instruction set, defined once. The table drives the loader's operand widths and
// relocation, the assembler, the disassembler and the interpreter's dispatch, so that
// they cannot disagree.
#pragma once

#include "Types.h"

#include <array>
#include <cstddef>

// What an operand means; this decides its width, how the loader relocates it and how
// the assembler and disassembler spell it.
enum class OperandKind : TUint8 {
    Int8,           // signed byte
    Int32,          // signed 32-bit value
    Uint32,         // unsigned 32-bit value
    Branch16,       // signed offset from the instruction's last byte
    Branch32,       // signed offset from the instruction's last byte
    CodeOffset,     // absolute code offset; relocated by the code base
    FrameIndex,     // frame-layout (method) index; relocated unless negative
    ClassMethod,    // module-local class-method record; replaced by its method-table index
    StringIndex,    // string constant; relocated by the string base
    ClassIndex,     // class index; relocated by the class base
    HandlerClass,   // class caught by a handler; relocated unless negative (catch-all)
    HandlerOffset,  // handler position, relative to the instruction's last byte
    GcCode,         // heap block kind (signed byte)
    NativeGroup,    // native group number (signed byte)
    NativeFunction, // function number within the native group (signed byte)
    Int64,          // eight bytes: a 64-bit constant, low word first
};

constexpr int operandWidth(OperandKind kind) {
    switch (kind) {
    case OperandKind::Int8:
    case OperandKind::GcCode:
    case OperandKind::NativeGroup:
    case OperandKind::NativeFunction: return 1;
    case OperandKind::Branch16: return 2;
    case OperandKind::Int64: return 8;
    default: return 4;
    }
}

// A slot count that depends on the operands or on the stack.
inline constexpr TInt8 kVaries = -1;

// X(code, Name, "mnemonic", (operand kinds...), "operands", pops, pushes, "effect"), by
// group. "operands" names the operands as the effect and the assembly language call them;
// pops and pushes count the slots the instruction takes off the stack and puts on it (a
// call's return address, but nothing its callee does), or kVaries. In the effects, b is the
// top slot and a the one under it; an effect that is a value replaces the popped slots.
// Names ending in "Wide" take 32-bit operands where the plain form takes a byte.

// Stack and constants
#define KESTRO_STACK_OPCODES(X)                                                                    \
    X(0, Nop, "nop", (), "", 0, 0, "nothing")                                                      \
    X(1, Pick, "pick", (Int8), "n", 0, 1,                                                          \
      "push a copy of slot `sp`+1+n (n = -1 duplicates the top)")                                  \
    X(2, PickWide, "pick.w", (Int32), "n", 0, 1, "as `pick` with a 32-bit offset")                 \
    X(3, SlotAddress, "addr", (Int8), "n", 0, 1, "push the address of slot `sp`+1+n")              \
    X(4, SlotAddressWide, "addr.w", (Int32), "n", 0, 1, "as `addr` with a 32-bit offset")          \
    X(8, Adjust, "adjust", (Int8), "n", kVaries, kVaries,                                          \
      "n ≤ 0 drops -n slots, n > 0 pushes n zeros")                                                \
    X(9, AdjustWide, "adjust.w", (Int32), "n", kVaries, kVaries,                                   \
      "as `adjust` with a 32-bit count")                                                           \
    X(18, Dup, "dup", (), "", 1, 2, "push a copy of the top slot")                                 \
    X(20, Push, "push", (Uint32), "v", 0, 1, "push v")                                             \
    X(58, PushTrue, "true", (), "", 0, 1, "push -1")                                               \
    X(114, PushTrueAlt, "true.alt", (), "", 0, 1, "push -1")                                       \
    X(59, PushFalse, "false", (), "", 0, 1, "push 0")                                              \
    X(65, Push64, "push64", (Int64), "v", 0, 2, "push a 64-bit value as two slots, low word first")

// Arithmetic and logic
#define KESTRO_ARITHMETIC_OPCODES(X)                                                               \
    X(26, Add, "add", (), "", 2, 1, "a + b")                                                       \
    X(27, Sub, "sub", (), "", 2, 1, "a - b")                                                       \
    X(28, Mul, "mul", (), "", 2, 1, "a × b")                                                       \
    X(29, Div, "div", (), "", 2, 1, "a ÷ b, truncated; b = 0 raises DivisionByZeroException")      \
    X(30, Rem, "rem", (), "", 2, 1,                                                                \
      "a remainder b, with the sign of a; b = 0 raises DivisionByZeroException")                   \
    X(31, Neg, "neg", (), "", 1, 1, "-b")                                                          \
    X(45, And, "and", (), "", 2, 1, "a AND b, bit by bit")                                         \
    X(46, Or, "or", (), "", 2, 1, "a OR b, bit by bit")                                            \
    X(47, Xor, "xor", (), "", 2, 1, "a XOR b, bit by bit")                                         \
    X(48, ShiftLeft, "shl", (), "", 2, 1,                                                          \
      "a shifted left by b (over 31: 0; negative b shifts right)")                                 \
    X(49, ShiftRight, "shr", (), "", 2, 1,                                                         \
      "a shifted right arithmetically by b (over 31: 0; negative b shifts left)")                  \
    X(19, Not, "not", (), "", 1, 1, "-1 if b = 0, else 0")                                         \
    X(60, LogicalAnd, "land", (), "", 2, 1, "-1 if a and b are both non-zero, else 0")             \
    X(61, LogicalOr, "lor", (), "", 2, 1, "-1 if a or b is non-zero, else 0")                      \
    X(62, LogicalXor, "lxor", (), "", 2, 1, "-1 if exactly one of a and b is non-zero, else 0")    \
    X(63, LogicalSame, "lsame", (), "", 2, 1,                                                      \
      "1 if a and b are both zero or both non-zero, else 0")                                       \
    X(64, LogicalDiffer, "ldiffer", (), "", 2, 1, "1 if exactly one of a and b is non-zero, else 0")

// Comparisons
#define KESTRO_COMPARISON_OPCODES(X)                                                               \
    X(39, Equal, "eq", (), "", 2, 1, "-1 if a = b, else 0")                                        \
    X(40, Less, "lt", (), "", 2, 1, "-1 if a < b (signed), else 0")                                \
    X(41, LessEqual, "le", (), "", 2, 1, "-1 if a ≤ b (signed), else 0")                           \
    X(42, NotEqual, "ne", (), "", 2, 1, "-1 if a ≠ b, else 0")                                     \
    X(43, Greater, "gt", (), "", 2, 1, "-1 if a > b (signed), else 0")                             \
    X(44, GreaterEqual, "ge", (), "", 2, 1, "-1 if a ≥ b (signed), else 0")                        \
    X(170, EqualByte, "eq.b", (), "", 2, 1, "as `eq` on the low bytes")                            \
    X(171, LessByte, "lt.b", (), "", 2, 1, "as `lt` on the signed low bytes")                      \
    X(172, LessEqualByte, "le.b", (), "", 2, 1, "as `le` on the signed low bytes")                 \
    X(173, NotEqualByte, "ne.b", (), "", 2, 1, "as `ne` on the low bytes")                         \
    X(174, GreaterByte, "gt.b", (), "", 2, 1, "as `gt` on the signed low bytes")                   \
    X(175, GreaterEqualByte, "ge.b", (), "", 2, 1, "as `ge` on the signed low bytes")              \
    X(178, EqualHalf, "eq.h", (), "", 2, 1, "as `eq` on the low 16 bits")                          \
    X(179, LessHalf, "lt.h", (), "", 2, 1, "as `lt` on the signed low 16 bits")                    \
    X(180, LessEqualHalf, "le.h", (), "", 2, 1, "as `le` on the signed low 16 bits")               \
    X(181, NotEqualHalf, "ne.h", (), "", 2, 1, "as `ne` on the low 16 bits")                       \
    X(182, GreaterHalf, "gt.h", (), "", 2, 1, "as `gt` on the signed low 16 bits")                 \
    X(183, GreaterEqualHalf, "ge.h", (), "", 2, 1, "as `ge` on the signed low 16 bits")

// Bytes and conversions
#define KESTRO_CONVERSION_OPCODES(X)                                                               \
    X(73, DivByte, "div.b", (), "", 2, 1,                                                          \
      "as `div` on the signed low bytes; b = 0 raises DivisionByZeroException")                    \
    X(74, RemByte, "rem.b", (), "", 2, 1,                                                          \
      "as `rem` on the signed low bytes; b = 0 raises DivisionByZeroException")                    \
    X(75, ShiftLeftByte, "shl.b", (), "", 2, 1,                                                    \
      "the signed low byte of a shifted left by the low byte of b (over 31: 0)")                   \
    X(76, ShiftRightByte, "shr.b", (), "", 2, 1,                                                   \
      "as `shl.b`, shifting right arithmetically (over 31: -1 or 0)")                              \
    X(55, ToString, "tostr", (), "", 1, 1, "a new string with the decimal text of b")              \
    X(57, ZeroExtendByte, "zext.b", (), "", 1, 1, "the low 8 bits of b")                           \
    X(105, SignExtendBytes, "sext.b", (Int8), "n", kVaries, kVaries,                               \
      "sign-extend the low byte of each of the n top slots")

// Control flow
#define KESTRO_CONTROL_OPCODES(X)                                                                  \
    X(10, BranchIfZero, "jz", (Branch16), "label", 1, 0, "branch when b is 0")                     \
    X(11, BranchIfZeroWide, "jz.w", (Branch32), "label", 1, 0, "as `jz` with a 32-bit offset")     \
    X(12, Branch, "jmp", (Branch16), "label", 0, 0, "branch")                                      \
    X(13, BranchWide, "jmp.w", (Branch32), "label", 0, 0, "as `jmp` with a 32-bit offset")         \
    X(14, Call, "call", (CodeOffset, FrameIndex), "code, frame", 0, 1,                             \
      "push the return address and jump to the code")                                              \
    X(15, ClassMethodCall, "vcall", (ClassMethod), "class method", 1, 1,                           \
      "replace the class index b by the return address and call that class's implementation")      \
    X(16, Return, "ret", (Uint32, Uint32), "k, m", kVaries, kVaries,                               \
      "return to the address in slot `sp`-k, then drop m slots")                                   \
    X(117, Try, "try", (HandlerClass, HandlerOffset), "class, label", 0, 0,                        \
      "enter a protected region whose handler starts at the label")                                \
    X(118, LeaveTry, "untry", (Int8), "n", 0, 0, "leave -n protected regions (n is negative)")     \
    X(119, Throw, "throw", (), "", kVaries, kVaries,                                               \
      "throw the object b refers to (a null b stays on the stack)")

// Words through addresses
#define KESTRO_WORD_ACCESS_OPCODES(X)                                                              \
    X(5, Field, "field", (Int8), "n", 1, 1, "the address of word n of the block b")                \
    X(6, FieldWide, "field.w", (Int32), "n", 1, 1, "as `field` with a 32-bit word index")          \
    X(7, Load, "load", (), "", 1, 1, "the word at address b")                                      \
    X(134, Load2, "load2", (), "", 1, 1, "two loads from b")                                       \
    X(135, Load3, "load3", (), "", 1, 1, "three loads from b")                                     \
    X(128, PickLoad1, "pick.ld1", (Int8), "n", 0, 1,                                               \
      "push the word at the address in slot `sp`+1+n")                                             \
    X(129, PickLoad2, "pick.ld2", (Int8), "n", 0, 1,                                               \
      "push the result of two loads from slot `sp`+1+n")                                           \
    X(130, PickLoad3, "pick.ld3", (Int8), "n", 0, 1,                                               \
      "push the result of three loads from slot `sp`+1+n")                                         \
    X(131, PickField1, "pick.fld1", (Int8, Int8), "n, m", 0, 1,                                    \
      "push the address of word m of the object at the address in slot `sp`+1+n")                  \
    X(132, PickField2, "pick.fld2", (Int8, Int8), "n, m", 0, 1,                                    \
      "as `pick.fld1` with two loads from the slot")                                               \
    X(133, PickField3, "pick.fld3", (Int8, Int8), "n, m", 0, 1,                                    \
      "as `pick.fld1` with three loads from the slot")                                             \
    X(22, SetClass, "setclass", (ClassIndex), "class", 1, 0, "word 0 of b := class")               \
    X(23, Store, "store", (), "", 2, 0, "word at a := b")                                          \
    X(25, StoreAlt, "store.alt", (), "", 2, 0, "word at a := b")                                   \
    X(24, StoreZero, "clear", (), "", 1, 0, "word at b := 0")                                      \
    X(32, IncAt, "inc.at", (), "", 1, 0, "word at b += 1")                                         \
    X(33, DecAt, "dec.at", (), "", 1, 0, "word at b -= 1")                                         \
    X(34, AddAt, "add.at", (), "", 2, 0, "word at a += b")                                         \
    X(35, SubAt, "sub.at", (), "", 2, 0, "word at a -= b")                                         \
    X(36, MulAt, "mul.at", (), "", 2, 0, "word at a ×= b")                                         \
    X(37, DivAt, "div.at", (), "", 2, 0, "word at a := word `div` b")                              \
    X(38, RemAt, "rem.at", (), "", 2, 0, "word at a := word `rem` b")                              \
    X(50, AndAt, "and.at", (), "", 2, 0, "word at a := word AND b")                                \
    X(51, OrAt, "or.at", (), "", 2, 0, "word at a := word OR b")                                   \
    X(52, XorAt, "xor.at", (), "", 2, 0, "word at a := word XOR b")                                \
    X(53, ShiftLeftAt, "shl.at", (), "", 2, 0, "word at a := word `shl` b")                        \
    X(54, ShiftRightAt, "shr.at", (), "", 2, 0, "word at a := word `shr` b")

// Blocks of words
#define KESTRO_BLOCK_OPCODES(X)                                                                    \
    X(79, ZeroWords, "zero", (Int8), "n", 1, 0, "clear the n words at address b")                  \
    X(80, ZeroWordsWide, "zero.w", (Uint32), "n", 1, 0, "as `zero` with a 32-bit count")           \
    X(81, CopyWords, "copy", (Int8), "n", 2, 1,                                                    \
      "copy n words from address b to address a, word by word upwards; a stays")                   \
    X(82, CopyWordsWide, "copy.w", (Uint32), "n", 2, 1, "as `copy` with a 32-bit count")           \
    X(83, LoadWords, "loadn", (Int8), "n", 1, kVaries,                                             \
      "replace the address b by the n words stored there, the last on top")                        \
    X(84, LoadWordsWide, "loadn.w", (Uint32), "n", 1, kVaries, "as `loadn` with a 32-bit count")   \
    X(85, StoreWords, "storen", (Int8), "n", kVaries, 0,                                           \
      "store the n top slots at the address under them, lowest first")                             \
    X(86, StoreWordsWide, "storen.w", (Uint32), "n", kVaries, 0, "as `storen` with a 32-bit count")

// Bytes and 16-bit units through addresses
#define KESTRO_SMALL_ACCESS_OPCODES(X)                                                             \
    X(156, IncByteAt, "inc.b.at", (), "", 1, 0, "byte at b += 1")                                  \
    X(157, DecByteAt, "dec.b.at", (), "", 1, 0, "byte at b -= 1")                                  \
    X(158, AddByteAt, "add.b.at", (), "", 2, 0, "byte at a += b")                                  \
    X(159, SubByteAt, "sub.b.at", (), "", 2, 0, "byte at a -= b")                                  \
    X(160, MulByteAt, "mul.b.at", (), "", 2, 0, "byte at a ×= b")                                  \
    X(161, DivByteAt, "div.b.at", (), "", 2, 0, "byte at a := byte `div.b` b")                     \
    X(162, RemByteAt, "rem.b.at", (), "", 2, 0, "byte at a := byte `rem.b` b")                     \
    X(163, AndByteAt, "and.b.at", (), "", 2, 0, "byte at a := byte AND b")                         \
    X(164, OrByteAt, "or.b.at", (), "", 2, 0, "byte at a := byte OR b")                            \
    X(165, XorByteAt, "xor.b.at", (), "", 2, 0, "byte at a := byte XOR b")                         \
    X(166, ShiftLeftByteAt, "shl.b.at", (), "", 2, 0,                                              \
      "byte at a := byte shifted left by the signed low byte of b")                                \
    X(167, ShiftRightByteAt, "shr.b.at", (), "", 2, 0,                                             \
      "byte at a := byte shifted right by the signed low byte of b")                               \
    X(168, StoreZeroByte, "clear.b", (), "", 1, 0, "byte at b := 0")                               \
    X(169, StoreByte, "store.b", (), "", 2, 0, "byte at a := b")                                   \
    X(176, StoreZeroHalf, "clear.h", (), "", 1, 0, "16-bit unit at b := 0")                        \
    X(177, StoreHalf, "store.h", (), "", 2, 0, "16-bit unit at a := b")

// Allocation
#define KESTRO_ALLOCATION_OPCODES(X)                                                               \
    X(17, New, "new", (GcCode, Uint32), "gc, n", 0, 1, "push a new block of n words")              \
    X(146, NewStore, "new.store", (GcCode, Uint32, Int8), "gc, n, depth", 1, 0,                    \
      "store a new block of n words (wrapped in `depth` cells) at address b")                      \
    X(147, NewStoreKeep, "new.storekeep", (GcCode, Uint32, Int8), "gc, n, depth", 1, 1,            \
      "as `new.store`, keeping b")                                                                 \
    X(184, Pack, "pack", (Int8), "n", kVaries, 1,                                                  \
      "move the n top slots into a new DATA block and push it")                                    \
    X(185, PackWide, "pack.w", (Uint32), "n", kVaries, 1, "as `pack` with a 32-bit count")         \
    X(126, Box, "box", (), "", 1, 1, "a new cell holding b")                                       \
    X(148, BoxData, "boxdata", (), "", 1, 1, "a new DATA word holding b")                          \
    X(21, NewString, "str", (StringIndex), "string", 0, 1,                                         \
      "push a new string with the constant's text")                                                \
    X(106, NewArray, "newarray", (Int8), "size", 1, 0,                                             \
      "create an empty array of elements of that many bytes in the array variable at b")           \
    X(120, Free, "free", (), "", 1, 0, "free block b")                                             \
    X(139, FreeCell, "freecell", (), "", 1, 0, "free the block held by cell b, then the cell")     \
    X(125, Globals, "globals", (), "", 0, 1, "push the globals block")

// Natives and extensions
#define KESTRO_NATIVE_OPCODES(X)                                                                   \
    X(78, Native, "native", (NativeGroup, NativeFunction), "group, function", kVaries, kVaries,    \
      "call a native function")                                                                    \
    X(97, Extension, "extcall", (Int8, Int8), "extension, function", kVaries, kVaries,             \
      "call a device extension")

// G(X, group, "title") for each group, in the order the documentation lists them.
#define KESTRO_OPCODE_GROUPS(G, X)                                                                 \
    G(X, KESTRO_STACK_OPCODES, "Stack and constants")                                              \
    G(X, KESTRO_ARITHMETIC_OPCODES, "Arithmetic and logic")                                        \
    G(X, KESTRO_COMPARISON_OPCODES, "Comparisons")                                                 \
    G(X, KESTRO_CONVERSION_OPCODES, "Bytes and conversions")                                       \
    G(X, KESTRO_CONTROL_OPCODES, "Control flow")                                                   \
    G(X, KESTRO_WORD_ACCESS_OPCODES, "Words through addresses")                                    \
    G(X, KESTRO_BLOCK_OPCODES, "Blocks of words")                                                  \
    G(X, KESTRO_SMALL_ACCESS_OPCODES, "Bytes and 16-bit units through addresses")                  \
    G(X, KESTRO_ALLOCATION_OPCODES, "Allocation")                                                  \
    G(X, KESTRO_NATIVE_OPCODES, "Natives and extensions")

#define KESTRO_OPCODES_OF_GROUP(X, group, title) group(X)
#define KESTRO_OPCODES(X) KESTRO_OPCODE_GROUPS(KESTRO_OPCODES_OF_GROUP, X)

enum class Opcode : TUint8 {
#define KESTRO_OPCODE_ENUM(code, name, ...) name = code,
    KESTRO_OPCODES(KESTRO_OPCODE_ENUM)
#undef KESTRO_OPCODE_ENUM
};

struct OpcodeInfo {
    const char* mnemonic = nullptr; // null: the byte is not a valid opcode
    TUint8 operandCount = 0;
    TUint8 operandBytes = 0;
    std::array<OperandKind, 3> operands{};
    TInt8 pops = 0;
    TInt8 pushes = 0;
    const char* operandNames = "";
    const char* effect = "";

    bool isValid() const { return mnemonic != nullptr; }
    constexpr bool hasFixedCounts() const { return pops != kVaries && pushes != kVaries; }
};

namespace opcode_detail {
struct Operands {
    TUint8 count = 0;
    TUint8 bytes = 0;
    std::array<OperandKind, 3> kinds{};
};

template <class... Kinds> constexpr Operands operandList(Kinds... kinds) {
    return {sizeof...(kinds), static_cast<TUint8>((0 + ... + operandWidth(kinds))), {kinds...}};
}

constexpr OpcodeInfo makeInfo(Operands operands, const char* mnemonic, const char* operandNames,
                              TInt8 pops, TInt8 pushes, const char* effect) {
    OpcodeInfo info;
    info.mnemonic = mnemonic;
    info.operandCount = operands.count;
    info.operandBytes = operands.bytes;
    info.operands = operands.kinds;
    info.pops = pops;
    info.pushes = pushes;
    info.operandNames = operandNames;
    info.effect = effect;
    return info;
}

constexpr std::array<OpcodeInfo, 256> buildTable() {
    std::array<OpcodeInfo, 256> table{};
    using enum OperandKind;
#define KESTRO_OPCODE_INFO(code, name, mnemonic, kinds, operandNames, pops, pushes, effect)        \
    table[code] = makeInfo(operandList kinds, mnemonic, operandNames, pops, pushes, effect);
    KESTRO_OPCODES(KESTRO_OPCODE_INFO)
#undef KESTRO_OPCODE_INFO
    return table;
}
} // namespace opcode_detail

inline constexpr std::array<OpcodeInfo, 256> kOpcodeTable = opcode_detail::buildTable();

inline const OpcodeInfo& opcodeInfo(TUint8 opcode) {
    return kOpcodeTable[opcode];
}

// Length of the instruction that starts with this opcode byte (an invalid opcode has
// no operands).
constexpr int instructionLength(TUint8 opcode) {
    return 1 + kOpcodeTable[opcode].operandBytes;
}

// A branch adds its offset to the position of its last operand byte.
constexpr TInt64 branchTarget(TInt64 opcodePosition, TUint8 opcode, TInt32 offset) {
    return opcodePosition + kOpcodeTable[opcode].operandBytes + offset;
}

// A handler record stores (last byte of the try instruction + offset); a caught throw
// resumes one byte after that position, so offset 0 resumes right after the instruction.
constexpr TInt64 handlerPosition(TInt64 tryPosition, TInt32 offset) {
    return tryPosition + instructionLength(static_cast<TUint8>(Opcode::Try)) - 1 + offset;
}
constexpr TInt64 handlerResumePosition(TInt64 tryPosition, TInt32 offset) {
    return handlerPosition(tryPosition, offset) + 1;
}
