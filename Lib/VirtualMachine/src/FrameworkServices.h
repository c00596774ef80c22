// What the machine and its natives ask of the host: logging, ending the application and,
// as the host grows, files, clocks, the screen and timers.
#pragma once

#include "OString.h"

class FrameworkServices {
public:
    virtual ~FrameworkServices() = default;
    // Writes one log line.
    virtual void log(const OString& message) = 0;
    // The text the application gives when it ends itself with a message.
    virtual void showExitMessage(const OString& text) = 0;
    // Ends the process at once with status 0.
    virtual void exitApplication() = 0;
    // A device extension's function, given the operand stack's top index and the address
    // of its slot 0; returns the new top index.
    virtual TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                                 TUint32 stackAddress) = 0;
};
