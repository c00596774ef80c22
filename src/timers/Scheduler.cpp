#include "Scheduler.h"

#include "Timer.h"

namespace {
TInt32 nextTimerId = 10;
}

Scheduler::~Scheduler() {
    for (Timer* timer : timers)
        delete timer;
}

TInt32 Scheduler::addTimer(TVMAddress listener, TInt32 delay) {
    KESTRO_ASSERT(vm != 0);
    KESTRO_ASSERT(delay >= 0);
    auto* timer = new Timer(listener, nextTimerId++, static_cast<TUint32>(delay), vm);
    timers.push_back(timer);
    return timer->id();
}

std::vector<Timer*>::iterator Scheduler::find(TInt32 id) {
    auto found = timers.begin();
    while (found != timers.end() && (*found)->id() != id)
        ++found;
    return found;
}

TVMAddress Scheduler::removeTimer(TInt32 id) {
    const auto found = find(id);
    if (found == timers.end()) return 0;
    Timer* timer = *found;
    const TVMAddress listener = timer->listener();
    timers.erase(found);
    delete timer;
    return listener;
}

void Scheduler::updateTimerDelay(TInt32 id, TInt32 newDelay) {
    KESTRO_ASSERT(newDelay >= 0);
    const auto found = find(id);
    if (found != timers.end()) (*found)->setDelay(static_cast<TUint32>(newDelay));
}
