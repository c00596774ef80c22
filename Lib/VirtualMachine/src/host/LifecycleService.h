// How the application ends itself.
#pragma once

#include "OString.h"

class LifecycleService {
public:
    virtual ~LifecycleService() = default;
    // Ends the process at once with status 0.
    virtual void exitApplication() = 0;
    // The text the application gives when it ends itself with a message.
    virtual void showExitMessage(const OString& text) = 0;
};
