// The application's periodic timers, in creation order. Ids come from one counter
// that starts at 10 and never repeats.
#pragma once

#include "TimerService.h"

#include <vector>

class Timer;
class VirtualMachine;

class Scheduler : public TimerService {
public:
    Scheduler() = default;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;
    // The timers still running end with the scheduler: the event loop is over by then.
    ~Scheduler() override;

    void setMachine(VirtualMachine* machine) { vm = machine; }

    // A negative delay is an internal error.
    TInt32 addTimer(TVMAddress listener, TInt32 delay) override;
    TVMAddress removeTimer(TInt32 id) override;
    void updateTimerDelay(TInt32 id, TInt32 newDelay) override;

private:
    std::vector<Timer*>::iterator find(TInt32 id);

    VirtualMachine* vm = nullptr;
    std::vector<Timer*> timers;
};
