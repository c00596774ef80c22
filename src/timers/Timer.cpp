#include "Timer.h"

#include "HostCall.h"
#include "VirtualMachine.h"

#include <QTimer>

Timer::Timer(TVMAddress aListener, TInt32 anId, TUint32 delay, VirtualMachine* aMachine)
    : listenerObject(aListener), timerId(anId), timer(new QTimer(this)), machine(aMachine) {
    connect(timer, &QTimer::timeout, this, &Timer::timeout);
    timer->setInterval(static_cast<int>(delay));
    timer->start();
}

void Timer::setDelay(TUint32 delay) {
    timer->setInterval(static_cast<int>(delay));
}

void Timer::timeout() {
    runHostCall([this] { machine->deliverEvent(EHandleSystemTimer, {listenerObject}); });
}
