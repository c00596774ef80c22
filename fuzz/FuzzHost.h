// The host of a fuzzed machine: it records nothing, but keeps the listeners of the timers
// the application makes, so that their events can be delivered; ends the application's
// run when it asks to exit, as the process would end; and lets extension calls move the
// stack top by the function number, so that the machine's check of the top the host
// returns is exercised.
#pragma once

#include "MachineStop.h"
#include "MachineTesting.h"

#include <map>

class FuzzHost : public QuietServices {
public:
    TInt32 addTimer(TVMAddress listener, TInt32) override {
        timers.emplace(nextTimer, listener);
        return nextTimer++;
    }
    TVMAddress removeTimer(TInt32 id) override {
        const auto found = timers.find(id);
        if (found == timers.end()) return 0;
        const TVMAddress listener = found->second;
        timers.erase(found);
        return listener;
    }
    void exitApplication() override { throw MachineStop{MachineStop::kExitRequested}; }
    TInt32 callExtension(TInt32, TInt32 function, TInt32 top, TVMAddress) override {
        return top - function;
    }

    // The listeners of the running timers, by id.
    std::map<TInt32, TVMAddress> timers;

private:
    TInt32 nextTimer = 10;
};
