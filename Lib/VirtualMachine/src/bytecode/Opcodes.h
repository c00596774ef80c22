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

// X(code, Name, "mnemonic", operand kinds...)
// Names ending in "Wide" take 32-bit operands where the plain form takes a byte.
#define KESTRO_OPCODES(X)                                                                          \
    X(0, Nop, "nop")                                                                               \
    X(1, Pick, "pick", Int8)                                                                       \
    X(2, PickWide, "pick.w", Int32)                                                                \
    X(3, SlotAddress, "addr", Int8)                                                                \
    X(4, SlotAddressWide, "addr.w", Int32)                                                         \
    X(5, Field, "field", Int8)                                                                     \
    X(6, FieldWide, "field.w", Int32)                                                              \
    X(7, Load, "load")                                                                             \
    X(8, Adjust, "adjust", Int8)                                                                   \
    X(9, AdjustWide, "adjust.w", Int32)                                                            \
    X(10, BranchIfZero, "jz", Branch16)                                                            \
    X(11, BranchIfZeroWide, "jz.w", Branch32)                                                      \
    X(12, Branch, "jmp", Branch16)                                                                 \
    X(13, BranchWide, "jmp.w", Branch32)                                                           \
    X(14, Call, "call", CodeOffset, FrameIndex)                                                    \
    X(15, ClassMethodCall, "vcall", ClassMethod)                                                   \
    X(16, Return, "ret", Uint32, Uint32)                                                           \
    X(17, New, "new", GcCode, Uint32)                                                              \
    X(18, Dup, "dup")                                                                              \
    X(19, Not, "not")                                                                              \
    X(20, Push, "push", Uint32)                                                                    \
    X(21, NewString, "str", StringIndex)                                                           \
    X(22, SetClass, "setclass", ClassIndex)                                                        \
    X(23, Store, "store")                                                                          \
    X(24, StoreZero, "clear")                                                                      \
    X(25, StoreAlt, "store.alt")                                                                   \
    X(26, Add, "add")                                                                              \
    X(27, Sub, "sub")                                                                              \
    X(28, Mul, "mul")                                                                              \
    X(29, Div, "div")                                                                              \
    X(30, Rem, "rem")                                                                              \
    X(31, Neg, "neg")                                                                              \
    X(32, IncAt, "inc.at")                                                                         \
    X(33, DecAt, "dec.at")                                                                         \
    X(34, AddAt, "add.at")                                                                         \
    X(35, SubAt, "sub.at")                                                                         \
    X(36, MulAt, "mul.at")                                                                         \
    X(37, DivAt, "div.at")                                                                         \
    X(38, RemAt, "rem.at")                                                                         \
    X(39, Equal, "eq")                                                                             \
    X(40, Less, "lt")                                                                              \
    X(41, LessEqual, "le")                                                                         \
    X(42, NotEqual, "ne")                                                                          \
    X(43, Greater, "gt")                                                                           \
    X(44, GreaterEqual, "ge")                                                                      \
    X(45, And, "and")                                                                              \
    X(46, Or, "or")                                                                                \
    X(47, Xor, "xor")                                                                              \
    X(48, ShiftLeft, "shl")                                                                        \
    X(49, ShiftRight, "shr")                                                                       \
    X(50, AndAt, "and.at")                                                                         \
    X(51, OrAt, "or.at")                                                                           \
    X(52, XorAt, "xor.at")                                                                         \
    X(53, ShiftLeftAt, "shl.at")                                                                   \
    X(54, ShiftRightAt, "shr.at")                                                                  \
    X(55, ToString, "tostr")                                                                       \
    X(57, ZeroExtendByte, "zext.b")                                                                \
    X(58, PushTrue, "true")                                                                        \
    X(59, PushFalse, "false")                                                                      \
    X(60, LogicalAnd, "land")                                                                      \
    X(61, LogicalOr, "lor")                                                                        \
    X(62, LogicalXor, "lxor")                                                                      \
    X(63, LogicalSame, "lsame")                                                                    \
    X(64, LogicalDiffer, "ldiffer")                                                                \
    X(65, Push64, "push64", Int64)                                                                 \
    X(73, DivByte, "div.b")                                                                        \
    X(74, RemByte, "rem.b")                                                                        \
    X(75, ShiftLeftByte, "shl.b")                                                                  \
    X(76, ShiftRightByte, "shr.b")                                                                 \
    X(78, Native, "native", NativeGroup, NativeFunction)                                           \
    X(79, ZeroWords, "zero", Int8)                                                                 \
    X(80, ZeroWordsWide, "zero.w", Uint32)                                                         \
    X(81, CopyWords, "copy", Int8)                                                                 \
    X(82, CopyWordsWide, "copy.w", Uint32)                                                         \
    X(83, LoadWords, "loadn", Int8)                                                                \
    X(84, LoadWordsWide, "loadn.w", Uint32)                                                        \
    X(85, StoreWords, "storen", Int8)                                                              \
    X(86, StoreWordsWide, "storen.w", Uint32)                                                      \
    X(97, Extension, "extcall", Int8, Int8)                                                        \
    X(105, SignExtendBytes, "sext.b", Int8)                                                        \
    X(106, NewArray, "newarray", Int8)                                                             \
    X(114, PushTrueAlt, "true.alt")                                                                \
    X(117, Try, "try", HandlerClass, HandlerOffset)                                                \
    X(118, LeaveTry, "untry", Int8)                                                                \
    X(119, Throw, "throw")                                                                         \
    X(120, Free, "free")                                                                           \
    X(125, Globals, "globals")                                                                     \
    X(126, Box, "box")                                                                             \
    X(128, PickLoad1, "pick.ld1", Int8)                                                            \
    X(129, PickLoad2, "pick.ld2", Int8)                                                            \
    X(130, PickLoad3, "pick.ld3", Int8)                                                            \
    X(131, PickField1, "pick.fld1", Int8, Int8)                                                    \
    X(132, PickField2, "pick.fld2", Int8, Int8)                                                    \
    X(133, PickField3, "pick.fld3", Int8, Int8)                                                    \
    X(134, Load2, "load2")                                                                         \
    X(135, Load3, "load3")                                                                         \
    X(139, FreeCell, "freecell")                                                                   \
    X(146, NewStore, "new.store", GcCode, Uint32, Int8)                                            \
    X(147, NewStoreKeep, "new.storekeep", GcCode, Uint32, Int8)                                    \
    X(148, BoxData, "boxdata")                                                                     \
    X(156, IncByteAt, "inc.b.at")                                                                  \
    X(157, DecByteAt, "dec.b.at")                                                                  \
    X(158, AddByteAt, "add.b.at")                                                                  \
    X(159, SubByteAt, "sub.b.at")                                                                  \
    X(160, MulByteAt, "mul.b.at")                                                                  \
    X(161, DivByteAt, "div.b.at")                                                                  \
    X(162, RemByteAt, "rem.b.at")                                                                  \
    X(163, AndByteAt, "and.b.at")                                                                  \
    X(164, OrByteAt, "or.b.at")                                                                    \
    X(165, XorByteAt, "xor.b.at")                                                                  \
    X(166, ShiftLeftByteAt, "shl.b.at")                                                            \
    X(167, ShiftRightByteAt, "shr.b.at")                                                           \
    X(168, StoreZeroByte, "clear.b")                                                               \
    X(169, StoreByte, "store.b")                                                                   \
    X(170, EqualByte, "eq.b")                                                                      \
    X(171, LessByte, "lt.b")                                                                       \
    X(172, LessEqualByte, "le.b")                                                                  \
    X(173, NotEqualByte, "ne.b")                                                                   \
    X(174, GreaterByte, "gt.b")                                                                    \
    X(175, GreaterEqualByte, "ge.b")                                                               \
    X(176, StoreZeroHalf, "clear.h")                                                               \
    X(177, StoreHalf, "store.h")                                                                   \
    X(178, EqualHalf, "eq.h")                                                                      \
    X(179, LessHalf, "lt.h")                                                                       \
    X(180, LessEqualHalf, "le.h")                                                                  \
    X(181, NotEqualHalf, "ne.h")                                                                   \
    X(182, GreaterHalf, "gt.h")                                                                    \
    X(183, GreaterEqualHalf, "ge.h")                                                               \
    X(184, Pack, "pack", Int8)                                                                     \
    X(185, PackWide, "pack.w", Uint32)

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

    bool isValid() const { return mnemonic != nullptr; }
};

namespace opcode_detail {
template <class... Kinds> constexpr OpcodeInfo makeInfo(const char* mnemonic, Kinds... kinds) {
    OpcodeInfo info;
    info.mnemonic = mnemonic;
    info.operandCount = sizeof...(kinds);
    info.operands = {kinds...};
    info.operandBytes = static_cast<TUint8>((0 + ... + operandWidth(kinds)));
    return info;
}

constexpr std::array<OpcodeInfo, 256> buildTable() {
    std::array<OpcodeInfo, 256> table{};
    using enum OperandKind;
#define KESTRO_OPCODE_INFO(code, name, ...) table[code] = makeInfo(__VA_ARGS__);
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
