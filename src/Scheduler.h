// The application's periodic timers, in creation order. Ids come from one counter
// that starts at 10 and never repeats.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

#include <vector>

class Timer;
class VirtualMachine;

class Scheduler {
public:
    Scheduler() = default;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;
    // The timers still running end with the scheduler: the event loop is over by then.
    ~Scheduler();

    void setMachine(VirtualMachine* machine) { vm = machine; }
    TInt32 addTimer(TVMAddress listener, TUint32 delay);
    // The listener of the removed timer, or 0 when no timer has that id.
    TVMAddress remove(TInt32 id);
    // An id that no timer has is ignored.
    void updateDelay(TInt32 id, TUint32 delay);

private:
    std::vector<Timer*>::iterator find(TInt32 id);

    VirtualMachine* vm = nullptr;
    std::vector<Timer*> timers;
};
