// ConstantDivision: division by a constant of the code, as in (lo + hi) / 2, i rem 10 or
// x rem 1000000007, without the division instruction, which takes tens of cycles: by a
// positive power of two with a shift, by another positive divisor with two
// multiplications by a number kept for it. The quotient rounds towards 0 and the
// remainder takes the dividend's sign, as the instruction's do; other divisors (0, -1,
// the negative ones) divide as the instruction does.
#pragma once

#include "Arithmetic.h"

#include <bit>

class ConstantDivision {
public:
    TUint32 quotient(TUint32 a, TUint32 b) {
        using namespace arithmetic;
        if (isPowerOfTwo(b)) return bits(wrap(truncatedTo(a, b)) >> std::countr_zero(b));
        if (!hasMagic(b)) return bits(divide(wrap(a), wrap(b)));
        const auto q = static_cast<TUint32>((TUint128{magicOf(b)} * magnitude(a)) >> 64);
        return wrap(a) < 0 ? 0u - q : q;
    }
    TUint32 remainder(TUint32 a, TUint32 b) {
        using namespace arithmetic;
        if (isPowerOfTwo(b)) return a - truncatedTo(a, b);
        if (!hasMagic(b)) return bits(arithmetic::remainder(wrap(a), wrap(b)));
        const TUint64 fraction = magicOf(b) * magnitude(a);
        const auto r = static_cast<TUint32>((TUint128{fraction} * b) >> 64);
        return wrap(a) < 0 ? 0u - r : r;
    }

private:
    // 1 up to 2^30.
    static bool isPowerOfTwo(TUint32 b) { return b - 1 < 0x7FFFFFFFu && (b & (b - 1)) == 0; }
    // The other positive divisors: 3 up to 2^31 - 1.
    static bool hasMagic(TUint32 b) { return b - 3 < 0x7FFFFFFDu; }
    // a rounded towards 0 to a multiple of the power of two b: a negative a is first raised
    // by b - 1.
    static TUint32 truncatedTo(TUint32 a, TUint32 b) {
        return (a + (arithmetic::bits(arithmetic::wrap(a) >> 31) & (b - 1))) & ~(b - 1);
    }
    static TUint32 magnitude(TUint32 a) { return arithmetic::wrap(a) < 0 ? 0u - a : a; }
    // ceil(2^64 / b), with which the quotient and the remainder of every 32-bit unsigned
    // dividend come out exact (Lemire, Kaser and Kurz, "Faster remainder by direct
    // computation", 2019). The numbers of 16 divisors are kept, by their low bits; the
    // entry of a constant divides by the same divisor every time it runs.
    TUint64 magicOf(TUint32 b) {
        Kept& kept = numbers[b % kKept];
        if (kept.divisor != b) [[unlikely]]
            kept = {b, ~TUint64{0} / b + 1};
        return kept.magic;
    }

    struct Kept {
        TUint32 divisor = 0; // 0: none, as 0 has no number
        TUint64 magic = 0;
    };
    static constexpr TUint32 kKept = 16;
    Kept numbers[kKept];
};
