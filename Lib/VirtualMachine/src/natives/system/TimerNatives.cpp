// The timer native group 33: periodic timers that call the application back. A timer's
// listener stays a collector root from the timer's creation until its removal; a negative
// period is taken as 0.
#include "NativeCall.h"
#include "NativeGroups.h"

#include <algorithm>

namespace {

TInt32 period(NativeCall& call) {
    return std::max(0, call.integer());
}

void create(NativeCall& call, TInt32) {
    const TInt32 milliseconds = period(call);
    const TVMAddress listener = call.word();
    if (listener != 0) call.heap().addRoot(listener);
    call.answer(static_cast<TUint32>(call.host().timers->addTimer(listener, milliseconds)));
}

void remove(NativeCall& call, TInt32) {
    const TVMAddress listener = call.host().timers->removeTimer(call.integer());
    if (listener != 0) call.heap().removeRoot(listener);
    call.pop();
}

void changePeriod(NativeCall& call, TInt32) {
    const TInt32 milliseconds = period(call);
    call.host().timers->updateTimerDelay(call.integer(), milliseconds);
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "create", create},
    {2, "remove", remove},
    {3, "changePeriod", changePeriod},
};

} // namespace

constinit const NativeTable kTimerNatives{kFunctions};
