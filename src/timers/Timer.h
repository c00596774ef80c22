// One periodic timer: every period it calls the application's system timer listener.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

#include <QObject>

class QTimer;
class VirtualMachine;

class Timer : public QObject {
    Q_OBJECT
public:
    Timer(TVMAddress aListener, TInt32 anId, TUint32 delay, VirtualMachine* aMachine);

    TVMAddress listener() const { return listenerObject; }
    TInt32 id() const { return timerId; }
    void setDelay(TUint32 delay);

public Q_SLOTS:
    void timeout();

private:
    TVMAddress listenerObject;
    TInt32 timerId;
    QTimer* timer;
    VirtualMachine* machine;
};
