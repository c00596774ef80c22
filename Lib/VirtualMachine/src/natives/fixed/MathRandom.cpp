// Math natives that draw random numbers between two bounds, in either order.
#include "MathFamilies.h"
#include "random/MersenneTwister.h"

#include <algorithm>

namespace {

// lo + (u mod (hi - lo + 1)): both bounds included, the whole int range allowed.
TInt32 randomInt(TUint32 draw, TInt32 first, TInt32 second) {
    const auto [lo, hi] = std::minmax({TInt64{first}, TInt64{second}});
    return static_cast<TInt32>(lo + static_cast<TInt64>(draw % static_cast<TUint64>(hi - lo + 1)));
}

// lo + (u * 2^-32) * span: from lo up to, not including, lo + span (unless span is 0).
OFixed scaled(TUint32 draw, OFixed lo, OFixed span) {
    return ORaw::add(lo, ORaw::multiply(OFixed{draw}, span));
}

// When hi - lo does not fit in 64 bits (lo is then negative and hi not), one draw falls
// in [lo, 0] and one in [0, hi], and a third picks one of them.
OFixed randomFixed(MersenneTwister& generator, OFixed first, OFixed second) {
    const auto [lo, hi] = std::minmax(first, second);
    OFixed span = 0;
    if (!__builtin_sub_overflow(hi, lo, &span)) return scaled(generator.next(), lo, span);
    const OFixed below = scaled(generator.next(), lo, ORaw::subtract(0, lo));
    const OFixed above = scaled(generator.next(), 0, hi);
    return generator.next() % 2 == 0 ? above : below;
}

} // namespace

void drawRandomInt(NativeCall& call, TInt32) {
    const TInt32 second = call.integer();
    call.answer(randomInt(call.randomGenerator().next(), call.integer(), second));
}

void drawRandomFixed(NativeCall& call, TInt32) {
    const OFixed second = fixedOperand(call);
    answerFixed(call, randomFixed(call.randomGenerator(), fixedOperand(call), second));
}
