// Date-time natives 22 to 29: 22 and 23 ask whether two references are the same, 24 to 29
// compare the instants (across zones). The answer is 1 or 0.
#include "DateTimeFamilies.h"

namespace {

bool ordered(TInt32 function, TInt32 order) {
    switch (function) {
    case 24: return order == 0;
    case 25: return order != 0;
    case 26: return order < 0;
    case 27: return order <= 0;
    case 28: return order > 0;
    default: return order >= 0;
    }
}

bool holds(NativeCall& call, TInt32 function, TVMAddress a, TVMAddress b) {
    if (function == 22) return a == b;
    if (function == 23) return a != b;
    return ordered(function, dateTimeIn(call, a).compare(dateTimeIn(call, b)));
}

} // namespace

bool compareDateTimes(NativeCall& call, TInt32 function) {
    if (function < 22 || function > 29) return false;
    const TVMAddress b = call.word();
    const TVMAddress a = call.word();
    call.answer(holds(call, function, a, b) ? 1 : 0);
    return true;
}
