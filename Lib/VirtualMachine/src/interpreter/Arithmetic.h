// The integer rules of the instruction set: wrapping arithmetic, division without
// traps, and shifts whose amount may be out of range or negative.
#pragma once

#include "ErrorHandling.h"
#include "Opcodes.h"
#include "Types.h"

namespace arithmetic {

inline TInt32 wrap(TUint32 value) {
    return static_cast<TInt32>(value);
}
inline TUint32 bits(TInt32 value) {
    return static_cast<TUint32>(value);
}

// a / b truncating; b = 0 raises DivisionByZeroException with `message`; b = -1 negates
// without trapping on the smallest value.
inline TInt32 divide(TInt32 a, TInt32 b, const char* message = "") {
    if (b == 0) throwError(EDivisionByZero, message);
    if (b == -1) return wrap(0u - bits(a));
    return a / b;
}

inline TInt32 remainder(TInt32 a, TInt32 b, const char* message = "") {
    if (b == 0) throwError(EDivisionByZero, message);
    if (b == -1) return 0;
    return a % b;
}

// Left by 0..31; more gives 0; a negative amount shifts right by its magnitude.
inline TInt32 shiftRight(TInt32 a, TInt32 amount);
inline TInt32 shiftLeft(TInt32 a, TInt32 amount) {
    if (amount < 0) return amount < -31 ? 0 : shiftRight(a, -amount);
    return amount > 31 ? 0 : wrap(bits(a) << amount);
}

// Arithmetically right by 0..31; more gives 0 even for a negative value; a negative
// amount shifts left by its magnitude.
inline TInt32 shiftRight(TInt32 a, TInt32 amount) {
    if (amount < 0) return amount < -31 ? 0 : shiftLeft(a, -amount);
    return amount > 31 ? 0 : a >> amount;
}

inline TInt32 lowByte(TUint32 slot) {
    return static_cast<TInt8>(slot & 0xFF);
}
inline TInt32 lowHalf(TUint32 slot) {
    return static_cast<TInt16>(slot & 0xFFFF);
}

inline constexpr const char* kByteDivisionMessage = "Division by zero.";

// Byte division: a zero slot raises; so does a slot whose low byte is zero, which would
// otherwise divide by zero.
inline TInt32 divideBytes(TInt32 a, TUint32 slot) {
    if (slot == 0 || (slot & 0xFF) == 0) throwError(EDivisionByZero, kByteDivisionMessage);
    return divide(a, lowByte(slot));
}

inline TInt32 remainderBytes(TInt32 a, TUint32 slot) {
    if (slot == 0 || (slot & 0xFF) == 0) throwError(EDivisionByZero, kByteDivisionMessage);
    return remainder(a, lowByte(slot));
}

// Shifts of a sign-extended byte: left gives 0 from 32 on, right gives the sign.
inline TInt32 byteShiftLeft(TInt32 value, TInt32 amount) {
    return amount >= 32 ? 0 : wrap(bits(value) << amount);
}
inline TInt32 byteShiftRight(TInt32 value, TInt32 amount) {
    return amount >= 32 ? (value < 0 ? -1 : 0) : value >> amount;
}

// A signed amount: positive shifts one way, negative the other.
inline TInt32 byteShiftLeftSigned(TInt32 value, TInt32 amount) {
    return amount >= 0 ? byteShiftLeft(value, amount) : byteShiftRight(value, -amount);
}
inline TInt32 byteShiftRightSigned(TInt32 value, TInt32 amount) {
    return amount >= 0 ? byteShiftRight(value, amount) : byteShiftLeft(value, -amount);
}

inline TUint32 truth(bool value) {
    return value ? 0xFFFFFFFFu : 0u;
}

// The word operations that cannot fail, by opcode: the interpreter's plain and fused
// handlers share them.
template <Opcode> TUint32 binary(TUint32 a, TUint32 b);
#define KESTRO_BINARY(name, expression)                                                            \
    template <> inline TUint32 binary<Opcode::name>(TUint32 a, TUint32 b) {                        \
        return expression;                                                                         \
    }
KESTRO_BINARY(Add, a + b)
KESTRO_BINARY(Sub, a - b)
KESTRO_BINARY(Mul, a* b)
KESTRO_BINARY(And, a& b)
KESTRO_BINARY(Or, a | b)
KESTRO_BINARY(Xor, a ^ b)
KESTRO_BINARY(ShiftLeft, bits(shiftLeft(wrap(a), wrap(b))))
KESTRO_BINARY(ShiftRight, bits(shiftRight(wrap(a), wrap(b))))
KESTRO_BINARY(Equal, truth(a == b))
KESTRO_BINARY(Less, truth(wrap(a) < wrap(b)))
KESTRO_BINARY(LessEqual, truth(wrap(a) <= wrap(b)))
KESTRO_BINARY(NotEqual, truth(a != b))
KESTRO_BINARY(Greater, truth(wrap(a) > wrap(b)))
KESTRO_BINARY(GreaterEqual, truth(wrap(a) >= wrap(b)))
#undef KESTRO_BINARY

} // namespace arithmetic
